#pragma once
// The lines of the history's sections: written value by value with the season file's own value
// rules, and read back into trimmed values with the checks every section's reader shares.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace karven::history_lines {

using Line = std::vector<std::string_view>;

// Lines of one section, each value appended in place.
class Writer {
public:
    Writer& Begin(char kind) {
        body_ += kind;
        return *this;
    }
    Writer& operator<<(const std::string& text);
    Writer& operator<<(int value) { return *this << int64_t(value); }
    Writer& operator<<(int64_t value);
    Writer& operator<<(double value);
    Writer& operator<<(bool flag) {
        body_ += flag ? ",1" : ",0";
        return *this;
    }
    void End() {
        body_ += "\r\n";
        ++lines_;
    }
    bool Ok() const { return ok_; }
    // The section: its mark with the number of lines, then the lines; nothing without lines.
    void Flush(const char* mark, std::string& text);

private:
    std::string body_;
    size_t lines_ = 0;
    bool ok_ = true;
};

// A whole number written by the writer: digits only, and no more than a count needs.
bool Whole(std::string_view text, int& value);
// A whole number that may be negative and large: a Time in hundredths.
bool Signed(std::string_view text, int64_t& value);
bool Flag(std::string_view text, bool& value);
bool Number(std::string_view text, double& value);
// The values of one line, trimmed, by the season file's value rules.
Line ValuesOf(std::string_view line);

} // namespace karven::history_lines
