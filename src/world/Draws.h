#pragma once
// The world's own chance: a generator per season and purpose, seeded from the world's seed, so
// that no draw of the rules' generator is ever taken and a seed gives the same world every time.

#include <cstdint>

#include "season/WorldState.h"
#include "shell/Random.h"

namespace karven::world {

// The team management's draws come from the world's seed as well, by purposes of their own.
enum class Purpose : uint64_t {
    Start = 1, Market = 2, Development = 3, Machines = 4, Newcomer = 5, Form = 6,
    Programmes = 7, Sponsors = 8, Contracts = 9
};

class Draws {
public:
    // The draws of this season's turn for one purpose; `index` tells apart draws of one purpose
    // that must not depend on each other (a driver added by the editor, say).
    Draws(const WorldState& world, Purpose purpose, uint64_t index = 0);
    double Uniform() { return random_.Next(); }
    double Between(double low, double high) { return low + (high - low) * Uniform(); }
    int WholeBetween(int low, int high) { return low + random_.Roll(high - low + 1) - 1; }
    bool Chance(double p) { return Uniform() < p; }
    // Normal, mean 0, by Box and Muller.
    double Normal(double spread);

private:
    GameRandom random_;
};

} // namespace karven::world
