#include "race/Board.h"

#include <utility>

#include "race/RaceState.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/FrmKarvenRace.h"
#include "shell/Platform.h"

namespace karven {

namespace {
bool IsRetired(const EntryRecord& car) { return car.Retired != "0"; }

// Element 0 holds the moving car while the others shift.
void Lift(std::vector<EntryRecord>& t, int from) { t[0] = std::move(t[from]); }
void Place(std::vector<EntryRecord>& t, int to) { t[to] = std::move(t[0]); }
} // namespace

void WriteRow(RaceState& race, int k) {
    if (k < 1 || k > GridRows) return; // cars beyond the grid's rows still race, unseen
    const EntryRecord& car = race.table[k];
    FrmKarvenRace& main = race.main;
    main.lbl(2, k).text = car.DrvNm;
    main.lbl(3, k).text = car.TimNm;
    main.lbl(4, k).text = car.Time;
    main.lbl(5, k).text = car.PitCount;
    main.lbl(6, k).text = car.RainTyre == "1" ? "R" : "";
    // The same path as ColorFilePath(colorNo, 1), built in the control's own buffer.
    std::string& picture = main.imgCo(k).picture;
    picture = race.appPath;
    picture += "img";
    picture += PathSeparator;
    picture += "color";
    picture += PathSeparator;
    picture += car.ColorNo;
    picture += ".dat";
}

void WriteRows(RaceState& race, int from, int to) {
    if (from > to) std::swap(from, to);
    for (int k = from; k <= to; ++k) WriteRow(race, k);
}

int DropBack(RaceState& race, int k) {
    std::vector<EntryRecord>& t = race.table;
    Lift(t, k);
    double time = ReadNumber(t[0].Time);
    int i = k + 1;
    // A running car never falls behind a retired one, whatever its Time.
    for (; i <= race.nin; ++i) {
        if (IsRetired(t[i]) || time < ReadNumber(t[i].Time)) break;
        t[i - 1] = std::move(t[i]);
    }
    Place(t, i - 1);
    WriteRows(race, k, i - 1);
    return i - 1;
}

int Retire(RaceState& race, int k) {
    std::vector<EntryRecord>& t = race.table;
    Lift(t, k);
    int i = k + 1;
    for (; i <= race.nin; ++i) {
        if (IsRetired(t[i])) break;
        t[i - 1] = std::move(t[i]);
    }
    Place(t, i - 1);
    EntryRecord& car = t[i - 1];
    car.Retired = "1";
    car.Time = "999.99";
    WriteRows(race, k, i - 1);
    return i - 1;
}

void Swap(RaceState& race, int k) {
    std::swap(race.table[k - 1], race.table[k]);
    WriteRows(race, k - 1, k);
}

void Jump(RaceState& race, int k, int g) {
    std::vector<EntryRecord>& t = race.table;
    Lift(t, k);
    for (int i = k - 1; i >= k - g; --i) t[i + 1] = std::move(t[i]);
    Place(t, k - g);
    WriteRows(race, k - g, k);
}

} // namespace karven
