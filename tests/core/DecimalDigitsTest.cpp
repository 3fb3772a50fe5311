#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "season/DecimalDigits.h"

using namespace karven;

// The browser build writes and reads numbers through printf and strtod: on the desktop they must
// give what charconv gives, or a season saved in one would differ from the other.
#if KARVEN_FLOAT_CHARCONV
namespace {
std::vector<double> Awkward() {
    std::vector<double> values = {0.0, -0.0, 1.0, -1.0, 0.1, 0.2, 0.3, 1.005, 2.675, 1e15, 1e16, 1e22, 1e23,
                                  9007199254740992.0, 9007199254740993.0, 5e-324, 1e-323,
                                  std::numeric_limits<double>::min(), std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::epsilon()};
    // Every power of two, where the values that read back lie unevenly around the number.
    for (int e = -1074; e <= 1023; ++e) {
        double p = std::ldexp(1.0, e);
        values.insert(values.end(), {p, std::nextafter(p, 0.0), std::nextafter(p, INFINITY)});
    }
    // Race times, ratings and points as the game keeps them, and their neighbours.
    for (int k = 0; k <= 200000; k += 7) {
        double v = k / 100.0;
        values.insert(values.end(), {v, -v, std::nextafter(v, 0.0), std::nextafter(v, INFINITY), k / 10.0, k * 0.001});
    }
    for (int k = 1; k < 400; ++k) values.push_back(std::pow(10.0, k - 200));
    std::mt19937_64 bits(20261209);
    for (int k = 0; k < 100000; ++k) {
        double v = std::bit_cast<double>(bits());
        if (std::isfinite(v)) values.push_back(v);
    }
    return values;
}
} // namespace

TEST(DecimalDigits, TheCLibraryWritesTheDigitsCharconvWrites) {
    int checked = 0;
    for (double v : Awkward()) {
        ASSERT_EQ(ShortestScientificC(v), ShortestScientific(v)) << std::hexfloat << v;
        ++checked;
    }
    EXPECT_GT(checked, 250000);
}

TEST(DecimalDigits, TheCLibraryReadsTheValuesCharconvReads) {
    std::vector<std::string> texts = {"0", "0.0", "1", ".5", "0.5", "123456789012345678901234567890",
                                      "0.1000000000000000055511151231257827", "2.67499999999999982236431605997495353221893310546875",
                                      "9007199254740993", "1" + std::string(308, '0'), "1" + std::string(309, '0'),
                                      "0." + std::string(322, '0') + "5", "0." + std::string(323, '0') + "2470328229206232720882538",
                                      "0." + std::string(323, '0') + "25", "0." + std::string(400, '0') + "1", std::string(500, '0')};
    // The longest double's digits and the same plus one, which rounds to infinity.
    texts.push_back("179769313486231570814527423731704356798070567525844996598917476803157260780028538760589558632766878171540458953514382464234321326889464182768467546703537516986049910576551282076245490090389328944075868508455133942304583236903222948165808559332123348274797826204144723168738177180919299881250404026184124858368");
    texts.push_back("179769313486231580793728971405303415079934132710037826936173778980444968292764750946649017977587207096330286416692887910946555547851940402630657488671505820681908902000708383676273854845817711531764475730270069855571366959622842914819860834936475292719074168444365510704342711559699508093042880177904174497792");
    for (double v : Awkward()) {
        // Each number in plain decimal, to 17 places.
        char buffer[1100];
        std::snprintf(buffer, sizeof buffer, "%.17f", std::fabs(v));
        texts.push_back(buffer);
        if (texts.size() > 120000) break;
    }
    for (const std::string& text : texts) {
        double viaC = 42, viaCharconv = 42;
        bool okC = ParseDecimalC(text, viaC), okCharconv = ParseDecimal(text, viaCharconv);
        ASSERT_EQ(okC, okCharconv) << text;
        ASSERT_EQ(std::bit_cast<uint64_t>(viaC), std::bit_cast<uint64_t>(viaCharconv)) << text;
    }
}
#endif

TEST(DecimalDigits, ShortestDigitsReadBack) {
    EXPECT_EQ(ShortestScientific(0.1), "1e-01");
    EXPECT_EQ(ShortestScientific(-1234.5), "-1.2345e+03");
    EXPECT_EQ(ShortestScientific(5e-324), "5e-324");
    EXPECT_EQ(ShortestScientific(std::numeric_limits<double>::max()), "1.7976931348623157e+308");
    double value = 0;
    EXPECT_TRUE(ParseDecimal("1.7976931348623157", value));
    EXPECT_EQ(value, 1.7976931348623157);
    value = 7;
    EXPECT_FALSE(ParseDecimal("1" + std::string(400, '0'), value));
    EXPECT_EQ(value, 7); // out of range leaves the value as it was
}
