// The history in the season file: how much a hundred seasons add, and how long the largest season
// with a hundred seasons of history takes to save and to open.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

#include "history/Archive.h"
#include "race/RaceState.h"
#include "race/SilentWeekend.h"
#include "season/SeasonFile.h"
#include "shell/Random.h"
#include "weekend/NewSeason.h"

namespace karven::bench {

namespace {
std::string ProgramFolder() {
    return std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/";
}

Season DefaultSeason() {
    Season season;
    if (!ReadSeasonFile(season, ProgramFolder() + InitialDataFile)) throw std::runtime_error("no Karven.sin");
    return season;
}

// Seasons played silently and closed as the market closes them, crowned, seats moved round.
void CloseSeasons(Season& season, int count) {
    GameRandom random(2026);
    for (int n = 0; n < count; ++n) {
        while (PlayGrandPrix(season, random, {})) {
        }
        ArchivedSeason closed = SeasonSoFar(season);
        closed.crowned = true;
        closed.champion = closed.drivers.empty() ? 0 : closed.drivers.front().driver;
        for (const ArchivedEntrant& e : closed.teams) closed.moves.push_back({e.seat2, e.team, e.team});
        ArchiveSeason(season, std::move(closed));
        ResetSeason(season, 0);
    }
}

size_t FileSize(const Season& season, const std::string& path) {
    if (!WriteSeasonFile(season, path)) throw std::runtime_error("not saved");
    return std::filesystem::file_size(path);
}

// The largest season the program holds: 999 drivers, most of them without a seat.
Season LargestSeason() {
    Season season = DefaultSeason();
    for (int d = int(season.DrvTable.size()); d <= MaxDrvCount; ++d) {
        DrvRecord driver = NewDrvRecord(d);
        driver.DrvNm = "控え" + std::to_string(d);
        season.DrvTable.push_back(driver);
    }
    season.DrvCount = std::to_string(MaxDrvCount);
    return season;
}

const Season& LargestWithHistory() {
    static const Season season = [] {
        Season s = LargestSeason();
        CloseSeasons(s, 100);
        return s;
    }();
    return season;
}

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
