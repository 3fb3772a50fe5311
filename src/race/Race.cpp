#include "race/Race.h"

#include "race/LapLoop.h"
#include "race/RaceEnd.h"
#include "race/RaceStart.h"
#include "race/RaceState.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/Random.h"
#include "shell/Shell.h"

namespace karven {

std::optional<RaceOutcome> RunKesyou(Shell& shell, RaceWeekend& weekend) {
    Season& season = shell.season;
    int n = ReadCount(season.Sis.EndGp) + 1;
    // No race past the calendar's end, nor without a qualifying to take the grid from.
    if (n < 1 || n > ReadCount(season.Sis.GpCount) || n >= int(season.GpTable.size())) return std::nullopt;
    if (weekend.EntryCount < 1 || int(weekend.YosenResultTable.size()) <= weekend.EntryCount) return std::nullopt;

    shell.random.Reseed();
    RaceState race(shell, weekend, n);
    if (!ConfirmStart(race)) return std::nullopt;
    SetUpRace(race, weekend);
    RunLaps(race);
    FinishRace(race);
    return RaceOutcome{n, race.FlDrvNo, race.PenCount};
}

} // namespace karven
