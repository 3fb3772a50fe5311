#pragma once
// The one place where season text turns into numbers and back.

#include <string>
#include <string_view>

namespace karven {

// Longest leading decimal number (spaces skipped, optional sign, digits, at most one point); 0 when none.
double ReadNumber(std::string_view text);

// Nearest integer, halves to the even neighbour, clamped to int.
int RoundHalfEven(double value);

// ReadNumber used as a count or an index.
inline int ReadCount(std::string_view text) { return RoundHalfEven(ReadNumber(text)); }

// Plain decimal: no leading zeros, no trailing ".0".
std::string FormatPlain(double value);
std::string FormatPlain(int value);

std::string Format00(int value);     // "00": at least two digits
std::string Format0000(int value);   // "0000": at least four digits
std::string Format0_00(double value); // "0.00": two decimals, halves away from zero
std::string Format0_0(double value);  // "0.0": one decimal, halves away from zero
// Format0_00 into an existing text, reusing its buffer; returns ReadNumber of that text.
double AssignFormat0_00(std::string& text, double value);
// ReadNumber(Format0_00(value)) without writing the text: a time as the rules keep it.
double Round0_00(double value);

} // namespace karven
