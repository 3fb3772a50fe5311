// The title odds: the rest of a season played many times on one thread, nobody watching.
#include <benchmark/benchmark.h>

#include "BenchSeason.h"
#include "odds/ChampionshipOdds.h"
#include "race/SilentWeekend.h"

using namespace karven;
using namespace karven::bench;

namespace {

// From the middle of the season: eight Grands Prix run, nine left, a hundred runs of them.
void BM_ChampionshipOdds(benchmark::State& state) {
    Season season = BenchSeason();
    GameRandom random(20261207);
    for (int g = 1; g <= 8; ++g) PlayGrandPrix(season, random, {});
    for (auto _ : state) benchmark::DoNotOptimize(ChampionshipOdds(season, 100, 1, 7, {}));
    state.counters["runs/s"] = benchmark::Counter(100.0 * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ChampionshipOdds)->Unit(benchmark::kMillisecond);

} // namespace
