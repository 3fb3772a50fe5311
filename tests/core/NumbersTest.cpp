#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <cmath>
#include <limits>
#include <string>

#include "season/Numbers.h"

using namespace karven;

TEST(ReadNumber, TakesTheLongestLeadingDecimalNumber) {
    EXPECT_EQ(ReadNumber("12"), 12);
    EXPECT_EQ(ReadNumber("  12abc"), 12);
    EXPECT_EQ(ReadNumber("-3.5x"), -3.5);
    EXPECT_EQ(ReadNumber("+7"), 7);
    EXPECT_EQ(ReadNumber(".5"), 0.5);
    EXPECT_EQ(ReadNumber("1."), 1);
    EXPECT_EQ(ReadNumber("1.2.3"), 1.2);
    EXPECT_EQ(ReadNumber("1e5"), 1);
    EXPECT_EQ(ReadNumber("999.99"), 999.99);
}

TEST(ReadNumber, MalformedTextReadsAsZero) {
    for (const char* text : {"", " ", "abc", "-", "+", ".", "-.", "　12", "x12", "\t5"})
        EXPECT_EQ(ReadNumber(text), 0) << '"' << text << '"';
}

TEST(ReadCount, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(ReadCount("2.5"), 2);
    EXPECT_EQ(ReadCount("3.5"), 4);
    EXPECT_EQ(ReadCount("-2.5"), -2);
    EXPECT_EQ(ReadCount("2.51"), 3);
    EXPECT_EQ(ReadCount("99999999999999"), 2147483647);
}

TEST(Format, Patterns) {
    EXPECT_EQ(Format00(1), "01");
    EXPECT_EQ(Format00(12), "12");
    EXPECT_EQ(Format00(123), "123");
    EXPECT_EQ(Format0000(7), "0007");
    EXPECT_EQ(Format0_00(0), "0.00");
    EXPECT_EQ(Format0_00(1.005), "1.01");
    EXPECT_EQ(Format0_00(12.344), "12.34");
    EXPECT_EQ(Format0_00(999.99), "999.99");
    EXPECT_EQ(Format0_00(-0.5), "-0.50");
    EXPECT_EQ(Format0_0(8.25), "8.3");
    EXPECT_EQ(Format0_0(12.96), "13.0");
    EXPECT_EQ(FormatPlain(3.0), "3");
    EXPECT_EQ(FormatPlain(2.5), "2.5");
    EXPECT_EQ(FormatPlain(-4), "-4");
}

TEST(Format, TimeTextReadsBackAsItsReturnedValue) {
    // The race keeps the returned number beside the text; both must always agree.
    std::string text;
    for (double v : {0.0, 0.004, 0.005, 1.005, 2.675, 3.3000000000000003, 999.99, 123.455, 1e9 + 0.5, -0.001, -2.5,
                     12345678.125, 98765432.105, 0.125}) {
        double back = AssignFormat0_00(text, v);
        EXPECT_EQ(text, Format0_00(v)) << v;
        EXPECT_EQ(back, ReadNumber(text)) << v;
    }
    double v = 0;
    for (int i = 0; i < 20000; ++i) {
        v += 0.0137 * (i % 7 + 1);
        double back = AssignFormat0_00(text, v);
        ASSERT_EQ(back, ReadNumber(text)) << v;
    }
}

TEST(ReadNumber, FractionsMatchTheExactConversion) {
    for (const char* text : {"0.1", "123.45", "999.99", "0.07", "12345678901.234", "-3.30", "1.005"})
        EXPECT_EQ(ReadNumber(text), std::stod(text)) << text;
    EXPECT_EQ(ReadNumber("12345678901234567890"), 12345678901234567890.0); // long digit runs do not overflow
}

namespace {
// Reference: the shortest decimal form of the value, rounded by hand at two decimals, halves up.
std::string ShortestRounded(double v) {
    char buffer[400];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(v), std::chars_format::fixed);
    std::string digits(buffer, r.ptr);
    size_t point = digits.find('.');
    std::string whole = point == std::string::npos ? digits : digits.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : digits.substr(point + 1);
    bool up = fraction.size() > 2 && fraction[2] >= '5';
    fraction.resize(2, '0');
    long long units = std::stoll(whole + fraction) + (up ? 1 : 0);
    std::string out = std::to_string(units / 100) + "." + (units % 100 < 10 ? "0" : "") + std::to_string(units % 100);
    return (v < 0 && units != 0 ? "-" : "") + out;
}
} // namespace

TEST(Format, FastPathAgreesWithTheDigitExactRounding) {
    // Values at and one ulp either side of printed halves, over the magnitudes races and seasons use.
    for (double scale : {1.0, 10.0, 1000.0, 1e5, 1e7, 1e8}) {
        for (int i = 0; i < 2000; ++i) {
            double base = (i * 7919 % 100000) * scale / 100000 + 0.005;
            for (double v : {std::nextafter(base, 0.0), base, std::nextafter(base, 1e300), -base})
                ASSERT_EQ(Format0_00(v), ShortestRounded(v)) << v;
        }
    }
    EXPECT_EQ(Format0_00(123.455), "123.46");
    EXPECT_EQ(Format0_00(2.675), "2.68");
}

// Counters and points a file may hold have any number of digits; a race adds to them and writes
// them back, so every value must come out whole and read back as itself.
TEST(Format, PlainNumbersOfAnySizeComeOutWholeAndReadBack) {
    const std::string zeros64(64, '0'), zeros300(300, '0');
    EXPECT_EQ(FormatPlain(1e15), "1000000000000000");
    EXPECT_EQ(FormatPlain(1e15 + 1), "1000000000000001");
    EXPECT_EQ(FormatPlain(-1e15 - 2), "-1000000000000002");
    EXPECT_EQ(FormatPlain(1e64), "1" + zeros64);
    EXPECT_EQ(FormatPlain(ReadNumber("1" + zeros64) + 1), "1" + zeros64); // one more is no more at 1e64
    EXPECT_EQ(FormatPlain(1e300), "1" + zeros300);
    EXPECT_EQ(FormatPlain(-2.5e300), "-25" + std::string(299, '0'));
    EXPECT_EQ(FormatPlain(1234567890123456e10), "1234567890123456" + std::string(10, '0'));
    EXPECT_EQ(FormatPlain(1.5e-300), "0." + std::string(299, '0') + "15");
    EXPECT_EQ(FormatPlain(5e-324), "0." + std::string(323, '0') + "5");
    EXPECT_EQ(FormatPlain(0.1 + 0.2), "0.30000000000000004");

    // Beyond the largest finite value: a sum may get there; it is written as that value.
    const std::string largest = "17976931348623157" + std::string(292, '0');
    EXPECT_EQ(FormatPlain(std::numeric_limits<double>::max()), largest);
    EXPECT_EQ(FormatPlain(std::numeric_limits<double>::infinity()), largest);
    EXPECT_EQ(FormatPlain(-std::numeric_limits<double>::infinity()), "-" + largest);
    EXPECT_EQ(FormatPlain(std::nan("")), "0");
    // Text beyond the range of a double reads as 0, as ReadNumber has always read it.
    EXPECT_EQ(FormatPlain(ReadNumber(std::string(400, '9')) + 3), "3");

    EXPECT_EQ(Format0_00(1e64), "1" + zeros64 + ".00");
    EXPECT_EQ(Format0_0(-1e300), "-1" + zeros300 + ".0");
    EXPECT_EQ(Format0_00(std::numeric_limits<double>::infinity()), largest + ".00");

    // Every magnitude a double has, with short and long mantissas, reads back exactly.
    for (int exponent = -307; exponent <= 308; ++exponent) {
        for (double mantissa : {1.0, 3.0, 1.2345678901234567, 9.87654321}) {
            double v = mantissa * std::pow(10.0, exponent);
            if (!std::isfinite(v)) continue;
            std::string text = FormatPlain(v);
            ASSERT_EQ(text.find_first_not_of("-0123456789."), std::string::npos) << v;
            ASSERT_EQ(ReadNumber(text), v) << text;
            ASSERT_EQ(ReadNumber(FormatPlain(-v)), -v) << text;
        }
    }
}

TEST(Numbers, PlainValueIsTheValueItsTextReadsBack) {
    // The market keeps its scores as numbers: each must be what its text would have read back as.
    const double inf = std::numeric_limits<double>::infinity();
    for (double v : {0.0, -0.0, 7.0, -3.0, 0.1 + 0.2, 17 * 0.1, 1e15 - 1, 1e15, 1e15 + 0.5, 1e20, 5e-324, 1.5e-300, inf,
                     -inf, std::nan("")}) {
        const double expected = ReadNumber(FormatPlain(v));
        const double got = PlainValue(v);
        EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << v << ": " << got << " against " << expected;
    }
}
