#pragma once
// Where a double becomes decimal digits and back. The C++ library's floating-point charconv is
// used where it exists; a library without it (the browser build's) takes the C library's
// correctly rounded printf and strtod, which give the same digits and values.

#include <string>
#include <string_view>
#include <version>

#if defined(__cpp_lib_to_chars)
#define KARVEN_FLOAT_CHARCONV 1
#else
#define KARVEN_FLOAT_CHARCONV 0
#endif

namespace karven {

// The shortest digits that read back as the value (the nearest of them to it), in the form
// to_chars writes in scientific notation: "1.5e-07", "-2e+300", "0e+00".
std::string ShortestScientific(double value);
// Decimal digits with at most one point, no sign and no exponent, as the nearest double.
// False, and the value untouched, when the number is beyond the range (rounds to infinity or to zero).
bool ParseDecimal(std::string_view digits, double& value);

// The same through printf and strtod. They read the C locale's decimal point, the only locale of
// the browser build; the desktop uses them only to check them against charconv.
std::string ShortestScientificC(double value);
bool ParseDecimalC(std::string_view digits, double& value);

} // namespace karven
