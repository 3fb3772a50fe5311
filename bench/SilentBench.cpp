// The race nobody watches, against the floor of its own draws, and whole silent seasons.
#include <benchmark/benchmark.h>

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
