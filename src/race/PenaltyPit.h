#pragma once
// The penalty stop and the tyre stop of a car in the lap loop.

namespace karven {

struct RaceState;

// For the car in position k: a penalty may send it through the pit lane (35 s, PenLap "1").
void PenaltyStep(RaceState& race, int k);
// For the car now in position k: a tyre stop (26 s) with a new choice of tyres.
void PitStep(RaceState& race, int k);

} // namespace karven
