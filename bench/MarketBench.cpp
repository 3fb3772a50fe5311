// Cost of one transfer market after a whole season: evaluation, negotiation and confirmation.
#include <benchmark/benchmark.h>

#include "BenchSeason.h"
#include "offseason/FrmKarvenOff.h"
#include "race/Race.h"
#include "weekend/Qualifying.h"

using namespace karven;
using namespace karven::bench;

namespace {

void BM_Market(benchmark::State& state) {
    Bench<> b;
    for (int g = 1; g <= 17; ++g) {
        RunQualifying(b.shell, b.weekend);
        RunKesyou(b.shell, b.weekend);
    }
    const Season finished = b.season;
    long long announcements = 0, markets = 0;
    for (auto _ : state) {
        // The season back as it finished, out of the timing: the copy of a season's lap records
        // is no part of the market.
        state.PauseTiming();
        b.season = finished;
        // Records of its own, as the game's season holds them: the market frees them as it closes.
        b.season.history.laps = std::vector<RaceLaps>(finished.history.laps);
        state.ResumeTiming();
        long long before = b.platform.shown;
        FrmKarvenOff market(b.shell);
        market.Open();
        market.Click("cmdStart");
        market.Click("cmdOK");
        announcements += b.platform.shown - before;
        ++markets;
    }
    state.counters["windows"] = double(announcements) / double(markets);
}
BENCHMARK(BM_Market)->Unit(benchmark::kMicrosecond);

} // namespace
