#include "race/Race.h"

#include "race/LapLoop.h"
#include "race/LapRecorder.h"
#include "race/RaceDisplay.h"
#include "race/RaceEnd.h"
#include "race/RaceStart.h"
#include "race/RaceState.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "season/Utf8.h"
#include "shell/MessageWindows.h"
#include "shell/Random.h"
#include "shell/Shell.h"

namespace karven {

std::optional<RaceOutcome> RunKesyou(Shell& shell, RaceWeekend& weekend) {
    Season& season = shell.season;
    int n = ReadCount(season.Sis.EndGp) + 1;
    // No race past the calendar's end, nor without a qualifying to take the grid from.
    bool inCalendar = n >= 1 && n <= ReadCount(season.Sis.GpCount) && n < int(season.GpTable.size());
    if (!inCalendar || weekend.EntryCount < 1 || int(weekend.YosenResultTable.size()) <= weekend.EntryCount ||
        int(weekend.grid.size()) <= weekend.EntryCount) {
        shell.MsgText = Tr("決勝を開始できません。") + std::string(CrLf) +
                        Tr(inCalendar ? "先に予選を行ってください。" : "開催できるグランプリがありません。");
        ShowOk(shell);
        return std::nullopt;
    }

    shell.random.Reseed();
    RaceSetup setup = SetupOf(shell, n, weekend.EntryCount);
    // The grid: the first NinCount of qualifying, each team named without its engine.
    std::vector<EntryRecord> entries(weekend.YosenResultTable.begin(),
                                     weekend.YosenResultTable.begin() + setup.nin + 1);
    for (EntryRecord& e : entries) e.TimNm = TextBefore(e.TimNm, "・");
    RaceDisplay display(shell, weekend, n, entries);
    RaceState race(setup, shell.random, display);
    race.calls = weekend.calls;
    if (!ConfirmStart(race)) return std::nullopt;
    StartRecording(race, entries);
    std::vector<RaceCar> grid(entries.size());
    for (int k = 1; k < int(grid.size()); ++k) grid[k] = CarOf(weekend.grid[k], k);
    StartRace(race, std::move(grid));
    RunLaps(race);
    FinishRace(race, season);

    weekend.KesyouTable.assign(1, EntryRecord{});
    for (int k = 1; k <= race.Cars(); ++k) weekend.KesyouTable.push_back(display.Record(race, k));
    std::string flDrvNo = race.FlCar ? entries[race.FlCar].DrvNo : "";
    return RaceOutcome{n, flDrvNo, race.PenCount};
}

} // namespace karven
