#pragma once
// One source of chance. Production draws from a Mersenne Twister reseeded where the rules say;
// tests script the sequence; karven-sim --seed makes whole runs reproducible.

#include <cstdint>
#include <optional>
#include <random>

namespace karven {

class Random {
public:
    virtual ~Random() = default;
    // Uniform in [0, 1).
    virtual double Next() = 0;
    // Called where the rules reseed from the clock.
    virtual void Reseed() = 0;

    // Int(r * x) + 1 with a fresh r: uniform on 1..x for a whole x >= 1, always 1 for x = 0.
    int Roll(double x);
};

class MtRandom final : public Random {
public:
    // With a seed, every Reseed() derives the next seed from it, so whole runs repeat exactly.
    explicit MtRandom(std::optional<uint64_t> seed = std::nullopt);
    double Next() override;
    void Reseed() override;

private:
    std::mt19937_64 engine_;
    std::optional<uint64_t> seed_;
    uint64_t reseeds_ = 0;
};

} // namespace karven
