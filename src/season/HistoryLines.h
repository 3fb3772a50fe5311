#pragma once
// The lines of the history's sections: written value by value with the season file's own value
// rules, and read back into trimmed values with the checks every section's reader shares.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace karven::history_lines {

using Line = std::vector<std::string_view>;

// The most values a line of ours may hold. A line is read whatever its length (a name may be as
// long as the season's own part lets it be, and the save is bounded by MaxAdditionBytes), but its
// values are few: the most a writer puts on one line is a closed season's names (17 races of at
// most 999 cars, each naming a driver and a team, with the table's names: about 36,000) or a
// race's stops (a car stops at most every 8 laps of 100: about 48,000 values). A line of more is
// no line of ours and is kept unread, before its values can take memory many times its size.
inline constexpr size_t MaxLineValues = 65536;

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
    // The lines written so far, without a mark; the writer starts afresh.
    void TakeLines(std::string& text);

private:
    std::string body_;
    size_t lines_ = 0;
    bool ok_ = true;
};

// A section's mark line: "<mark>,<lines>" with CR LF.
std::string MarkLine(const char* mark, size_t lines);

// Numbers are read only in the one form the writer gives them, so that a value read is written
// back as the same bytes: no sign where none is needed, no leading zero, no exponent, no spaces.
// A whole number: digits only, and no more than a count needs.
bool Whole(std::string_view text, int& value);
// The largest whole number the sections carry (nine digits).
inline constexpr int MaxWhole = 999'999'999;
// A count that grows by playing (a season's number, the world's turns) stops at the top, so the
// section it is written in still reads back.
constexpr int CountOn(int count) { return count < MaxWhole ? count + 1 : MaxWhole; }
// A whole number that may be negative and large: a Time in hundredths.
bool Signed(std::string_view text, int64_t& value);
bool Flag(std::string_view text, bool& value);
// Points: a whole number, or plain decimal digits.
bool Number(std::string_view text, double& value);
// The values of one line, trimmed, by the season file's value rules.
Line ValuesOf(std::string_view line);

} // namespace karven::history_lines
