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
} // namespace

void RunLaps(RaceState& race) {
    // Nobody to tell and nobody to ask: the same steps without a call per event.
    if (!race.observer.watching && !race.calls && PlainRatings(race)) {
        if (race.laps) {
            laps::SilentLap<true> lap(race);
            laps::Run(lap);
        } else {
            laps::SilentLap<false> lap(race);
            laps::Run(lap);
        }
        return;
    }
    laps::WatchedLap lap(race);
    laps::Run(lap);
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
