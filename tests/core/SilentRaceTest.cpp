// The race watched in the windows and the race nobody watches are one race: same draws, same season.
#include <gtest/gtest.h>

#include "RaceFixture.h"
#include "support/TempDir.h"
#include "race/Race.h"
#include "race/RaceState.h"
#include "race/SilentWeekend.h"
#include "season/SeasonFile.h"
#include "weekend/Qualifying.h"

using namespace karven;
using namespace karven::test;

namespace {
// A season of every kind of circuit and spread ratings, two teams' drivers without a seat.
Season VariedSeason(const std::string& laps, const std::string& grid) {
    Season s = MakeSeason(8, 2, 6, laps);
    SpreadRatings(s);
    for (int n = 15; n <= 16; ++n) s.DrvTable[n].TimNo = "";
    s.Sis.NinCount = grid;
    return s;
}

std::string SavedBytes(const Season& season) {
    TempDir dir;
    EXPECT_TRUE(WriteSeasonFile(season, dir / "s.krv"));
    return ReadBytes(dir / "s.krv");
}

struct Case {
    std::string laps, grid;
    EventSwitches switches;
    uint64_t seed;
};
} // namespace

TEST(SilentRace, AWholeSeasonWatchedAndUnwatchedEndsInTheSameSeasonFile) {
    const Case cases[] = {{"40", "14", {true, true, true}, 1},   {"20", "10", {true, true, true}, 7},
                          {"10", "14", {false, true, true}, 42}, {"5", "12", {true, false, false}, 3},
                          {"40", "9", {true, true, false}, 11}};
    for (const Case& c : cases) {
        Season watched = VariedSeason(c.laps, c.grid);
        Season silent = watched;
        ScriptedPlatform platform; // every window answered with its default button
        GameRandom watchedRandom(c.seed), silentRandom(c.seed);
        Shell shell(watched, platform, watchedRandom);
        shell.events.pit = c.switches.pit;
        shell.events.pen = c.switches.pen;
        shell.events.weather = c.switches.weather;
        RaceWeekend weekend;
        for (int g = 1; g <= 6; ++g) {
            ASSERT_TRUE(RunQualifying(shell, weekend));
            ASSERT_TRUE(RunKesyou(shell, weekend).has_value());
            ASSERT_TRUE(PlayGrandPrix(silent, silentRandom, c.switches));
        }
        EXPECT_FALSE(PlayGrandPrix(silent, silentRandom, c.switches)) << "the season is over";
        EXPECT_EQ(watched.Sis.EndGp, "6");
        EXPECT_EQ(SavedBytes(silent), SavedBytes(watched)) << "seed " << c.seed << ", " << c.laps << " laps";
    }
}

// Ratings a loaded file may hold that no roll takes plainly (negative, beyond int) and distances
// the retirement rule does not know: the unwatched race still plays the watched race exactly.
TEST(SilentRace, OddRatingsAndDistancesPlayTheWatchedRaceToo) {
    const Case cases[] = {{"40", "14", {true, true, true}, 5}, {"7", "12", {true, true, true}, 8},
                          {"20", "14", {true, true, true}, 9}};
    for (const Case& c : cases) {
        for (const char* odd : {"", "-2", "3000000000"}) {
            Season watched = VariedSeason(c.laps, c.grid);
            if (*odd) {
                watched.DrvTable[3].Technique = odd;
                watched.DrvTable[6].Block = odd;
            }
            Season silent = watched;
            ScriptedPlatform platform;
            GameRandom watchedRandom(c.seed), silentRandom(c.seed);
            Shell shell(watched, platform, watchedRandom);
            RaceWeekend weekend;
            for (int g = 1; g <= 3; ++g) {
                ASSERT_TRUE(RunQualifying(shell, weekend));
                ASSERT_TRUE(RunKesyou(shell, weekend).has_value());
                ASSERT_TRUE(PlayGrandPrix(silent, silentRandom, c.switches));
            }
            EXPECT_EQ(SavedBytes(silent), SavedBytes(watched)) << c.laps << " laps, rating " << odd;
        }
    }
}
