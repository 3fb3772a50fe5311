// The race nobody watches, against the floor of its own draws, and whole silent seasons.
#include <benchmark/benchmark.h>

#include <bit>
#include <cstdint>

#include "BenchSeason.h"
#include "race/LapLoop.h"
#include "race/RaceEnd.h"
#include "race/RaceStart.h"
#include "race/RaceState.h"
#include "race/SilentWeekend.h"
#include "weekend/Qualifying.h"

using namespace karven;
using namespace karven::bench;

namespace {

// The race of Grand Prix 1 from its qualifying grid, on a copy of the season each time.
struct SilentGrid {
    Season season = BenchSeason();
    std::vector<RaceCar> grid;

    SilentGrid() {
        GameRandom random(20261207);
        std::vector<Entrant> entrants = QualifyingEntrants(season, 1);
        QualifyingTimes(entrants, random);
        std::vector<int> order = QualifyingOrder(entrants);
        grid.resize(entrants.size());
        for (size_t k = 1; k < entrants.size(); ++k) grid[k] = CarOf(entrants[order[k]], int(k));
    }
    template <class R> void Race(R& random, Season& s) {
        SilentRace nobody;
        Race(random, s, nobody);
    }
    template <class R> void Race(R& random, Season& s, RaceObserver& nobody) {
        RaceState race(SetupOf(s, 1, int(grid.size()) - 1, {}), random, nobody);
        ConfirmStart(race);
        StartRace(race, grid);
        RunLaps(race);
        s.Sis.EndGp = "0";
        FinishRace(race, s);
    }
};

void BM_SilentRace(benchmark::State& state) {
    SilentGrid g;
    GameRandom random(20261207);
    Season s = g.season;
    for (auto _ : state) g.Race(random, s);
}
BENCHMARK(BM_SilentRace);

// As many draws as one silent race takes, and nothing else: its floor.
void BM_SilentRaceDrawsOnly(benchmark::State& state) {
    SilentGrid g;
    CountingRandom counting(20261207);
    Season s = g.season;
    g.Race(counting, s);
    TimeDraws(state, counting.draws);
}
BENCHMARK(BM_SilentRaceDrawsOnly);

// Counts the draws that are no roll: two single-precision terms per lap time, one pit time per stop.
class DrawKinds final : public RaceObserver {
public:
    void Event(const RaceState&, RaceEvent event, int, int) override {
        if (event == RaceEvent::LapTime) lapTimes += 1;
        if (event == RaceEvent::PitIn) pits += 1;
    }
    long long lapTimes = 0, pits = 0;
};

// The same count of draws and rolls as that race, generated and rolled in one tight loop: the
// generator's state in registers, no batch through memory, no dependent floating-point sum.
void BM_SilentRaceHonestFloor(benchmark::State& state) {
    SilentGrid g;
    CountingRandom counting(20261207);
    Season s = g.season;
    DrawKinds kinds; // watches, so the race takes the lap loop's own steps: the same draws
    g.Race(counting, s, kinds);
    const long long draws = counting.draws;
    const long long plain = 2 * kinds.lapTimes + kinds.pits;
    const long long rolls = draws - plain;
    for (auto _ : state) {
        uint64_t s0 = 0x9E3779B97F4A7C15ull, s1 = 0xBF58476D1CE4E5B9ull, s2 = 0x94D049BB133111EBull,
                 s3 = 0x2545F4914F6CDD1Dull;
        auto next = [&] {
            const uint64_t result = std::rotl(s1 * 5, 7) * 9;
            const uint64_t t = s1 << 17;
            s2 ^= s0;
            s3 ^= s1;
            s1 ^= s2;
            s0 ^= s3;
            s2 ^= t;
            s3 = std::rotl(s3, 45);
            return double(result >> 11) * 0x1.0p-53;
        };
        long long acc = 0;
        for (long long i = 0; i < rolls; ++i) acc += int(next() * 5.0) + 1; // Roll(5)
        for (long long i = 0; i < plain; ++i) acc += next() < 0.5;
        benchmark::DoNotOptimize(acc);
    }
    state.counters["draws"] = double(draws);
    state.counters["rolls"] = double(rolls);
}
BENCHMARK(BM_SilentRaceHonestFloor);

// 17 Grands Prix, qualifying and race, nobody watching.
void BM_SilentSeason(benchmark::State& state) {
    const Season start = BenchSeason();
    GameRandom random(20261207);
    for (auto _ : state) {
        Season s = start;
        while (PlayGrandPrix(s, random, {})) {
        }
    }
    state.counters["seasons/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SilentSeason)->Unit(benchmark::kMillisecond);

} // namespace
