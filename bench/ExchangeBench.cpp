// The season's CSV files and the results out of the game, on the largest season the program
// holds: 999 drivers and a hundred seasons of history.
#include <benchmark/benchmark.h>

#include "LargestSeason.h"
#include "exchange/Results.h"
#include "exchange/SeasonCsv.h"

namespace karven::bench {

static void BM_ExportLargestCsv(benchmark::State& state) {
    const Season& season = LargestWithHistory();
    for (auto _ : state) {
        std::string drivers = DriversToCsv(season);
        benchmark::DoNotOptimize(drivers);
        state.counters["drivers_bytes"] = double(drivers.size());
    }
}
BENCHMARK(BM_ExportLargestCsv)->Unit(benchmark::kMillisecond);

// Everything checked and matched by name; the season copied once, as an import does.
static void BM_ImportLargestCsv(benchmark::State& state) {
    const Season& season = LargestWithHistory();
    const SeasonCsvFiles files{TeamsToCsv(season), DriversToCsv(season), CalendarToCsv(season)};
    for (auto _ : state) {
        Season imported = season;
        ImportRefusal refusal;
        if (!ImportSeasonCsv(imported, files, refusal)) state.SkipWithError("refused");
        benchmark::DoNotOptimize(imported);
    }
}
BENCHMARK(BM_ImportLargestCsv)->Unit(benchmark::kMillisecond);

// The nine CSV files and the season report, with the records over a hundred seasons.
static void BM_ResultsOfLargestWithHistory(benchmark::State& state) {
    const Season& season = LargestWithHistory();
    for (auto _ : state) {
        std::vector<ExchangeFile> files = ResultFiles(season);
        size_t bytes = 0;
        for (const ExchangeFile& f : files) bytes += f.second.size();
        state.counters["bytes"] = double(bytes);
        benchmark::DoNotOptimize(files);
    }
}
BENCHMARK(BM_ResultsOfLargestWithHistory)->Unit(benchmark::kMillisecond);

} // namespace karven::bench
