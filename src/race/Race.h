#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "race/RaceState.h"
#include "weekend/EntryTables.h"

namespace karven {

class Shell;
struct Season;

// What a race leaves behind besides the season.
struct RaceOutcome {
    int gp = 0;          // the Grand Prix just run
    std::string FlDrvNo; // fastest lap
    int PenCount = 0;    // penalties given
    // The cars at the flag in finishing order (element 0 unused), their ids their places on the grid.
    std::vector<RaceCar> finish{1};
};

// From the confirmed start to the booking, the same for the race watched and the race nobody
// watches: the grid takes its places, the laps run, `beforeBooking` may look, the season books it.
void RunRace(RaceState& race, std::vector<RaceCar> grid, Season& season,
             const std::function<void()>& beforeBooking = {});

// cmdKesyou: the final race of Grand Prix EndGp + 1 after qualifying; nullopt when cancelled.
std::optional<RaceOutcome> RunKesyou(Shell& shell, RaceWeekend& weekend);

// The entry of a car as the race leaves it: its numbers written as text.
EntryRecord RecordOfCar(const EntryRecord& entry, const RaceCar& car);
// KesyouTable: the result of the race just run on this weekend's grid, as text (element 0 unused).
std::vector<EntryRecord> KesyouTable(const RaceWeekend& weekend, const RaceOutcome& outcome);

} // namespace karven
