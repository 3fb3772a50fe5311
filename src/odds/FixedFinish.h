#pragma once
// A what-if of the odds: the first places of a coming Grand Prix decided in advance. The race is
// run as the rules run it, every draw in its place; at the flag the fixed drivers are put in their
// places, running, and the others keep their order behind them.

#include <vector>

#include "standings/TitleField.h"

namespace karven {

struct Entrant;
struct RaceState;
struct Season;

// `drivers`: DrvTable positions from first place. A fixed driver who did not make the grid takes
// the place of the last car.
void FixFinish(RaceState& race, const std::vector<Entrant>& entrants, const std::vector<int>& drivers);

// Why a fix cannot happen, "" when it can: the Grand Prix must be still to run, each driver have a
// seat, none named twice, and no more than the grid holds.
std::string FixProblem(const Season& season, const FixedResult& fix);

} // namespace karven
