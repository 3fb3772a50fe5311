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

void RunRace(RaceState& race, std::vector<RaceCar> grid, Season& season, const std::function<void()>& beforeBooking) {
    StartRace(race, std::move(grid));
    RunLaps(race);
    if (beforeBooking) beforeBooking();
    FinishRace(race, season);
}

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
    RaceDisplay display(shell, weekend, n, std::move(entries));
    RaceState race(setup, shell.random, display);
    race.calls = weekend.calls;
    if (!ConfirmStart(race)) return std::nullopt;
    StartRecording(race, display.Entries());
    std::vector<RaceCar> grid(display.Entries().size());
    for (int k = 1; k < int(grid.size()); ++k) grid[k] = CarOf(weekend.grid[k], k);
    RunRace(race, std::move(grid), season);

    std::string flDrvNo = race.FlCar ? display.Entries()[race.FlCar].DrvNo : "";
    return RaceOutcome{n, flDrvNo, race.PenCount, std::move(race.car)};
}

EntryRecord RecordOfCar(const EntryRecord& entry, const RaceCar& car) {
    EntryRecord e = entry;
    e.Retired = car.retired ? "1" : "0";
    e.PitCount = std::to_string(car.pitCount);
    e.RainTyre = car.rainTyre ? "1" : "0";
    e.TyreLaps = std::to_string(car.tyreLaps);
    e.Time = Format0_00(car.time);
    e.PenLap = car.penLap ? "1" : "0";
    return e;
}

std::vector<EntryRecord> KesyouTable(const RaceWeekend& weekend, const RaceOutcome& outcome) {
    std::vector<EntryRecord> table(1);
    for (size_t k = 1; k < outcome.finish.size(); ++k) {
        const RaceCar& car = outcome.finish[k];
        if (car.id < 1 || car.id >= int(weekend.YosenResultTable.size())) continue;
        EntryRecord& e = table.emplace_back(RecordOfCar(weekend.YosenResultTable[size_t(car.id)], car));
        e.TimNm = TextBefore(e.TimNm, "・"); // as the race names the teams
    }
    return table;
}

} // namespace karven
