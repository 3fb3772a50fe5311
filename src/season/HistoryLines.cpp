#include "season/HistoryLines.h"

#include <charconv>

#include "season/Numbers.h"
#include "season/Values.h"

namespace karven::history_lines {

Writer& Writer::operator<<(const std::string& text) {
    body_ += ',';
    if (text.size() < HandOn) {
        ok_ = AppendValue(body_, text) && ok_;
        return *this;
    }
    Drain();
    ok_ = HandValue(text, [this](std::string_view piece) { return sink_(piece); }) && ok_;
    return *this;
}

void Writer::Drain() {
    if (body_.empty()) return;
    ok_ = sink_(body_) && ok_;
    body_.clear();
}

Writer& Writer::operator<<(int64_t value) {
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    body_ += ',';
    body_.append(digits, end);
    return *this;
}

namespace {
// The one form a number takes in a section.
void AppendNumber(std::string& text, double value) {
    if (value >= 0 && value < 1e9 && value == double(int(value))) {
        char digits[16];
        text.append(digits, std::to_chars(digits, digits + sizeof digits, int(value)).ptr);
        return;
    }
    text += FormatPlain(value);
}

// Digits, with no zero in front of another digit.
bool PlainDigits(std::string_view text, size_t most) {
    if (text.empty() || text.size() > most || (text[0] == '0' && text.size() > 1)) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}
} // namespace

Writer& Writer::operator<<(double value) {
    body_ += ',';
    AppendNumber(body_, value);
    return *this;
}

std::string MarkLine(const char* mark, size_t lines) {
    return std::string(mark) + ',' + std::to_string(lines) + "\r\n";
}

bool Whole(std::string_view text, int& value) {
    if (!PlainDigits(text, 9)) return false;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return true;
}

bool Signed(std::string_view text, int64_t& value) {
    std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
    if (!PlainDigits(digits, 19) || text == "-0") return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool Flag(std::string_view text, bool& value) {
    if (text != "0" && text != "1") return false;
    value = text == "1";
    return true;
}

bool Number(std::string_view text, double& value) {
    int whole = 0;
    if (Whole(text, whole)) { // the usual case, and exact
        value = whole;
        return true;
    }
    // Anything else only in the form it would be written in: "1e3" or "-" would come back as
    // another number, and the record's totals with it.
    if (text.empty() || text.size() > 400) return false;
    value = ReadNumber(text);
    std::string again;
    AppendNumber(again, value);
    return again == text;
}

// A value opening with a double quote runs to the next one and may hold commas; what follows the
// closing quote is dropped.
Line ValuesOf(std::string_view line) {
    Line values;
    size_t at = 0;
    auto trim = [](std::string_view v) {
        while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
        while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
        return v;
    };
    for (;;) {
        while (at < line.size() && line[at] == ' ') ++at;
        size_t comma;
        if (at < line.size() && line[at] == '"') {
            size_t close = line.find('"', at + 1);
            if (close == std::string_view::npos) close = line.size();
            values.push_back(trim(line.substr(at + 1, close - at - 1)));
            comma = line.find(',', close);
        } else {
            comma = line.find(',', at);
            values.push_back(trim(line.substr(at, comma == std::string_view::npos ? comma : comma - at)));
        }
        if (comma == std::string_view::npos) return values;
        at = comma + 1;
    }
}

} // namespace karven::history_lines
