#pragma once
// The flag: end messages, the season's next state, and the booking of the result.

namespace karven {

struct RaceState;

void FinishRace(RaceState& race);

} // namespace karven
