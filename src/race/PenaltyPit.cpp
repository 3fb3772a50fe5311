#include "race/PenaltyPit.h"

#include "race/LapSteps.h"

namespace karven {

void PenaltyStep(RaceState& race, int k) {
    laps::WatchedLap lap(race);
    laps::Penalty(lap, k);
}

void PitStep(RaceState& race, int k) {
    laps::WatchedLap lap(race);
    laps::Pit(lap, k);
}

} // namespace karven
