#include "shell/Random.h"

#include <chrono>
#include <cmath>

namespace karven {

int Random::Roll(double x) {
    double v = Next() * x;
    int whole = int(v); // truncates; Int() floors, which differs only below zero
    return (v < whole ? whole - 1 : whole) + 1;
}

MtRandom::MtRandom(std::optional<uint64_t> seed) : seed_(seed) { Reseed(); }

double MtRandom::Next() {
    // 53 random bits scaled into [0, 1): the same numbers with every standard library.
    return double(engine_() >> 11) * 0x1.0p-53;
}

void MtRandom::Reseed() {
    if (seed_) {
        engine_.seed(*seed_ + 0x9E3779B97F4A7C15ull * reseeds_++);
    } else {
        engine_.seed(uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    }
}

} // namespace karven
