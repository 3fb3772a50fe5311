// The history in the season file: how much a hundred seasons add, and how long the largest season
// with a hundred seasons of history takes to save and to open.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

#include "LargestSeason.h"
#include "season/SeasonFile.h"

namespace karven::bench {

namespace {
std::string Scratch(const char* name) { return std::filesystem::temp_directory_path() / name; }
} // namespace

// The bytes a hundred seasons of the default season add to its file.
static void BM_HistoryOfAHundredSeasons(benchmark::State& state) {
    Season season = DefaultSeason();
    const size_t alone = FileSize(season, Scratch("karven-bench-alone.krv"));
    for (auto _ : state) {
        Season played = season;
        CloseSeasons(played, 100);
        state.counters["added_bytes"] = double(FileSize(played, Scratch("karven-bench-100.krv")) - alone);
    }
}
BENCHMARK(BM_HistoryOfAHundredSeasons)->Iterations(1)->Unit(benchmark::kMillisecond);

static void BM_SaveLargestWithHistory(benchmark::State& state) {
    const Season& season = LargestWithHistory();
    const std::string path = Scratch("karven-bench-largest.krv");
    for (auto _ : state) benchmark::DoNotOptimize(WriteSeasonFile(season, path));
    state.counters["file_bytes"] = double(std::filesystem::file_size(path));
}
BENCHMARK(BM_SaveLargestWithHistory)->Unit(benchmark::kMillisecond);

// The same season without its history, for comparison.
static void BM_SaveLargest(benchmark::State& state) {
    const Season season = LargestSeason();
    const std::string path = Scratch("karven-bench-largest-alone.krv");
    for (auto _ : state) benchmark::DoNotOptimize(WriteSeasonFile(season, path));
}
BENCHMARK(BM_SaveLargest)->Unit(benchmark::kMillisecond);

static void BM_OpenLargestWithHistory(benchmark::State& state) {
    const std::string path = Scratch("karven-bench-largest.krv");
    if (!WriteSeasonFile(LargestWithHistory(), path)) state.SkipWithError("not saved");
    for (auto _ : state) {
        Season season;
        benchmark::DoNotOptimize(ReadSeasonFile(season, path));
    }
}
BENCHMARK(BM_OpenLargestWithHistory)->Unit(benchmark::kMillisecond);

} // namespace karven::bench
