#include "race/PenaltyPit.h"

#include "race/Anime.h"
#include "race/Board.h"
#include "race/LapRecorder.h"
#include "race/RaceCalls.h"
#include "race/RaceState.h"
#include "shell/Random.h"

namespace karven {

namespace {
constexpr int MaxPenalties = 2;
constexpr double PenaltySeconds = 35;
constexpr double PitSeconds = 26;
constexpr int WrongTyreLaps = 8;
constexpr int ChanceLaps = 12;
constexpr int CertainLaps = 15;
} // namespace

void PenaltyStep(RaceState& race, int k) {
    if (!race.setup.evePen || race.PenCount >= MaxPenalties) return;
    int s = race.car[k].penalty;
    int r1 = race.random.Roll(s);
    int r2 = race.random.Roll(s);
    if (r1 != 1 || r2 != 1) return;

    ShowAnime(race, 5);
    race.Tell(RaceEvent::Penalty, k);
    ShowAnime(race, 6);
    race.Tell(RaceEvent::PenaltyPitIn, k);

    AddTime(race.car[k], PenaltySeconds);
    race.car[k].penLap = true;
    if (race.laps) RecordStop(race, k, StopKind::Penalty);
    int j = DropBack(race, k);

    ShowAnime(race, 7);
    race.Tell(RaceEvent::PenaltyPitOut, k, j);
    ++race.PenCount;
}

void PitStep(RaceState& race, int k) {
    if (!race.setup.evePit || race.car[k].penLap) return;
    Random& random = race.random;
    RaceCar& car = race.car[k];
    int d = 0;
    if (car.tyreLaps >= WrongTyreLaps && OnWrongTyres(race, car)) d = random.Roll(2);
    if (car.tyreLaps >= ChanceLaps) d = random.Roll(3);
    // Where a roll decided, the car's team may decide instead; a stop at CertainLaps is no choice.
    bool rolled = car.tyreLaps >= ChanceLaps || (car.tyreLaps >= WrongTyreLaps && OnWrongTyres(race, car));
    if (car.tyreLaps >= CertainLaps) d = 1;
    else if (rolled && race.calls && race.calls->Runs(race, k)) d = race.calls->PitIn(race, k, d == 1) ? 1 : 0;
    if (d != 1) return;

    ShowAnime(race, 6);
    race.Tell(RaceEvent::PitIn, k);

    race.pitTime = 8 + 5 * random.Next();
    AddTime(car, PitSeconds);
    car.tyreLaps = 0;
    ++car.pitCount;
    // With c = 1 a driver who stops in the lap the weather turned fits the tyres of the weather before.
    int c = random.Roll(car.drvStability);
    bool rainBefore = race.PrevTenkou == 3;
    if (race.Tenkou != 3) car.rainTyre = c == 1 && rainBefore;
    else car.rainTyre = !(c == 1 && !rainBefore);
    // The roll chooses only in the lap the weather turned to or from rain.
    if (rainBefore != (race.Tenkou == 3) && race.calls && race.calls->Runs(race, k))
        car.rainTyre = race.calls->RainTyres(race, k, car.rainTyre);
    if (race.laps) RecordStop(race, k, StopKind::Pit);
    int j = DropBack(race, k);

    ShowAnime(race, 7);
    race.Tell(RaceEvent::PitOut, k, j);
}

} // namespace karven
