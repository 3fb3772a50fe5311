#include "race/RaceStart.h"

#include "race/Anime.h"
#include "race/LapSteps.h"
#include "race/RaceState.h"
#include "season/Numbers.h"
#include "shell/Random.h"
#include "weekend/EntryTables.h"

namespace karven {

RaceCar CarOf(const Entrant& e, int id) {
    RaceCar c;
    c.id = id;
    c.driver = e.driver;
    c.team = e.team;
    c.courseFactor = e.courseFactor;
    c.aero = e.aero;
    c.technique = e.technique;
    c.roughness = e.roughness;
    c.block = e.block;
    c.drvStability = e.drvStability;
    c.reliability = RoundHalfEven(e.drvStability + e.timStability);
    c.penalty = RoundHalfEven(e.technique + e.roughness + e.block + e.drvStability);
    c.time = e.time;
    return c;
}

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
