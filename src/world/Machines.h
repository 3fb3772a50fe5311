#pragma once
// The machines between two seasons: every team develops, those at the back of the constructors'
// standings more than those at the front, and now and then new regulations shake them all.

#include "season/WorldState.h"
#include "world/Draws.h"

namespace karven::world {

// Whether this off-season brings new regulations: never within a few seasons of the last.
bool NewRegulations(const WorldState& world, Draws& draws);

// A season of development for a team that finished `rank` of `teams` in the constructors'
// standings (1 the best), its machine kept near the level the field began at.
void DevelopMachine(WorldTeam& team, const WorldState& world, int rank, int teams, bool regulations, Draws& draws);

} // namespace karven::world
