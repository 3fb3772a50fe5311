#include "race/Board.h"

#include <utility>

#include "race/RaceState.h"
#include "season/Season.h"
#include "shell/FrmKarvenRace.h"

namespace karven {

namespace {

constexpr std::string EntryRecord::*Fields[] = {
    &EntryRecord::TimNo,     &EntryRecord::TimNm,        &EntryRecord::ColorNo,   &EntryRecord::Speed,
    &EntryRecord::Aero,      &EntryRecord::TimStability, &EntryRecord::DrvNo,     &EntryRecord::DrvNm,
    &EntryRecord::Technique, &EntryRecord::Roughness,    &EntryRecord::Block,     &EntryRecord::DrvStability,
    &EntryRecord::Retired,   &EntryRecord::PitCount,     &EntryRecord::RainTyre,  &EntryRecord::TyreLaps,
    &EntryRecord::Time,      &EntryRecord::PenLap};
static_assert(sizeof(EntryRecord) == sizeof(Fields) / sizeof(Fields[0]) * sizeof(std::string));

// Element 0 holds the moving car while the others shift; its numbers go with it.
void Move(RaceState& race, int to, int from) {
    race.table[to] = std::move(race.table[from]);
    race.carOf[to] = race.carOf[from];
}
} // namespace

void WriteRow(RaceState& race, int k) {
    if (k < 1 || k > GridRows) return; // cars beyond the grid's rows still race, unseen
    const EntryRecord& car = race.table[k];
    FrmKarvenRace& main = race.main;
    main.lbl(2, k).text = car.DrvNm;
    main.lbl(3, k).text = car.TimNm;
    main.lbl(4, k).text = car.Time;
    main.lbl(5, k).text = car.PitCount;
    std::string& tyre = main.lbl(6, k).text;
    if (race.Numbers(k).rainTyre) tyre.assign(1, 'R');
    else tyre.clear();
    main.imgCo(k).picture = race.Numbers(k).colorPath;
}

void WriteRows(RaceState& race, int from, int to) {
    if (from > to) std::swap(from, to);
    for (int k = from; k <= to; ++k) WriteRow(race, k);
}

int DropBack(RaceState& race, int k) {
    Move(race, 0, k);
    double time = race.Numbers(0).time;
    int i = k + 1;
    // A running car never falls behind a retired one, whatever its Time.
    for (; i <= race.nin; ++i) {
        if (race.Numbers(i).retired || time < race.Numbers(i).time) break;
        Move(race, i - 1, i);
    }
    Move(race, i - 1, 0);
    WriteRows(race, k, i - 1);
    return i - 1;
}

int Retire(RaceState& race, int k) {
    Move(race, 0, k);
    int i = k + 1;
    for (; i <= race.nin; ++i) {
        if (race.Numbers(i).retired) break;
        Move(race, i - 1, i);
    }
    Move(race, i - 1, 0);
    SetRetired(race, i - 1);
    SetTime(race, i - 1, 999.99);
    WriteRows(race, k, i - 1);
    return i - 1;
}

void Swap(RaceState& race, int k) {
    EntryRecord& a = race.table[k - 1];
    EntryRecord& b = race.table[k];
    // Field by field: cheaper than moving whole records through a temporary.
    for (std::string EntryRecord::*field : Fields) (a.*field).swap(b.*field);
    std::swap(race.carOf[k - 1], race.carOf[k]);
    WriteRows(race, k - 1, k);
}

void Jump(RaceState& race, int k, int g) {
    Move(race, 0, k);
    for (int i = k - 1; i >= k - g; --i) Move(race, i + 1, i);
    Move(race, k - g, 0);
    WriteRows(race, k - g, k);
}

} // namespace karven
