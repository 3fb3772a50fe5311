#include "season/DecimalDigits.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#if KARVEN_FLOAT_CHARCONV
#include <charconv>
#endif

namespace karven {

#if KARVEN_FLOAT_CHARCONV
std::string ShortestScientific(double value) {
    char buffer[32]; // "-d.dddddddddddddddde-308" at most
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    if (result.ec != std::errc()) std::abort(); // the buffer holds the longest form
    return std::string(buffer, result.ptr);
}

bool ParseDecimal(std::string_view digits, double& value) {
    return std::from_chars(digits.data(), digits.data() + digits.size(), value).ec == std::errc();
}
#else
std::string ShortestScientific(double value) { return ShortestScientificC(value); }
bool ParseDecimal(std::string_view digits, double& value) { return ParseDecimalC(digits, value); }
#endif

namespace {
// p digits of a mantissa and the power of ten of its first digit.
struct Decimal {
    uint64_t mantissa = 0;
    int digits = 0;
    int exponent = 0;
};

// "d.ddde±x" as printf writes it.
Decimal Parse(const char* text) {
    Decimal d;
    const char* p = text;
    for (; *p && *p != 'e'; ++p) {
        if (*p == '.') continue;
        d.mantissa = d.mantissa * 10 + uint64_t(*p - '0');
        ++d.digits;
    }
    d.exponent = std::atoi(p + 1);
    return d;
}

// In to_chars' form: no trailing zeros, a sign and at least two digits in the exponent.
std::string Write(bool negative, Decimal d) {
    while (d.digits > 1 && d.mantissa % 10 == 0) {
        d.mantissa /= 10;
        --d.digits;
    }
    std::string digits = std::to_string(d.mantissa);
    std::string out = negative ? "-" : "";
    out += digits[0];
    if (digits.size() > 1) out += "." + digits.substr(1);
    char exponent[16];
    std::snprintf(exponent, sizeof exponent, "e%c%02d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
    return out + exponent;
}

double Read(const Decimal& d) { return std::strtod(Write(false, d).c_str(), nullptr); }

uint64_t Power10(int n) {
    uint64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}
} // namespace

std::string ShortestScientificC(double value) {
    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    if (magnitude == 0 || !std::isfinite(magnitude)) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.0e", value); // to_chars writes inf and nan as printf does
        return buffer;
    }
    char buffer[40];
    for (int p = 1;; ++p) {
        // The nearest p digits; when they do not read back, the only other p digits that could
        // are their neighbour on the value's other side (the reading interval is uneven at a power of two).
        std::snprintf(buffer, sizeof buffer, "%.*e", p - 1, magnitude);
        Decimal nearest = Parse(buffer);
        const double back = Read(nearest);
        if (back == magnitude || p >= 17) return Write(negative, nearest);
        Decimal other = nearest;
        if (back < magnitude) {
            if (++other.mantissa == Power10(p)) {
                other.mantissa /= 10;
                ++other.exponent;
            }
        } else {
            if (--other.mantissa == 0) continue;
            if (other.mantissa < Power10(p - 1)) { // 100 - 1 = 99: one digit fewer, a power lower
                other.mantissa = other.mantissa * 10 + 9;
                --other.exponent;
            }
        }
        if (Read(other) == magnitude) return Write(negative, other);
    }
}

bool ParseDecimalC(std::string_view digits, double& value) {
    std::string text = digits.starts_with('.') ? "0" : "";
    text += digits;
    const double parsed = std::strtod(text.c_str(), nullptr);
    if (std::isinf(parsed)) return false;
    if (parsed == 0 && text.find_first_of("123456789") != std::string::npos) return false;
    value = parsed;
    return true;
}

} // namespace karven
