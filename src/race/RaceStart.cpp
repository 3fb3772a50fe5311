#include "race/RaceStart.h"

#include "race/Anime.h"
#include "race/LapSteps.h"
#include "race/RaceState.h"
#include "shell/Random.h"

namespace karven {

bool ConfirmStart(RaceState& race) {
    if (race.setup.eveTen) {
        race.Kousui = int(race.random.Next() * 100);
        race.Tenkou = TenkouOf(race.Kousui);
    } else {
        race.Kousui = 0;
        race.Tenkou = 1;
    }
    return race.observer.ConfirmStart(race);
}

void StartRace(RaceState& race, std::vector<RaceCar> grid) {
    race.Tell(RaceEvent::SetUp);
    ShowAnime(race, 1);
    race.car = std::move(grid);
    if (race.car.empty()) race.car.resize(1);
    for (RaceCar& c : race.car) c.rainTyre = race.Tenkou == 3;
    race.Tell(RaceEvent::Started);
    ShowAnime(race, 2);
}

void TopOfLap(RaceState& race, int lap) {
    laps::WatchedLap watched(race);
    laps::TopOfLap(watched, lap);
}

} // namespace karven
