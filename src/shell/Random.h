#pragma once
// One source of chance. Production draws from xoshiro256**, reseeded where the rules say; tests
// script the sequence; karven-sim --seed makes whole runs reproducible.

#include <array>
#include <cstdint>
#include <optional>

namespace karven {

class Random {
public:
    virtual ~Random() = default;
    // The largest value Next can give: 53 random bits scaled into [0, 1).
    static constexpr double LargestDraw = 1.0 - 0x1.0p-53;
    // Uniform in [0, 1). Served from a batch the generator fills, so the race's thousands of draws
    // cost no call each.
    double Next() {
        if (next_ == end_) Refill();
        return *next_++;
    }
    // Called where the rules reseed from the clock.
    virtual void Reseed() = 0;

    // Int(r * x) + 1 with a fresh r: uniform on 1..x for a whole x >= 1, always 1 for x = 0.
    int Roll(double x) {
        double v = Next() * x;
        // The usual ratings: truncation is Int()'s floor.
        if (v >= 0 && v < 2147483647.0) return int(v) + 1;
        return RollBeyond(v);
    }

    // A hot loop's own hold on the values already made: it takes the position from the generator
    // and hands it back when done, so that the position lives in a register meanwhile. While one
    // is held, draw only through it.
    class Draws {
    public:
        explicit Draws(Random& random) : random_(random), next_(random.next_), end_(random.end_) {}
        ~Draws() {
            random_.next_ = next_;
            random_.end_ = end_;
        }
        Draws(const Draws&) = delete;
        Draws& operator=(const Draws&) = delete;
        double Next() {
            if (next_ == end_) [[unlikely]] {
                random_.Refill();
                next_ = random_.next_;
                end_ = random_.end_;
            }
            return *next_++;
        }

    private:
        Random& random_;
        const double* next_;
        const double* end_;
    };

protected:
    static int RollBeyond(double v);
    // Makes the next values ready with Serve.
    virtual void Refill() = 0;
    void Serve(const double* begin, const double* end) {
        next_ = begin;
        end_ = end;
    }
    // Values already made are dropped, as after a reseed.
    void Drop() { next_ = end_ = nullptr; }

private:
    const double* next_ = nullptr;
    const double* end_ = nullptr;
};

// xoshiro256** by Blackman and Vigna: the same numbers with every compiler and library.
class GameRandom final : public Random {
public:
    // With a seed, every Reseed() derives the next seed from it, so whole runs repeat exactly.
    explicit GameRandom(std::optional<uint64_t> seed = std::nullopt);
    void Reseed() override;
    // The raw generator: 64 random bits.
    uint64_t Bits();

protected:
    void Refill() override;

private:
    void Seed(uint64_t seed);

    std::array<uint64_t, 4> state_{};
    std::optional<uint64_t> seed_;
    uint64_t reseeds_ = 0;
    std::array<double, 64> batch_{};
};

} // namespace karven
