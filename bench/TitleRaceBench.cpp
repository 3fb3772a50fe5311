// Who can still win, exactly: the three titles judged at every point of a season, on the default
// season and on the largest the game holds (17 Grands Prix, 999 drivers, 32 cars a race).
#include <benchmark/benchmark.h>

#include <map>

#include "BenchSeason.h"
#include "LargestSeason.h"
#include "race/SilentWeekend.h"
#include "standings/TitleRace.h"

using namespace karven;
using namespace karven::bench;

namespace {

// The season after `played` Grands Prix, played silently with one seed.
Season After(Season season, int played) {
    GameRandom random(20261207);
    for (int g = 1; g <= played; ++g) PlayGrandPrix(season, random, {}, LapRecords::Skip);
    return season;
}

// The largest season: 17 Grands Prix, a grid of 32; with `laps` laps (30: nobody retires, so
// every place of the drivers' standings is handed out and the search has most to do).
Season Largest(const std::string& laps) {
    Season season = LargestSeason();
    while (int(season.GpTable.size()) <= MaxGpCount) season.GpTable.push_back(NewGpRecord(int(season.GpTable.size())));
    season.Sis.GpCount = std::to_string(MaxGpCount);
    season.Sis.NinCount = std::to_string(GridRows);
    season.Sis.SyuCount = laps;
    return season;
}

void JudgeAll(benchmark::State& state, const Season& season) {
    for (auto _ : state)
        for (Title title : {Title::Drivers, Title::Crowned, Title::Teams})
            benchmark::DoNotOptimize(JudgeTitle(season, title));
}

void BM_TitleRaceDefault(benchmark::State& state) {
    static std::map<int, Season> seasons;
    int played = int(state.range(0));
    if (!seasons.count(played)) seasons[played] = After(DefaultSeason(), played);
    JudgeAll(state, seasons[played]);
}
BENCHMARK(BM_TitleRaceDefault)->DenseRange(0, 15)->Unit(benchmark::kMillisecond);

void BM_TitleRaceLargest(benchmark::State& state) {
    static std::map<std::pair<int, int>, Season> seasons;
    int played = int(state.range(0)), laps = int(state.range(1));
    auto key = std::pair{played, laps};
    if (!seasons.count(key)) seasons[key] = After(Largest(std::to_string(laps)), played);
    JudgeAll(state, seasons[key]);
}
BENCHMARK(BM_TitleRaceLargest)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 16, 1), {20, 30}})
    ->Unit(benchmark::kMillisecond);

} // namespace
