#pragma once
// A race read back from its lap records, car by car: the places it held lap after lap, its gap to
// the leader, its stops, and the report line it ends with. What the race analysis window draws.

#include <string>
#include <vector>

#include "season/RaceLaps.h"

namespace karven {

struct Season;

struct CarStory {
    int car = 0; // grid place, 1 for the pole
    LapCar names;
    int finish = 0;       // place on the board at the flag: the classification
    int retiredLap = 0;   // 0 when it ran to the flag
    int retiredPlace = 0; // where it stood when it broke
    std::vector<int> place;  // [L]: place at the end of lap L; [0] the grid place
    std::vector<double> gap; // [L]: seconds behind the leader at the end of lap L (L >= 1; [0] is 0)
    std::vector<int> pitLaps, penaltyLaps;
    bool fastestLap = false;
    int points = 0;

    // Places gained (positive) or lost from the grid to the flag.
    int Gained() const { return car - finish; }
    // Whether lap L is one it ran (its line ends with the lap it broke down in).
    bool Ran(int lap) const { return retiredLap == 0 || lap < retiredLap; }
};

// Every car of the race in finishing order.
std::vector<CarStory> CarStories(const RaceLaps& race);
// The weather told in words, stretch by stretch: "スタート 晴れ、1〜12周 晴れ、13〜20周 雨".
std::string WeatherStory(const RaceLaps& race);
// One letter for a weather, written in its cell of the strip so that the colour is not alone.
const char* WeatherLetter(int weather);
// The race just run and the earlier ones with lap records, named for a list: "第3戦 モナコ ＧＰ".
std::string RaceTitle(const Season& season, const RaceLaps& race);

} // namespace karven
