#include "season/Numbers.h"

#include "season/DecimalDigits.h"

#include <charconv>
#include <cmath>
#include <climits>
#include <cstdio>
#include <limits>

namespace karven {

double ReadNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    size_t digitsStart = i;
    long long whole = 0;
    bool simple = true;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (i - digitsStart > 15) simple = false;
        if (simple) whole = whole * 10 + (text[i] - '0'); // no overflow on long digit runs
        ++i;
    }
    size_t wholeDigits = i - digitsStart;
    size_t fractionDigits = 0;
    if (i < text.size() && text[i] == '.') {
        size_t point = i++;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        fractionDigits = i - point - 1;
    }
    if (wholeDigits == 0 && fractionDigits == 0) return 0.0;
    if (simple && fractionDigits == 0) return negative ? -double(whole) : double(whole);
    if (wholeDigits + fractionDigits <= 15) {
        // Race times: an exact integer mantissa over an exact power of ten rounds once, like from_chars.
        static constexpr double Powers[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        long long mantissa = whole;
        for (size_t p = digitsStart + wholeDigits + 1; p < i; ++p) mantissa = mantissa * 10 + (text[p] - '0');
        double value = double(mantissa) / Powers[fractionDigits];
        return negative ? -value : value;
    }

    // The digits only: neither a sign of '+' nor a bare trailing point. Beyond the range reads as 0.
    std::string_view number = text.substr(digitsStart, i - digitsStart);
    if (!number.empty() && number.back() == '.') number.remove_suffix(1);
    double value = 0.0;
    if (number.front() == '.') {
        std::string padded = "0";
        padded += number;
        ParseDecimal(padded, value);
    } else {
        ParseDecimal(number, value);
    }
    return negative ? -value : value;
}

namespace {
int ClampToInt(double whole) {
    if (std::isnan(whole)) return 0;
    if (whole >= double(INT_MAX)) return INT_MAX;
    if (whole <= double(INT_MIN)) return INT_MIN;
    return int(whole);
}
} // namespace

int RoundHalfEven(double value) {
    return ClampToInt(std::nearbyint(value)); // default rounding mode: to nearest, ties to even
}

int FloorToInt(double value) { return ClampToInt(std::floor(value)); }

std::string FormatPlain(int value) { return std::to_string(value); }

namespace {
// The value in plain decimal, without an exponent: the shortest digits that read back as the value,
// filled out with zeros ("1e64" is a one and 64 zeros). The one place where a number becomes
// digits. A value beyond the largest finite one (no file holds it, a sum might reach it) is
// written as that value; NaN as 0.
std::string FixedDigits(double value) {
    if (std::isnan(value)) return "0";
    if (std::isinf(value)) value = std::copysign(std::numeric_limits<double>::max(), value);
    const std::string scientific = ShortestScientific(value);
    std::string_view text = scientific;
    size_t e = text.find('e');
    bool negative = text[0] == '-';
    std::string digits;
    for (char c : text.substr(negative, e - negative))
        if (c != '.') digits += c;
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), exponent);
    // The digits stand for d.ddd × 10^exponent.
    const int wholeDigits = exponent + 1;
    std::string out = negative ? "-" : "";
    if (wholeDigits <= 0) {
        out += "0." + std::string(size_t(-wholeDigits), '0') + digits;
    } else if (size_t(wholeDigits) >= digits.size()) {
        out += digits + std::string(size_t(wholeDigits) - digits.size(), '0');
    } else {
        out += digits.substr(0, size_t(wholeDigits)) + "." + digits.substr(size_t(wholeDigits));
    }
    return out;
}
} // namespace

double PlainValue(double value) {
    if (value == std::trunc(value) && std::fabs(value) < 1e15) return value + 0.0; // -0 reads back as 0
    return ReadNumber(FormatPlain(value));
}

std::string FormatPlain(double value) {
    if (value == std::trunc(value) && std::fabs(value) < 1e15) return std::to_string((long long)value);
    return FixedDigits(value);
}

namespace {
std::string PadDigits(int value, int width) {
    char buffer[32];
    int n = std::snprintf(buffer, sizeof buffer, "%0*d", value < 0 ? width + 1 : width, value);
    return std::string(buffer, n);
}

// Rounds the shortest decimal form of the value, as a person reading it would: 1.005 gives "1.01".
std::string FormatScaled(double value, int decimals) {
    std::string digits = FixedDigits(value);
    bool negative = !digits.empty() && digits[0] == '-';
    if (negative) digits.erase(0, 1);
    size_t point = digits.find('.');
    std::string whole = point == std::string::npos ? digits : digits.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : digits.substr(point + 1);
    bool roundUp = fraction.size() > size_t(decimals) && fraction[decimals] >= '5';
    fraction.resize(decimals, '0');
    std::string number = whole + fraction;
    if (roundUp) {
        int i = int(number.size()) - 1;
        while (i >= 0 && number[i] == '9') number[i--] = '0';
        if (i < 0) number.insert(number.begin(), '1');
        else ++number[i];
    }
    std::string out = number.substr(0, number.size() - decimals) + "." + number.substr(number.size() - decimals);
    bool zero = out.find_first_not_of("0.") == std::string::npos;
    return negative && !zero ? "-" + out : out;
}

// Decides the rounding arithmetically; false when the value sits next to a half (or is too large)
// and only the digit-exact path can tell. `units` is the rounded magnitude in 1/100 or 1/10.
bool FastUnits(double value, int decimals, long long& units) {
    const double scale = decimals == 2 ? 100.0 : 10.0;
    double magnitude = std::fabs(value);
    if (!(magnitude < 1e9)) return false;
    double scaled = magnitude * scale;
    double nearest = (scaled + 0x1p52) - 0x1p52; // as Round0_00: no branch on the fraction
    // The product and the shortest form of the value each sit within a few ulps of the truth.
    if (0.5 - std::fabs(scaled - nearest) < 1e-7 + scaled * 1e-14) return false;
    units = (long long)nearest;
    return true;
}

// The same division ReadNumber does on the digits: an exact integer over an exact power of ten.
double ReadBack(double value, long long units, int decimals) {
    if (units == 0) return 0.0;
    return (value < 0 ? -double(units) : double(units)) / (decimals == 2 ? 100.0 : 10.0);
}

// The race formats a time for every car on every lap: the fast rounding, with the digit-exact path
// for values next to a half. Writes into `out`'s own buffer; false when it took the exact path.
bool WriteFast(std::string& out, double value, int decimals) {
    long long units = 0;
    if (!FastUnits(value, decimals, units)) {
        out = FormatScaled(value, decimals);
        return false;
    }
    const bool negative = value < 0 && units != 0;
    // Written in place, from the back: a copy from a side buffer cost as much as the digits.
    int digits = 1;
    const long long whole = decimals == 2 ? units / 100 : units / 10;
    for (long long limit = 10; digits < 18 && whole >= limit; limit *= 10) ++digits;
    out.resize(size_t(negative) + size_t(digits) + 1 + size_t(decimals));
    char* p = out.data() + out.size();
    // Two digits at a time from a table: this runs for every car on every lap.
    static constexpr char Pairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                    "8081828384858687888990919293949596979899";
    auto pair = [&](long long two) {
        p -= 2;
        p[0] = Pairs[2 * two];
        p[1] = Pairs[2 * two + 1];
    };
    if (decimals == 2) {
        pair(units % 100);
        units /= 100;
    } else {
        *--p = char('0' + units % 10);
        units /= 10;
    }
    *--p = '.';
    while (units >= 100) {
        pair(units % 100);
        units /= 100;
    }
    if (units >= 10) pair(units);
    else *--p = char('0' + units);
    if (negative) *--p = '-';
    return true;
}

// WriteFast, returning the value the text reads back as.
double AssignFast(std::string& out, double value, int decimals) {
    if (!WriteFast(out, value, decimals)) return ReadNumber(out);
    long long units = 0;
    FastUnits(value, decimals, units);
    return ReadBack(value, units, decimals);
}
} // namespace

std::string Format00(int value) { return PadDigits(value, 2); }
std::string Format0000(int value) { return PadDigits(value, 4); }
std::string Format0_00(double value) {
    std::string text;
    AssignFast(text, value, 2);
    return text;
}
std::string Format0_0(double value) {
    std::string text;
    AssignFast(text, value, 1);
    return text;
}
double AssignFormat0_00(std::string& text, double value) { return AssignFast(text, value, 2); }

double Round0_00Exactly(double value) {
    long long units = 0;
    if (FastUnits(value, 2, units)) return ReadBack(value, units, 2);
    return ReadNumber(FormatScaled(value, 2));
}

void WriteFormat0_00(std::string& text, double value) { WriteFast(text, value, 2); }

} // namespace karven
