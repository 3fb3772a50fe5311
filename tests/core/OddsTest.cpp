// Championship odds: the rest of the season played out many times, nobody watching.
#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "RaceFixture.h"
#include "odds/ChampionshipOdds.h"
#include "odds/FixedFinish.h"
#include "odds/PointsHistory.h"
#include "offseason/OffTables.h"
#include "race/RaceState.h"
#include "race/SilentWeekend.h"
#include "season/Numbers.h"
#include "shell/Random.h"
#include "standings/Rankings.h"
#include "standings/TitleRace.h"

using namespace karven;
using namespace karven::test;

namespace {
// Two teams of one driver each with the same ratings: a fair fight over five Grands Prix.
Season Duel(int gps) {
    Season s = MakeSeason(2, 1, gps);
    s.Sis.NinCount = "2";
    return s;
}

const OddsEntry& Named(const std::vector<OddsEntry>& entries, const std::string& name) {
    for (const OddsEntry& e : entries)
        if (e.Nm == name) return e;
    throw std::out_of_range(name);
}
} // namespace

TEST(Odds, AnOutcomeOutOfReachIsCertain) {
    Season s = Duel(2);
    s.Sis.SyuCount = "7"; // no retirements: a retired driver scores nothing in the standings
    s.Sis.EndGp = "1";
    s.DrvTable[1].Result[1] = "1"; // 10 points; the other can only draw level, and ties go by driver order
    s.DrvTable[2].Result[1] = "2";
    s.TimTable[1].Points = "10";
    s.TimTable[2].Points = "8";
    OddsResult odds = ChampionshipOdds(s, 200, 2, 5, {});
    ASSERT_EQ(odds.runs, 200);
    const OddsEntry& leader = Named(odds.drivers, "ドライバー1");
    const OddsEntry& other = Named(odds.drivers, "ドライバー2");
    EXPECT_EQ(leader.title, 1.0);
    EXPECT_EQ(leader.place[1], 1.0);
    EXPECT_EQ(other.title, 0.0);
    EXPECT_EQ(other.place[2], 1.0);
    EXPECT_GE(leader.p5Points, 18);
    EXPECT_LE(leader.p95Points, 20);
    EXPECT_EQ(odds.teams[0].title, 1.0);
    EXPECT_GT(leader.crowned, 0.0) << "one win is enough unless the other wins the last";

    s.Sis.EndGp = "2"; // over: the standings as they are
    s.DrvTable[2].Result[2] = "1";
    s.DrvTable[1].Result[2] = "2";
    OddsResult over = ChampionshipOdds(s, 50, 1, 5, {});
    EXPECT_EQ(Named(over.drivers, "ドライバー1").title, 1.0); // 18 each: driver order
    EXPECT_EQ(Named(over.drivers, "ドライバー2").place[2], 1.0);
    EXPECT_EQ(Named(over.drivers, "ドライバー1").meanPoints, 18.0);
    EXPECT_EQ(Named(over.drivers, "ドライバー1").crowned, 1.0) << "10 + 6 against 6 + 10: the first of equals";
}

TEST(Odds, EqualRivalsShareTheTitleAndTheThreadsDoNotMatter) {
    const int runs = 2000;
    Season s = Duel(5); // an odd number of races: the points can never tie
    OddsResult one = ChampionshipOdds(s, runs, 1, 20261208, {});
    OddsResult two = ChampionshipOdds(s, runs, 2, 20261208, {});
    ASSERT_EQ(one.runs, runs);
    double a = one.drivers[0].title, b = one.drivers[1].title;
    EXPECT_DOUBLE_EQ(a + b, 1.0);
    // Four standard deviations of a fair coin over this many runs.
    EXPECT_NEAR(a, 0.5, 4 * std::sqrt(0.25 / runs));
    for (size_t d = 0; d < one.drivers.size(); ++d) {
        const OddsEntry &x = one.drivers[d], &y = two.drivers[d];
        EXPECT_EQ(x.title, y.title);
        EXPECT_EQ(x.place[2], y.place[2]);
        EXPECT_EQ(x.meanPoints, y.meanPoints);
        EXPECT_EQ(x.p5Points, y.p5Points);
        EXPECT_EQ(x.p95Points, y.p95Points);
        EXPECT_EQ(x.crowned, y.crowned);
    }
    EXPECT_NE(ChampionshipOdds(s, runs, 2, 7, {}).drivers[0].meanPoints, one.drivers[0].meanPoints)
        << "another seed, other seasons";
}

TEST(Odds, CancelStopsEarlyAndCountsOnlyTheRunsPlayed) {
    Season s = MakeSeason(8, 2, 17, "40");
    OddsProgress progress;
    std::thread canceller([&] {
        while (progress.done.load() < 10) std::this_thread::yield();
        progress.cancel = true;
    });
    OddsResult odds = ChampionshipOdds(s, 1000000, 2, 1, {}, &progress);
    canceller.join();
    EXPECT_GE(odds.runs, 10);
    EXPECT_LT(odds.runs, 1000000);
    EXPECT_EQ(odds.runs, progress.done.load());
    double titles = 0;
    for (const OddsEntry& d : odds.drivers) titles += d.title;
    EXPECT_NEAR(titles, 1.0, 1e-9) << "every run played has one champion";
}

TEST(PointsHistory, LinesAddUpTheResultsOfTheGrandsPrixRun) {
    Season s = MakeSeason(3, 2, 4);
    s.Sis.EndGp = "3";
    const char* results[][4] = {{"", "1", "0", "2"}, {"", "2", "1", "1"}, {"", "3", "", "9"},
                                {"", "", "", ""},    {"", "0", "2", ""},  {"", "5", "3", "3"}};
    for (int d = 1; d <= 6; ++d)
        for (int g = 1; g <= 3; ++g) s.DrvTable[d].Result[g] = results[d - 1][g];
    s.DrvTable[1].Result[4] = "1"; // beyond EndGp: not run yet
    s.DrvTable[6].TimNo = "";

    std::vector<PointsLine> drivers = DriverPointsLines(s, 3);
    ASSERT_EQ(drivers.size(), 3u);
    EXPECT_EQ(drivers[0].name, "ドライバー2");
    EXPECT_EQ(drivers[0].points, (std::vector<int>{0, 8, 18, 28}));
    EXPECT_EQ(drivers[1].name, "ドライバー1"); // 18 points, ahead of driver 6 with 16
    EXPECT_EQ(drivers[1].points, (std::vector<int>{0, 10, 10, 18}));
    EXPECT_EQ(drivers[1].colorNo, "0001");
    EXPECT_EQ(drivers[2].name, "ドライバー6");
    EXPECT_EQ(drivers[2].colorNo, "") << "no seat today";

    std::vector<PointsLine> teams = TeamPointsLines(s);
    ASSERT_EQ(teams.size(), 3u);
    EXPECT_EQ(teams[0].points, (std::vector<int>{0, 18, 28, 46})); // team 1: drivers 1 and 2
    EXPECT_EQ(teams[1].name, "チーム3・エンジン");
    EXPECT_EQ(teams[1].points, (std::vector<int>{0, 0, 8, 8})) << "driver 6 no longer drives for it";
    EXPECT_EQ(teams[2].points, (std::vector<int>{0, 6, 6, 6}));
}

// A what-if: the fixed places are kept in every run, and odds and the exact title race agree on
// what cannot happen.
TEST(Odds, FixedResultsHoldInEveryRunAndAgreeWithTheTitleRace) {
    Season s = MakeSeason(4, 2, 4);
    s.Sis.NinCount = "6";
    s.Sis.SyuCount = "20";
    GameRandom random(11);
    PlayGrandPrix(s, random, {}, LapRecords::Skip);
    // The last driver wins the three races left, the second driver is second in the next one.
    std::vector<FixedResult> fixed = {{2, {8, 2}}, {3, {8}}, {4, {8}}};
    OddsResult today = ChampionshipOdds(s, 300, 2, 9, {});
    OddsResult odds = ChampionshipOdds(s, 300, 2, 9, {}, nullptr, fixed);
    ASSERT_EQ(odds.runs, 300);
    double base = DriverPoints(s.DrvTable[8]);
    const OddsEntry& winner = odds.drivers[7];
    EXPECT_GE(winner.p5Points, base + 30); // three wins whatever else happens
    EXPECT_NE(today.drivers[7].meanPoints, winner.meanPoints);
    for (Title title : {Title::Drivers, Title::Teams}) {
        TitleRace race = JudgeTitle(s, title, fixed);
        const std::vector<OddsEntry>& entries = title == Title::Drivers ? odds.drivers : odds.teams;
        for (const TitleChance& c : race.entries) {
            SCOPED_TRACE(c.Nm + ": " + c.text);
            if (c.status == TitleStatus::Eliminated) {
                EXPECT_EQ(entries[c.unit - 1].title, 0);
            }
            if (c.status == TitleStatus::Champion) {
                EXPECT_EQ(entries[c.unit - 1].title, 1);
            }
        }
    }
    // Crowned by the market's scale: the same check.
    TitleRace crowned = JudgeTitle(s, Title::Crowned, fixed);
    for (const TitleChance& c : crowned.entries) {
        if (c.status == TitleStatus::Eliminated) {
            EXPECT_EQ(odds.drivers[c.unit - 1].crowned, 0) << c.Nm;
        }
    }
}

// The odds play on numbers read once from the season; a run must end exactly as the same run
// played on a copy of the season, also where the season's texts are odd: a fractional team total,
// result slots that are no place, a driver whose number names another driver, a fixed result.
TEST(Odds, ARunEndsAsTheSeasonItselfWouldEnd) {
    Season s = MakeSeason(5, 2, 6, "20");
    SpreadRatings(s);
    s.Sis.NinCount = "9";
    GameRandom random(3);
    PlayGrandPrix(s, random, {}, LapRecords::Skip);
    PlayGrandPrix(s, random, {}, LapRecords::Skip);
    s.TimTable[2].Points = "2.5";
    s.TimTable[4].Points = "0.1";
    s.DrvTable[1].Result[1] = "x";
    s.DrvTable[2].Result[2] = "3.5";
    s.DrvTable[5].Result[1] = "";
    s.DrvTable[7].DrvNo = "03";
    s.DrvTable[10].TimNo = "";
    const std::vector<std::vector<FixedResult>> whatIfs = {{}, {{4, {9, 1}}, {6, {3}}}};
    for (const std::vector<FixedResult>& fixed : whatIfs) {
        for (uint64_t seed : {1u, 2u, 77u}) {
            SCOPED_TRACE("seed " + std::to_string(seed) + (fixed.empty() ? "" : ", fixed"));
            OddsResult odds = ChampionshipOdds(s, 1, 1, seed, {}, nullptr, fixed);
            Season played = s;
            GameRandom runRandom(OddsRunSeed(seed, 0));
            BeforeBooking fix = [&](RaceState& race, const std::vector<Entrant>& entrants) {
                for (const FixedResult& f : fixed)
                    if (f.gp == race.setup.N) FixFinish(race, entrants, f.drivers);
            };
            while (PlayGrandPrix(played, runRandom, {}, LapRecords::Skip, fix)) {
            }
            ASSERT_EQ(odds.drivers.size(), 10u);
            int crowned = MarketChampion(played);
            for (const OddsEntry& e : odds.drivers) {
                EXPECT_EQ(e.meanPoints, DriverPoints(played.DrvTable[e.index])) << e.Nm;
                EXPECT_EQ(e.crowned, crowned == e.index ? 1 : 0) << e.Nm;
            }
            for (const OddsEntry& e : odds.teams) EXPECT_EQ(e.meanPoints, ReadNumber(played.TimTable[e.index].Points)) << e.Nm;
        }
    }
}
