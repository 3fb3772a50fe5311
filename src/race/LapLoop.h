#pragma once
// The laps: for every running car in position order its penalty, pit, reliability, lap time and
// jump start or overtaking steps.

namespace karven {

struct RaceState;

void RunLaps(RaceState& race);

// The steps of one car in position k. ReliabilityStep returns false when the car now in k is done
// for this lap (it retired where it stood).
bool ReliabilityStep(RaceState& race, int k);
void LapTimeStep(RaceState& race, int k);
void JumpStartStep(RaceState& race, int k);
void OvertakingStep(RaceState& race, int k);

} // namespace karven
