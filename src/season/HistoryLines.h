#pragma once
// The lines of the history's sections: written value by value with the season file's own value
// rules, and read back into trimmed values with the checks every section's reader shares.

#include <cstdint>
#include <functional>
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
// The longest value a line of ours may hold: every name the game writes there was a name of a
// season's own part, which is at most MaxSeasonFileBytes. A longer value is no name of ours, and
// its line is kept unread rather than decoded and copied.
inline constexpr size_t MaxValueBytes = 32 * 1024 * 1024;

// Where a writer hands its lines on: UTF-8 pieces that end between characters; false stops it.
using LineSink = std::function<bool(std::string_view)>;

// Lines of one section, handed on as they are written: short values gathered in place, a long
// one (a name of megabytes) straight from where it is held, so what is written is never held
// whole a second time.
class Writer {
public:
    explicit Writer(LineSink sink) : sink_(std::move(sink)) {}
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
        if (body_.size() >= HandOn) Drain();
    }
    // Hands on what is left; false when a value could not be carried or the sink refused a piece.
    bool Finish() {
        Drain();
        return ok_;
    }
    // The lines written so far.
    size_t Lines() const { return lines_; }

private:
    static constexpr size_t HandOn = 64 * 1024;
    void Drain();

    LineSink sink_;
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
