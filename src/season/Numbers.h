#pragma once
// The one place where season text turns into numbers and back.

#include <cmath>
#include <string>
#include <string_view>

namespace karven {

// Longest leading decimal number (spaces skipped, optional sign, digits, at most one point); 0 when none.
double ReadNumber(std::string_view text);

// Nearest integer, halves to the even neighbour, clamped to int.
int RoundHalfEven(double value);

// The floor, clamped to int; 0 for NaN. Every whole number taken from a loaded value goes
// through this or RoundHalfEven, so no rating or count reaches an out-of-range conversion.
int FloorToInt(double value);

// ReadNumber used as a count or an index.
inline int ReadCount(std::string_view text) { return RoundHalfEven(ReadNumber(text)); }

// Plain decimal: no leading zeros, no trailing ".0".
std::string FormatPlain(double value);
std::string FormatPlain(int value);
// ReadNumber(FormatPlain(value)): a value kept as the rules keep it, in text, without the text.
double PlainValue(double value);

std::string Format00(int value);     // "00": at least two digits
std::string Format0000(int value);   // "0000": at least four digits
std::string Format0_00(double value); // "0.00": two decimals, halves away from zero
// Format0_00 into an existing text, reusing its buffer.
void WriteFormat0_00(std::string& text, double value);
std::string Format0_0(double value);  // "0.0": one decimal, halves away from zero
// Format0_00 into an existing text, reusing its buffer; returns ReadNumber of that text.
double AssignFormat0_00(std::string& text, double value);
// ReadNumber(Format0_00(value)) without writing the text: a time as the rules keep it. The race
// rounds every car's time on every lap, so the usual case is decided here, inline.
double Round0_00Exactly(double value);
inline double Round0_00(double value) {
    double magnitude = std::fabs(value);
    double scaled = magnitude * 100.0;
    // The nearest whole number without a conversion or a branch: below 2^52 the sum keeps no
    // fraction. (A branch on the fraction mispredicts half the time: it was the race's hot spot.)
    double nearest = (scaled + 0x1p52) - 0x1p52;
    double off = scaled - nearest;
    double fromHalf = 0.5 - std::fabs(off); // fabs: a mask, where a comparison would branch
    // Beyond 1e9, or next to a half where the product may have rounded across it, the digit-exact
    // path decides. One branch for both: the race takes it for every car on every lap.
    if (!(magnitude < 1e9) | (fromHalf < 1e-7 + scaled * 1e-14)) return Round0_00Exactly(value);
    // The same division ReadNumber does on the digits: an exact integer over an exact power of ten.
    // Adding 0 turns a -0 into the 0 the text "0.00" reads back as.
    return ((value < 0 ? -nearest : nearest) + 0.0) / 100.0;
}

} // namespace karven
