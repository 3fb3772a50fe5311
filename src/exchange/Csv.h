#pragma once
// Comma-separated text as spreadsheets write it (RFC 4180): values quoted when they hold a comma,
// a double quote or a line break, a quote inside doubled. The game writes UTF-8 with a byte-order
// mark, so spreadsheets take Japanese text for what it is, and reads UTF-8 or code page 932.

#include <string>
#include <string_view>
#include <vector>

namespace karven::csv {

inline constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// One record and the line it begins on (1 for the first); a quoted value may run over lines.
struct Record {
    int line = 0;
    std::vector<std::string> values;
};

// The text as UTF-8: after a byte-order mark it must be UTF-8, without one it is taken as UTF-8
// when it is valid UTF-8 and as code page 932 otherwise. False, with what is wrong, for anything else.
bool DecodeText(std::string_view bytes, std::string& text, std::string& problem);

// The records of the text, an apostrophe that Field put before a value taken away. False at the first fault, with its line and what is wrong: a quoted
// value that never closes, or text after a closing quote.
bool Parse(std::string_view text, std::vector<Record>& records, int& problemLine, std::string& problem);

// A value as a field of a record: quoted when it holds a comma, a double quote, a line break or
// spaces at either end. A value a spreadsheet would run as a formula ("=", "+", "-", "@", a tab or
// a CR first, but for a plain negative number) is written after an apostrophe, which Parse takes
// away again, so that a value exported and imported comes back as it was.
std::string Field(std::string_view value);
// The record as a line, ending in CR LF.
std::string Line(const std::vector<std::string>& values);

} // namespace karven::csv
