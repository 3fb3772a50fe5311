#include "race/SilentWeekend.h"

#include "race/LapRecorder.h"
#include "race/Race.h"
#include "race/RaceStart.h"
#include "race/RaceState.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Utf8.h"
#include "shell/Random.h"
#include "weekend/Qualifying.h"

namespace karven {

bool PlayGrandPrix(Season& season, Random& random, const EventSwitches& switches, LapRecords records) {
    return PlayGrandPrix(season, random, switches, records, nullptr);
}

bool PlayGrandPrix(Season& season, Random& random, const EventSwitches& switches, LapRecords records,
                   const BeforeBooking& beforeBooking) {
    int g = ReadCount(season.Sis.EndGp) + 1;
    if (g < 1 || g > ReadCount(season.Sis.GpCount) || g >= int(season.GpTable.size())) return false;

    random.Reseed();
    std::vector<Entrant> entrants = QualifyingEntrants(season, g);
    QualifyingTimes(entrants, random);
    std::vector<int> order = QualifyingOrder(entrants);
    int entryCount = int(entrants.size()) - 1;
    if (entryCount < 1) return false;
    CreditPole(season, entrants[order[1]]);

    random.Reseed();
    SilentRace nobody;
    RaceState race(SetupOf(season, g, entryCount, switches), random, nobody);
    ConfirmStart(race);
    std::vector<RaceCar> grid(race.setup.nin + 1);
    for (int k = 1; k <= race.setup.nin; ++k) grid[k] = CarOf(entrants[order[k]], k);
    if (records == LapRecords::Keep) {
        // Named as the game's board names them: the entries qualifying would have listed.
        std::vector<LapCar> named;
        named.reserve(size_t(race.setup.nin));
        for (int k = 1; k <= race.setup.nin; ++k) {
            const DrvRecord& driver = season.DrvTable[entrants[order[k]].position];
            const TimRecord& team = *TeamOf(season, driver);
            named.push_back({driver.DrvNo, driver.DrvNm, TextBefore(team.TimNm, "・"), team.ColorNo});
        }
        StartRecording(race, std::move(named));
    }
    RunRace(race, std::move(grid), season, [&] {
        if (beforeBooking) beforeBooking(race, entrants);
    });
    return true;
}

} // namespace karven
