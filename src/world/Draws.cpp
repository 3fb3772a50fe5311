#include "world/Draws.h"

#include <cmath>

namespace karven::world {

namespace {
uint64_t Mix(uint64_t x) { // SplitMix64's finaliser: nearby inputs give unrelated seeds
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}
} // namespace

Draws::Draws(const WorldState& world, Purpose purpose, uint64_t index)
    : random_(Mix(Mix(Mix(world.seed) ^ uint64_t(world.turns)) ^ uint64_t(purpose)) ^ Mix(index)) {}

double Draws::Normal(double spread) {
    double u = 1 - Uniform(); // (0, 1]
    double v = Uniform();
    return spread * std::sqrt(-2 * std::log(u)) * std::cos(6.283185307179586 * v);
}

} // namespace karven::world
