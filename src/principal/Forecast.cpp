#include "principal/Forecast.h"

#include <algorithm>
#include <array>

namespace karven::principal {

namespace {
constexpr int Top = 100;
constexpr int Rain = 61;
// Beyond so many laps the answer no longer moves at the precision it is shown with.
constexpr int Horizon = 200;

// One lap's change: down or up by 1..10 alike, held within 0..100.
std::array<double, Top + 1> Step(const std::array<double, Top + 1>& now) {
    std::array<double, Top + 1> next{};
    for (int k = 0; k <= Top; ++k) {
        if (now[k] == 0) continue;
        for (int m = 1; m <= 10; ++m) {
            next[std::max(0, k - m)] += now[k] / 20;
            next[std::min(Top, k + m)] += now[k] / 20;
        }
    }
    return next;
}
} // namespace

RainForecast ForecastRain(int kousui, int laps) {
    const bool raining = kousui >= Rain;
    auto wet = [](int k) { return k >= Rain; };
    RainForecast f;
    // The weather that has not yet turned (to rain when dry, to dry when raining), lap by lap.
    std::array<double, Top + 1> unturned{};
    unturned[std::clamp(kousui, 0, Top)] = 1;
    for (int lap = 1; lap <= std::min(laps, Horizon); ++lap) {
        unturned = Step(unturned);
        double wetNow = 0;
        for (int k = 0; k <= Top; ++k)
            if (wet(k)) wetNow += unturned[k];
        if (lap == 1) f.nextLap = wetNow;
        for (int k = 0; k <= Top; ++k)
            if (wet(k) != raining) unturned[k] = 0;
    }
    double left = 0;
    for (double p : unturned) left += p;
    f.beforeFlag = std::clamp(raining ? (laps > 0 ? left : 1) : 1 - left, 0.0, 1.0);
    return f;
}

} // namespace karven::principal
