#pragma once
// The race panel's pictures: the animation frame and the weather.

namespace karven {

struct RaceState;

// 1 start set-up, 2 go, 3 lap, 4 retirement, 5 penalty, 6 pit-in, 7 pit-out, 8 attack or jump start.
void ShowAnime(RaceState& race, int kind);
// imgTenki(1..3): fine, cloudy, rain.
void LoadWeatherPictures(RaceState& race);
// imgTenki(0) shows the current weather, lblKousui the rain probability.
void ShowWeather(RaceState& race);

} // namespace karven
