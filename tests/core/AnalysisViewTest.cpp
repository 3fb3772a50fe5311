// What the analysis windows show beside their charts, and the season's bytes the browser's odds
// worker plays on: read back, they give the odds of the season itself.
#include <gtest/gtest.h>

#include "support/LoadSeason.h"
#include "odds/AnalysisView.h"
#include "odds/ChampionshipOdds.h"
#include "odds/ChartColours.h"
#include "race/SilentWeekend.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/SeasonFile.h"
#include "shell/Random.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;

namespace {
OddsEntry Entry(int index, double title, double mean, double crowned = 0) {
    OddsEntry e;
    e.index = index;
    e.title = e.place[1] = title;
    e.meanPoints = mean;
    e.crowned = crowned;
    return e;
}

std::vector<int> Indexes(const std::vector<OddsEntry>& entries) {
    std::vector<int> out;
    for (const OddsEntry& e : entries) out.push_back(e.index);
    return out;
}

// The default season after `gps` Grands Prix played as the game plays them.
Season Played(int gps, uint64_t seed) {
    Season s = DefaultSeason();
    GameRandom random(seed);
    for (int g = 0; g < gps; ++g) EXPECT_TRUE(PlayGrandPrix(s, random, {}));
    return s;
}
} // namespace

TEST(AnalysisView, OddsBarsForEveryChanceAndAtLeastTheThreeBest) {
    // Best chance first, equal chances by mean points; the crown keeps a driver on the chart, up to
    // the first in that order with no chance of either.
    std::vector<OddsEntry> entries{Entry(1, 0, 5, 0.2), Entry(2, 0.25, 40), Entry(3, 0.75, 50), Entry(4, 0, 30),
                                   Entry(5, 0, 25, 0.1), Entry(6, 0, 20)};
    EXPECT_EQ(Indexes(OddsShown(entries, true)), (std::vector<int>{3, 2, 4, 5}));
    EXPECT_EQ(Indexes(OddsShown(entries, false)), (std::vector<int>{3, 2, 4})) << "teams have no crown";
    std::vector<OddsEntry> many;
    for (int i = 1; i <= 20; ++i) many.push_back(Entry(i, 0.05, 100 - i));
    EXPECT_EQ(OddsShown(many, true).size(), 12u);
    EXPECT_EQ(OddsShown({Entry(1, 1, 9)}, true).size(), 1u);
    EXPECT_EQ(OddsPercent(0.12345), 12.3);
    EXPECT_EQ(OddsPercent(0.9996), 100.0);
}

TEST(AnalysisView, TitleRaceRowsPutTheLivingFirst) {
    TitleRace race;
    auto add = [&](TitleStatus status, double points) {
        TitleChance& c = race.entries.emplace_back();
        c.unit = int(race.entries.size());
        c.status = status;
        c.points = points;
    };
    add(TitleStatus::Eliminated, 30);
    add(TitleStatus::Contender, 20);
    add(TitleStatus::Eliminated, 0); // out and pointless: not listed
    add(TitleStatus::Contender, 25);
    add(TitleStatus::Eliminated, 30);
    std::vector<int> units;
    for (const TitleChance* c : TitleRaceRows(race)) units.push_back(c->unit);
    EXPECT_EQ(units, (std::vector<int>{4, 2, 1, 5}));
}

TEST(AnalysisView, AWhatIfReplacesItsGrandPrixAndKeepsTheCalendarOrder) {
    Season s = Played(1, 11);
    const std::vector<int> gps = WhatIfGps(s);
    ASSERT_GE(gps.size(), 2u);
    EXPECT_EQ(gps.front(), 2);
    EXPECT_EQ(gps.back(), ReadCount(s.Sis.GpCount));
    const std::vector<int> drivers = WhatIfDrivers(s);
    ASSERT_GE(drivers.size(), 3u);
    for (int d : drivers) EXPECT_NE(TeamOf(s, s.DrvTable[d]), nullptr);

    std::vector<FixedResult> fixed;
    EXPECT_EQ(WhatIfText(s, fixed), "結果を決めていません（今日の予想）。");
    EXPECT_EQ(AddWhatIf(s, fixed, {gps[1], {drivers[0]}}), "");
    EXPECT_EQ(AddWhatIf(s, fixed, {gps[0], {drivers[1], drivers[2]}}), "");
    EXPECT_EQ(AddWhatIf(s, fixed, {gps[1], {drivers[2]}}), "") << "a second fix of a Grand Prix replaces the first";
    ASSERT_EQ(fixed.size(), 2u);
    EXPECT_EQ(fixed[0].gp, gps[0]);
    EXPECT_EQ(fixed[1].drivers, std::vector<int>{drivers[2]});
    EXPECT_EQ(WhatIfText(s, fixed), "決めた結果: 第" + std::to_string(gps[0]) + "戦: " + s.DrvTable[drivers[1]].DrvNm + "・" +
                                        s.DrvTable[drivers[2]].DrvNm + "／第" + std::to_string(gps[1]) + "戦: " +
                                        s.DrvTable[drivers[2]].DrvNm);
    // Refused fixes leave the list alone.
    const std::vector<FixedResult> before = fixed;
    EXPECT_EQ(AddWhatIf(s, fixed, {gps[0], {}}), "1位のドライバーを選んでください。");
    EXPECT_NE(AddWhatIf(s, fixed, {1, {drivers[0]}}), "") << "Grand Prix 1 has been run";
    EXPECT_NE(AddWhatIf(s, fixed, {gps[0], {drivers[0], drivers[0]}}), "");
    ASSERT_EQ(fixed.size(), before.size());
    for (size_t i = 0; i < fixed.size(); ++i) EXPECT_EQ(fixed[i].drivers, before[i].drivers);
}

TEST(AnalysisView, ACarsRaceInOneLine) {
    CarStory s;
    s.car = 4;
    s.finish = 9;
    s.names.DrvNm = "A";
    s.names.TimNm = "T";
    s.pitLaps = {12, 30};
    EXPECT_EQ(CarName(s), "A（T）");
    EXPECT_EQ(CarSummary(s), "A（T）　グリッド 4位 → 9位　ピットイン 12・30周目");
    s.retiredLap = 31;
    s.penaltyLaps = {5};
    s.fastestLap = true;
    EXPECT_EQ(CarSummary(s), "A（T）　グリッド 4位 → 31周目にリタイア（9位）　ピットイン 12・30周目　ペナルティ 5周目　ファステストラップ");
    EXPECT_EQ(GainedText(3), "↑3");
    EXPECT_EQ(GainedText(-12), "↓12");
    EXPECT_EQ(GainedText(0), "―");
    EXPECT_EQ(LapTickInterval(10), 1);
    EXPECT_EQ(LapTickInterval(11), 2);
    EXPECT_EQ(LapTickInterval(50), 5);
    EXPECT_EQ(LapTickInterval(78), 10);
}

TEST(AnalysisView, TheGapAxisEndsJustPastTheLargestGap) {
    for (double most : {0.0, 0.3, 0.9, 4.2, 9.99, 10.0, 47.0, 99.0, 100.0, 731.5, 12345.0}) {
        const GapScale g = GapAxisScale(most);
        EXPECT_GE(g.top, std::max(most, 0.5) * 1.02 - 1e-9) << most;
        EXPECT_LE(g.steps, 11) << most;
        EXPECT_GE(g.steps, 1) << most;
        EXPECT_DOUBLE_EQ(g.top, g.steps * g.step) << most;
        EXPECT_LT((g.steps - 1) * g.step, std::max(most, 0.5) * 1.02) << most << ": a whole step to spare";
    }
    EXPECT_DOUBLE_EQ(GapAxisScale(47).step, 5);
    EXPECT_DOUBLE_EQ(GapAxisScale(0.9).step, 0.1);
}

// The browser's worker gets the season as the game saves it: its odds are the season's own.
TEST(AnalysisView, TheOddsOfTheSavedSeasonAreTheSeasonsOwn) {
    const Season s = Played(3, 2026);
    TempDir dir;
    const std::string path = dir / "odds.krv";
    ASSERT_TRUE(WriteSeasonFile(s, path));
    Season back;
    ASSERT_TRUE(ReadSeasonFile(back, path));
    const EventSwitches switches{true, false, true};
    for (const auto& fix : {std::vector<FixedResult>{}, std::vector<FixedResult>{{5, {WhatIfDrivers(s)[1]}}}}) {
        const OddsResult a = ChampionshipOdds(s, 300, 1, 77, switches, nullptr, fix);
        const OddsResult b = ChampionshipOdds(back, 300, 1, 77, switches, nullptr, fix);
        ASSERT_EQ(a.runs, b.runs);
        ASSERT_EQ(a.drivers.size(), b.drivers.size());
        for (size_t i = 0; i < a.drivers.size(); ++i) {
            EXPECT_EQ(a.drivers[i].Nm, b.drivers[i].Nm);
            EXPECT_EQ(a.drivers[i].title, b.drivers[i].title) << a.drivers[i].Nm;
            EXPECT_EQ(a.drivers[i].meanPoints, b.drivers[i].meanPoints) << a.drivers[i].Nm;
            EXPECT_EQ(a.drivers[i].p95Points, b.drivers[i].p95Points) << a.drivers[i].Nm;
            EXPECT_EQ(a.drivers[i].crowned, b.drivers[i].crowned) << a.drivers[i].Nm;
        }
        for (size_t i = 0; i < a.teams.size(); ++i) EXPECT_EQ(a.teams[i].meanPoints, b.teams[i].meanPoints) << a.teams[i].Nm;
    }
}

TEST(AnalysisView, AMachineIsDrawnInTheCommonestColourThatShowsOnWhite) {
    const auto light = [](uint32_t v) { return v == 0xFFFFFF || v == 0xF0F0F0; };
    // White body, a red stripe on a tenth: the stripe.
    EXPECT_EQ(PickMachineColour({{0xFFFFFF, 90}, {0xCC0000, 10}}, 100, light).value, 0xCC0000u);
    EXPECT_TRUE(PickMachineColour({{0xFFFFFF, 90}, {0xCC0000, 10}}, 100, light).own);
    // Less than a tenth shows: the body, for the front end to shade.
    const MachinePick white = PickMachineColour({{0xFFFFFF, 91}, {0xCC0000, 9}}, 100, light);
    EXPECT_EQ(white.value, 0xFFFFFFu);
    EXPECT_FALSE(white.own);
    EXPECT_FALSE(PickMachineColour({{0xF0F0F0, 5}, {0xFFFFFF, 5}}, 10, light).own) << "nothing shows at all";
    // Equal counts: the lower value, whatever order the counts come in.
    EXPECT_EQ(PickMachineColour({{0x00AA00, 50}, {0x0000AA, 50}}, 100, light).value, 0x0000AAu);
    EXPECT_EQ(PickMachineColour({{0x0000AA, 50}, {0x00AA00, 50}}, 100, light).value, 0x0000AAu);
}

TEST(AnalysisView, OnlyTeamMatesShareAColourOnAChart) {
    ShadeChooser chooser;
    const ChartRgb red{200, 20, 20}, nearRed{190, 30, 25}, dark{120, 10, 10}, blue{20, 20, 200};
    EXPECT_EQ(chooser.Choose({red, dark}), 0);
    EXPECT_EQ(chooser.Choose({nearRed, dark}), 1) << "a second red team takes the darker shade";
    EXPECT_EQ(chooser.Choose({blue}), 0);
    EXPECT_EQ(chooser.Choose({red, nearRed, dark}), 0) << "every shade taken: its own colour";
    EXPECT_TRUE(LookAlike(red, nearRed));
    EXPECT_FALSE(LookAlike(red, dark));

    LookCounter looks;
    EXPECT_EQ(looks.Next("3"), 0);
    EXPECT_EQ(looks.Next("5"), 0);
    EXPECT_EQ(looks.Next("3"), 1);
    EXPECT_EQ(looks.Next("3"), 2);
    for (int n = 3; n <= LookCounter::LastLook; ++n) EXPECT_EQ(looks.Next("3"), n);
    EXPECT_EQ(looks.Next("3"), LookCounter::LastLook) << "beyond the last look, the last look";
}
