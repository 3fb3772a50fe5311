#pragma once
// The laps: for every running car in position order its penalty, pit, reliability, lap time and
// jump start or overtaking steps.

namespace karven {

struct RaceState;

void RunLaps(RaceState& race);

// The steps of one car, exposed for the tests that force them one at a time.
// Each returns false when the car now in position k is done for this lap.
bool ReliabilityStep(RaceState& race, int k);
void LapTimeStep(RaceState& race, int k);
void JumpStartStep(RaceState& race, int k);
void OvertakingStep(RaceState& race, int k);

} // namespace karven
