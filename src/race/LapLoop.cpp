#include "race/LapLoop.h"

#include "race/LapSteps.h"
#include "race/RaceState.h"

namespace karven {

namespace {
// Below this a roll's product never leaves int: Roll(x) is Int(r * x) + 1 without its checks.
constexpr double PlainLimit = 2147483647.0;
bool Plain(double x) { return x >= 0 && x < PlainLimit; }

bool PlainRatings(const RaceState& race) {
    for (int k = 1; k <= race.Cars(); ++k) {
        const RaceCar& c = race.car[k];
        if (!(Plain(c.penalty) && Plain(c.reliability) && Plain(c.drvStability) && Plain(c.technique) &&
              Plain(c.roughness) && Plain(c.block)))
            return false;
    }
    return true;
}

// The cars keep their teams all race: asked of every place at the start, it holds for every lap.
bool Asked(const RaceState& race) {
    if (!race.calls) return false;
    for (int k = 1; k <= race.Cars(); ++k)
        if (race.calls->Runs(race, k)) return true;
    return false;
}

// The laps from `first` with nobody told: the player skipped them, or nobody watches at all.
template <bool Noted> void RunUntold(RaceState& race, int first, RaceNotes* notes) {
    auto never = [] { return false; };
    if (race.laps) {
        laps::SilentLap<true, Noted> lap(race, notes);
        laps::Run(lap, first, never);
    } else {
        laps::SilentLap<false, Noted> lap(race, notes);
        laps::Run(lap, first, never);
    }
}
} // namespace

void RunLaps(RaceState& race) {
    // Nobody to ask and every roll plain: the same steps without a call per event, once nobody
    // watches or the player has skipped the rest.
    const bool untold = !Asked(race) && PlainRatings(race);
    if (untold && !race.observer.watching) return RunUntold<false>(race, 1, nullptr);
    int first = 1;
    if (!untold || !race.observer.Noting()) {
        laps::WatchedLap lap(race);
        first = laps::Run(lap, 1, [&] { return untold && race.observer.Noting(); });
    }
    if (RaceNotes* notes = race.observer.Noting(); notes && untold) RunUntold<true>(race, first, notes);
}

bool ReliabilityStep(RaceState& race, int k) {
    laps::WatchedLap lap(race);
    return laps::Reliability(lap, k);
}

void LapTimeStep(RaceState& race, int k) {
    laps::WatchedLap lap(race);
    laps::LapTime(lap, k);
}

void JumpStartStep(RaceState& race, int k) {
    laps::WatchedLap lap(race);
    laps::JumpStart(lap, k);
}

void OvertakingStep(RaceState& race, int k) {
    laps::WatchedLap lap(race);
    laps::Overtaking(lap, k);
}

} // namespace karven
