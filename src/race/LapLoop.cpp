#include "race/LapLoop.h"

#include <algorithm>
#include <cmath>

#include "race/Anime.h"
#include "race/Board.h"
#include "race/LapRecorder.h"
#include "race/PenaltyPit.h"
#include "race/RaceStart.h"
#include "race/SilentLaps.h"
#include "race/RaceState.h"
#include "season/Season.h"
#include "shell/Random.h"

namespace karven {

namespace {

// The lap time's random terms are single precision; never let the rounding reach 1.
double SingleR(Random& random) {
    float r = float(random.Next());
    return r < 1.0f ? r : std::nextafter(1.0f, 0.0f);
}

// Whether the rolls retire the car at this race distance.
bool Breaks(RaceState& race, int s) {
    Random& random = race.random;
    int r1 = random.Roll(s);
    int r2 = random.Roll(s);
    int r3 = random.Roll(s);
    const double laps = race.setup.syuValue;
    if (laps == 5) return (random.Roll(2) == 1) & (r1 == 1);
    if (laps == 10) return r1 == 1 && r2 == 1;
    if (laps == 20) return (random.Roll(5) <= 3) & (r1 == 1 && r2 == 1);
    if (laps == 40) return r1 == 1 && r2 == 1 && r3 == 1;
    return false;
}
} // namespace

bool ReliabilityStep(RaceState& race, int k) {
    if (!Breaks(race, race.car[k].reliability)) return true;
    if (race.laps) RecordRetirement(race, k);
    int j = Retire(race, k);
    ShowAnime(race, 4);
    race.Tell(RaceEvent::Retired, k, j);
    return !race.car[k].retired;
}

void LapTimeStep(RaceState& race, int k) {
    RaceCar& car = race.car[k];
    double t = car.courseFactor;
    if (car.rainTyre && race.Tenkou != 3) t += 5;
    if (!car.rainTyre && race.Tenkou == 3) t += 10;
    t += SingleR(race.random) * car.aero;
    t += SingleR(race.random) * car.technique;
    AddTime(car, t);
    race.Tell(RaceEvent::LapTime, k);
    if (race.FlTime > t) {
        race.FlTime = t;
        race.FlCar = car.id;
        if (race.laps) RecordFastestLap(race, k, t);
        race.Tell(RaceEvent::FastestLap, k);
    }
}

void JumpStartStep(RaceState& race, int k) {
    Random& random = race.random;
    const RaceCar& car = race.car[k];
    if (random.Roll(car.technique) != 1) return;
    if (random.Roll(car.roughness) == 1) return;
    ShowAnime(race, 8);
    race.Tell(RaceEvent::JumpStart, k);
    int g = random.Roll(5);
    if (k - g < 1) g = k - 1;
    Jump(race, k, g);
}

void OvertakingStep(RaceState& race, int k) {
    Random& random = race.random;
    RaceCar& a = race.car[k - 1];
    RaceCar& b = race.car[k];
    bool wrong = OnWrongTyres(race, a);
    int attack = wrong ? 1 : random.Roll(b.roughness);
    if (attack != 1 || !(a.time > b.time)) return;

    ShowAnime(race, 8);
    race.Tell(random.Roll(2) == 1 ? RaceEvent::AttackInside : RaceEvent::AttackOutside, k);

    int block = wrong ? 2 : random.Roll(a.block);
    if (block == 1) {
        b.time = a.time;
        race.Tell(RaceEvent::Blocked, k);
    } else {
        Swap(race, k);
        race.Tell(RaceEvent::Passed, k);
    }
}

void RunLaps(RaceState& race) {
    if (RunSilentLaps(race)) return;
    for (int lap = 1; lap <= std::min(race.setup.syuCount, MaxSyuCount); ++lap) { // a file refuses longer races
        TopOfLap(race, lap);
        for (int k = 1; k <= race.Cars(); ++k) {
            if (race.car[k].retired) continue;
            ++race.car[k].tyreLaps;
            race.car[k].penLap = false;
            // A step that moves the car hands the rest of the lap to the car that now stands in k.
            PenaltyStep(race, k);
            if (race.car[k].retired) continue;
            PitStep(race, k);
            if (race.car[k].retired || race.car[k].penLap) continue;
            if (!ReliabilityStep(race, k)) continue;
            if (race.car[k].penLap) continue;
            LapTimeStep(race, k);
            if (k >= 2) {
                if (lap == 1) JumpStartStep(race, k);
                else OvertakingStep(race, k);
            }
        }
        if (race.laps) RecordLap(race);
    }
}

} // namespace karven
