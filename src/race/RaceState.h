#pragma once
// What one race carries from the start confirmation to the flag, and the texts its steps share.

#include <array>
#include <string>
#include <vector>

#include "weekend/EntryTables.h"

namespace karven {

class Shell;
struct Season;
struct GpRecord;
class FrmKarvenRace;
struct Control;

// What the laps read of a car again and again, taken once; the texts stay the record.
struct CarNumbers {
    double courseFactor = 0;
    double aero = 0, technique = 0, roughness = 0, block = 0, drvStability = 0;
    int reliability = 0; // DrvStability + TimStability
    int penalty = 0;     // Technique + Roughness + Block + DrvStability
    double time = 0;     // Time as read back from its text
    int tyreLaps = 0;
    // Retired != "0", RainTyre == "1", PenLap != "0": kept with the texts, which the race writes.
    bool retired = false, rainTyre = false, penLap = false;
    std::string colorPath;
};

struct RaceState {
    RaceState(Shell& shell, RaceWeekend& weekend, int gp);

    Shell& shell;
    Season& season;
    FrmKarvenRace& main;
    std::vector<EntryRecord>& table; // KesyouTable: element k is the car in position k
    const GpRecord& gp;

    int N;        // the Grand Prix being run
    int nin;      // cars in the race
    int syuCount; // laps
    double syuValue; // SyuCount as read: its retirement odds follow this value
    bool evePit, evePen, eveTen;
    std::string appPath;
    std::string animePath; // appPath + "img/anime/": the animation shows at every step

    int Tenkou = 1; // 1 fine, 2 cloudy, 3 rain
    int Kousui = 0;
    int PrevTenkou = 1;
    int PenCount = 0;
    double FlTime = 9999999999.0;
    std::string FlDrvNo;
    int lap = 0;

    // cars[carOf[k]] belongs to the car in position k; carOf moves with the table.
    std::vector<CarNumbers> cars;
    std::vector<int> carOf;
    CarNumbers& Numbers(int k) { return cars[carOf[k]]; }

    // Controls the race touches on every lap, looked up once.
    Control* lblTitle;
    Control* imgAnime;
    Control* lblKousui;
    std::array<Control*, 4> imgTenki;
};

// Takes the numbers of the cars now in the table.
void PrepareCars(RaceState& race);
// Time of the car in position k, as text and as read back.
void SetTime(RaceState& race, int k, double value);
// TyreLaps of the car in position k.
void SetTyreLaps(RaceState& race, int k, int laps);
// Retired, RainTyre and PenLap of the car in position k, text and flag together.
void SetRetired(RaceState& race, int k);
void SetRainTyre(RaceState& race, int k, bool rain);
void SetPenLap(RaceState& race, int k, bool pen);

// "晴れ", "くもり", "雨".
const char* WeatherText(int tenkou);
// Tenkou from the rain probability: up to 30 fine, up to 60 cloudy, above rain.
int TenkouOf(int kousui);
// Rain tyres in the dry, or dry tyres in the rain.
bool OnWrongTyres(const RaceState& race, const CarNumbers& car);

void AppendInt(std::string& text, long long value);
// k "位", the driver and the team on lines of their own, then an empty line.
// The driver and the team on lines of their own.
void AppendNames(std::string& text, const EntryRecord& car);
void AppendCaption(std::string& text, int position, const EntryRecord& car);
// The last step of a car's commentary: into MsgText and shown.
void Comment(RaceState& race);

} // namespace karven
