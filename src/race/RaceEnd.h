#pragma once
// The flag: the season moves on to the next Grand Prix and books the result.

namespace karven {

struct RaceState;
struct Season;

void FinishRace(RaceState& race, Season& season);

} // namespace karven
