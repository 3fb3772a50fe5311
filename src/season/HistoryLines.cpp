#include "season/HistoryLines.h"

#include <charconv>

#include "season/Numbers.h"
#include "season/Values.h"

namespace karven::history_lines {

Writer& Writer::operator<<(const std::string& text) {
    body_ += ',';
    ok_ = AppendValue(body_, text) && ok_;
    return *this;
}

Writer& Writer::operator<<(int64_t value) {
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    body_ += ',';
    body_.append(digits, end);
    return *this;
}

Writer& Writer::operator<<(double value) {
    if (value >= 0 && value < 1e9 && value == double(int(value))) return *this << int(value);
    body_ += ',';
    body_ += FormatPlain(value);
    return *this;
}

void Writer::Flush(const char* mark, std::string& text) {
    if (lines_ == 0) return;
    text += mark;
    text += ',';
    text += std::to_string(lines_);
    text += "\r\n";
    text += body_;
    body_.clear();
    lines_ = 0;
}

bool Whole(std::string_view text, int& value) {
    if (text.empty() || text.size() > 9) return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

bool Signed(std::string_view text, int64_t& value) {
    if (text.empty() || text.size() > 20 || text[0] == '+') return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool Flag(std::string_view text, bool& value) {
    if (text != "0" && text != "1") return false;
    value = text == "1";
    return true;
}

bool Number(std::string_view text, double& value) {
    if (text.empty()) return false;
    value = ReadNumber(text);
    return true;
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
