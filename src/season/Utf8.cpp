#include "season/Utf8.h"

namespace karven {

namespace {
// Length of the sequence starting with lead byte c, 0 when c cannot start one.
size_t SequenceLength(unsigned char c) {
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return 2;
    if (c >= 0xE0 && c <= 0xEF) return 3;
    if (c >= 0xF0 && c <= 0xF4) return 4;
    return 0;
}

// Byte offsets of each character start; invalid bytes count as one character each.
size_t NextOffset(std::string_view text, size_t i) {
    size_t n = SequenceLength((unsigned char)text[i]);
    if (n == 0 || i + n > text.size()) return i + 1;
    for (size_t k = 1; k < n; ++k)
        if (((unsigned char)text[i + k] & 0xC0) != 0x80) return i + 1;
    return i + n;
}
} // namespace

bool Utf8IsValid(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        unsigned char c = (unsigned char)text[i];
        size_t n = SequenceLength(c);
        if (n == 0 || i + n > text.size()) return false;
        unsigned char c1 = n > 1 ? (unsigned char)text[i + 1] : 0;
        for (size_t k = 1; k < n; ++k)
            if (((unsigned char)text[i + k] & 0xC0) != 0x80) return false;
        if (n == 3 && ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0))) return false; // overlong, surrogate
        if (n == 4 && ((c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 >= 0x90))) return false;
        i += n;
    }
    return true;
}

size_t Utf8Length(std::string_view text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); i = NextOffset(text, i)) ++count;
    return count;
}

std::vector<std::string> Utf8Chars(std::string_view text) {
    std::vector<std::string> chars;
    for (size_t i = 0; i < text.size();) {
        size_t next = NextOffset(text, i);
        chars.emplace_back(text.substr(i, next - i));
        i = next;
    }
    return chars;
}

std::string Utf8Mid(std::string_view text, size_t start, size_t count) {
    size_t i = 0, index = 0;
    while (i < text.size() && index < start) {
        i = NextOffset(text, i);
        ++index;
    }
    size_t from = i, taken = 0;
    while (i < text.size() && taken < count) {
        i = NextOffset(text, i);
        ++taken;
    }
    return std::string(text.substr(from, i - from));
}

std::string Utf8FromEnd(std::string_view text, size_t n) {
    size_t length = Utf8Length(text);
    if (n == 0 || n > length) return "";
    return Utf8Mid(text, length - n, 1);
}

std::string TextBefore(std::string_view text, std::string_view separator) {
    size_t at = text.find(separator);
    return std::string(at == std::string_view::npos ? text : text.substr(0, at));
}

std::string Trim(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    return std::string(text.substr(b, e - b));
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    if (from.empty()) return std::string(text);
    size_t i = 0;
    for (size_t at; (at = text.find(from, i)) != std::string_view::npos; i = at + from.size()) {
        out.append(text.substr(i, at - i));
        out.append(to);
    }
    out.append(text.substr(i));
    return out;
}

namespace {
bool IsLineBreak(std::string_view ch) {
    return ch == "\r" || ch == "\n" || ch == "\u0085" || ch == "\u2028" || ch == "\u2029";
}
} // namespace

std::string LineBreaksToSpaces(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        size_t next = NextOffset(text, i);
        std::string_view ch = text.substr(i, next - i);
        if (IsLineBreak(ch)) {
            out += ' ';
            if (ch == "\r" && next < text.size() && text[next] == '\n') ++next; // CR LF is one break
        } else {
            out.append(ch);
        }
        i = next;
    }
    return out;
}

} // namespace karven
