#pragma once
// The weather ahead as the race's own rule makes it: each lap the chance of rain moves 1 to 10
// points up or down, alike, and it rains from 61 on.

namespace karven::principal {

struct RainForecast {
    double nextLap = 0; // the chance that it rains on the next lap
    double beforeFlag = 0; // that it rains on some lap still to come (while raining: on every one)
};

// From the chance of rain now, with `laps` laps still to start; raining now turns the question
// round: how likely the rain stays.
RainForecast ForecastRain(int kousui, int laps);

} // namespace karven::principal
