// Cost of a race against the floor of its random draws, and of a whole season.
#include <benchmark/benchmark.h>

#include "BenchSeason.h"
#include "race/Race.h"
#include "weekend/Qualifying.h"

using namespace karven;

namespace {

using namespace karven::bench;

void BM_Race(benchmark::State& state) {
    Bench<> b;
    RunQualifying(b.shell, b.weekend);
    for (auto _ : state) {
        b.season.Sis.EndGp = "0"; // the same Grand Prix again, from the same grid
        benchmark::DoNotOptimize(RunKesyou(b.shell, b.weekend));
    }
}
BENCHMARK(BM_Race);

// The random draws of one race alone: the floor the race is measured against.
void BM_RaceDrawsOnly(benchmark::State& state) {
    Bench<CountingRandom> b;
    RunQualifying(b.shell, b.weekend);
    long long before = b.random.draws;
    long long shownBefore = b.platform.shown;
    RunKesyou(b.shell, b.weekend);
    const long long windows = b.platform.shown - shownBefore;
    TimeDraws(state, b.random.draws - before);
    state.counters["windows"] = double(windows);
}
BENCHMARK(BM_RaceDrawsOnly);

void BM_Season(benchmark::State& state) {
    Bench<> b;
    for (auto _ : state) {
        b.season.Sis.EndGp = "0";
        for (int g = 1; g <= 17; ++g) {
            RunQualifying(b.shell, b.weekend);
            benchmark::DoNotOptimize(RunKesyou(b.shell, b.weekend));
        }
    }
}
BENCHMARK(BM_Season)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
