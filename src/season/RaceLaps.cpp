#include "season/RaceLaps.h"

#include <cmath>
#include <limits>

#include "season/Numbers.h"

namespace karven {

int64_t HundredthsExactly(double seconds) {
    double shown = Round0_00(seconds); // what the board's text reads back as
    if (std::isnan(shown)) return 0;
    if (std::fabs(shown) < 9e13) { // hundredths a double holds exactly
        // llround without its call: the nearest whole number by the 2^52 sum, the halves (where
        // llround rounds away from zero, the sum to even) left to llround.
        const double scaled = shown * 100;
        const double magnitude = std::fabs(scaled);
        const double nearest = (magnitude + 0x1p52) - 0x1p52;
        if (magnitude < 0x1p51 && std::fabs(magnitude - nearest) != 0.5)
            return scaled < 0 ? -int64_t(nearest) : int64_t(nearest);
        return std::llround(scaled);
    }
    // Beyond, the digits of the text itself, as far as they fit.
    const std::string text = Format0_00(seconds);
    const bool negative = text[0] == '-';
    int64_t units = 0;
    for (char c : text) {
        if (c < '0' || c > '9') continue;
        if (units > (std::numeric_limits<int64_t>::max() - 9) / 10) {
            units = std::numeric_limits<int64_t>::max();
            break;
        }
        units = units * 10 + (c - '0');
    }
    return negative ? -units : units;
}

LapRow RaceLaps::AddLap(int lapWeather, int cars) {
    weather.push_back(lapWeather);
    const size_t at = order.size();
    order.resize(at + size_t(cars));
    time.resize(at + size_t(cars));
    return {std::span(order).subspan(at), std::span(time).subspan(at)};
}

std::string TimeText(int64_t hundredths) {
    const bool negative = hundredths < 0;
    // The magnitude as unsigned, so that the smallest int64 has one too.
    uint64_t units = negative ? 0 - uint64_t(hundredths) : uint64_t(hundredths);
    std::string text = std::to_string(units / 100) + "." + char('0' + units % 100 / 10) + char('0' + units % 10);
    return negative ? "-" + text : text;
}

} // namespace karven
