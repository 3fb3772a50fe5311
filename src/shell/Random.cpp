#include "shell/Random.h"

#include <chrono>
#include <climits>

#include "season/Numbers.h"

namespace karven {

namespace {
uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

// SplitMix64: spreads one 64-bit seed over the four words of the state.
uint64_t SplitMix(uint64_t& x) {
    uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
} // namespace

int Random::RollBeyond(double v) {
    // A negative, huge or undefined product from a loaded rating: the floor, held within int.
    int whole = FloorToInt(v);
    return whole < INT_MAX ? whole + 1 : INT_MAX;
}

GameRandom::GameRandom(std::optional<uint64_t> seed) : seed_(seed) { Reseed(); }

void GameRandom::Seed(uint64_t seed) {
    for (uint64_t& word : state_) word = SplitMix(seed);
    Drop();
}

void GameRandom::Reseed() {
    if (seed_) Seed(*seed_ + 0x9E3779B97F4A7C15ull * reseeds_++);
    else Seed(uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

uint64_t GameRandom::Bits() {
    const uint64_t result = Rotl(state_[1] * 5, 7) * 9;
    const uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = Rotl(state_[3], 45);
    return result;
}

void GameRandom::Refill() {
    // 53 random bits scaled into [0, 1): the same numbers with every standard library.
    for (double& value : batch_) value = double(Bits() >> 11) * 0x1.0p-53;
    Serve(batch_.data(), batch_.data() + batch_.size());
}

} // namespace karven
