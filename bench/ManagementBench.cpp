// What running the teams' money costs a season: the same 17 Grands Prix of a living world with a
// principal's team, as before the money (his calls alone) and with every team's books run.
#include <benchmark/benchmark.h>

#include "BenchSeason.h"
#include "app/Game.h"
#include "principal/Board.h"
#include "weekend/Qualifying.h"
#include "world/Turn.h"

using namespace karven;

namespace {

using namespace karven::bench;

void SeasonOfTheWorld(benchmark::State& state, bool managed) {
    AutoPlatform platform;
    GameRandom random(20261207);
    Game game(platform, random);
    game.season = BenchSeason();
    game.worldSeed = 7;
    world::EnableWorld(game.season, 7);
    principal::TakeCharge(game.season, "08");
    if (managed) {
        game.FollowPrincipal();
        game.managePolicy = management::Policy::Sensible;
    }
    for (auto _ : state) {
        game.season.Sis.EndGp = "0";
        management::NewSeason(game.season); // the books of one season, not of every pass
        for (int g = 1; g <= 17; ++g) {
            RunQualifying(game.shell, game.weekend);
            benchmark::DoNotOptimize(game.PlayRace());
        }
    }
}

void BM_PrincipalSeason(benchmark::State& state) { SeasonOfTheWorld(state, false); }
BENCHMARK(BM_PrincipalSeason)->Unit(benchmark::kMillisecond);

void BM_ManagedSeason(benchmark::State& state) { SeasonOfTheWorld(state, true); }
BENCHMARK(BM_ManagedSeason)->Unit(benchmark::kMillisecond);

} // namespace
