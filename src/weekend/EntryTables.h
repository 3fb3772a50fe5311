#pragma once
// The race weekend's working tables: filled by qualifying, raced on by the final.
// They live from one qualifying to the next and are never saved.

#include <string>
#include <vector>

namespace karven {

struct EntryRecord {
    std::string TimNo;
    std::string TimNm;
    std::string ColorNo;
    std::string Speed;
    std::string Aero;
    std::string TimStability;
    std::string DrvNo;
    std::string DrvNm;
    std::string Technique;
    std::string Roughness;
    std::string Block;
    std::string DrvStability;
    std::string Retired = "0";
    std::string PitCount = "0";
    std::string RainTyre = "0";
    std::string TyreLaps = "0";
    std::string Time = "0";
    std::string PenLap = "0";
};

// One entered driver as qualifying reads him: his places in the season and the ratings that count.
struct Entrant {
    int position = 0; // his place in DrvTable
    int driver = 0;   // the DrvTable place his DrvNo names
    int team = 0;     // the TimTable place his TimNo names
    double courseFactor = 0, speed = 0, aero = 0, technique = 0;
    double roughness = 0, block = 0, drvStability = 0, timStability = 0; // for the race
    double time = 0; // the qualifying time as its two-decimal text reads back
};

// Element 0 of each table is scratch space; cars are 1..n.
class RaceCalls;

struct RaceWeekend {
    int EntryCount = 0;
    // Who makes the calls of the player's cars in the race; none when every car runs by its rolls.
    RaceCalls* calls = nullptr;
    // Qualifying's order as numbers: the race starts from it. YosenResultTable is its text, for
    // the windows.
    std::vector<Entrant> grid{1};
    std::vector<EntryRecord> YosenResultTable{1};
};

} // namespace karven
