#include <gtest/gtest.h>

#include <algorithm>

#include "RaceFixture.h"
#include "race/Race.h"
#include "race/RaceEnd.h"
#include "shell/MainState.h"
#include "weekend/Qualifying.h"

using namespace karven;
using namespace karven::test;

namespace {
bool Shown(const RaceFixture& f, const std::string& text) {
    auto texts = f.Texts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// A final order of ten cars, each in its own driver's team; 7, 8 and 10 retired.
void FinishTen(RaceFixture& f) {
    std::vector<EntryRecord> cars;
    for (int no = 1; no <= 10; ++no) {
        EntryRecord c = Car(no, std::to_string(100 + no) + ".00");
        c.TimNo = Format00((no + 1) / 2);
        if (no == 7 || no == 8 || no == 10) {
            c.Retired = "1";
            c.Time = "999.99";
        }
        cars.push_back(c);
    }
    f.Running(cars);
    f.race->FlCar = 8; // set the fastest lap, retired later
    FinishRace(*f.race, f.season);
}
} // namespace

TEST(RaceEnd, BooksPointsResultsAndCareers) {
    RaceFixture f(MakeSeason(5, 2, 3));
    f.season.DrvTable[1].CareerBest = "3";
    f.season.DrvTable[2].CareerBest = "1";
    f.season.DrvTable[7].CareerBest = "0";
    f.season.DrvTable[4].CareerPoints = "12";
    FinishTen(f);
    const auto& d = f.season.DrvTable;
    EXPECT_EQ(f.season.Sis.EndGp, "1");
    EXPECT_EQ(d[1].CareerWins, "1");
    EXPECT_EQ(d[2].CareerWins, "0");
    EXPECT_EQ(d[1].CareerBest, "1"); // better finish lowers it
    EXPECT_EQ(d[2].CareerBest, "1"); // worse finish leaves it
    EXPECT_EQ(d[3].CareerBest, "3"); // first finish sets it
    EXPECT_EQ(d[7].CareerBest, "0"); // retirement never does
    EXPECT_EQ(d[4].CareerPoints, "17");
    EXPECT_EQ(d[7].CareerPoints, "2"); // retired in the points
    EXPECT_EQ(d[8].CareerPoints, "1");
    EXPECT_EQ(d[9].CareerPoints, "0");
    EXPECT_EQ(d[8].CareerFl, "1");
    EXPECT_EQ(d[1].CareerFl, "0");
    EXPECT_EQ(d[6].Result[1], "6");
    EXPECT_EQ(d[7].Result[1], "0");
    EXPECT_EQ(d[10].CareerGp, "1");
    EXPECT_EQ(f.season.TimTable[1].Points, "18");
    EXPECT_EQ(f.season.TimTable[4].Points, "3");  // 7th and 8th, both retired
    EXPECT_EQ(f.season.TimTable[5].Points, "0");
    EXPECT_EQ(f.shell.main.lbl(1, 8).text, "FL");
    EXPECT_EQ(f.shell.main("lblTitle").text, "第1戦 GP1 ＧＰ 決勝結果");
    EXPECT_EQ(f.Texts(), std::vector<std::string>{"レースが終了しました。"});
    EXPECT_TRUE(f.shell.main("cmdYosen").enabled);
    EXPECT_FALSE(f.shell.main("cmdOffSis").enabled);
    EXPECT_TRUE(f.shell.main("cmdStart").visible);
    EXPECT_FALSE(f.shell.main("imgAnime").visible);
}

TEST(RaceEnd, LastGrandPrixEndsTheSeason) {
    RaceFixture f(MakeSeason(5, 2, 2));
    f.season.Sis.EndGp = "1";
    std::vector<EntryRecord> cars{Car(1, "10.00"), Car(2, "20.00")};
    f.Running(cars);
    FinishRace(*f.race, f.season);
    EXPECT_EQ(f.Texts(), (std::vector<std::string>{"レースが終了しました。", "すべての日程が終了しました。"}));
    EXPECT_EQ(f.season.Sis.EndGp, "2");
    EXPECT_EQ(f.season.DrvTable[1].Result[2], "1");
    EXPECT_EQ(f.season.DrvTable[1].Result[1], "");
    EXPECT_FALSE(f.shell.main("cmdYosen").enabled);
    EXPECT_TRUE(f.shell.main("cmdOffSis").enabled);
    EXPECT_EQ(f.shell.main("lblTitle").text, "第2戦 GP2 ＧＰ 決勝結果");
}

TEST(Race, CancelAtTheStartChangesNothing) {
    RaceFixture f;
    ASSERT_TRUE(RunQualifying(f.shell, f.weekend));
    Season before = f.season;
    std::string row = f.Row(1), title = f.shell.main("lblTitle").text;
    size_t shown = f.platform.shown.size();
    f.platform.Answer({false});
    EXPECT_FALSE(RunKesyou(f.shell, f.weekend));
    EXPECT_EQ(f.platform.shown.size(), shown + 1);
    EXPECT_EQ(f.season, before);
    EXPECT_EQ(f.Row(1), row);
    EXPECT_EQ(f.shell.main("lblTitle").text, title);
    EXPECT_TRUE(f.shell.main("cmdKesyou").enabled);
    EXPECT_TRUE(f.shell.main("cmdStart").visible);
}

TEST(Race, NothingWithoutQualifyingOrPastTheCalendar) {
    // Never silent: the player is told why the race cannot start.
    RaceFixture f;
    EXPECT_FALSE(RunKesyou(f.shell, f.weekend));
    EXPECT_EQ(f.platform.Texts().back(), "決勝を開始できません。\r\n先に予選を行ってください。");
    ASSERT_TRUE(RunQualifying(f.shell, f.weekend));
    f.season.Sis.EndGp = "2";
    size_t shown = f.platform.shown.size();
    EXPECT_FALSE(RunKesyou(f.shell, f.weekend));
    EXPECT_EQ(f.platform.shown.size(), shown + 1);
    EXPECT_EQ(f.platform.Texts().back(), "決勝を開始できません。\r\n開催できるグランプリがありません。");
    EXPECT_EQ(f.season.Sis.EndGp, "2");
}

TEST(Race, StartInTheRainWithAShortGrid) {
    RaceFixture f;
    f.season.Sis.SyuCount = "1";
    f.season.Sis.NinCount = "3";
    ASSERT_TRUE(RunQualifying(f.shell, f.weekend));
    std::string poleTime = f.weekend.YosenResultTable[1].Time;
    f.random.Push({0.9}); // 90 %: rain
    auto outcome = RunKesyou(f.shell, f.weekend);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->gp, 1);
    const std::vector<EntryRecord> result = KesyouTable(f.weekend, *outcome);
    ASSERT_EQ(result.size(), 4u);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(result[k].TimNm.find("・"), std::string::npos);
        EXPECT_EQ(result[k].RainTyre, "1");
        EXPECT_EQ(f.shell.main.lbl(6, k).text, "R");
    }
    EXPECT_EQ(f.Row(4), "|||||");
    EXPECT_EQ(f.shell.main.imgCo(4).picture, "/opt/karven/cls.dat");
    EXPECT_TRUE(Shown(f, "第1戦\r\nGP1 ＧＰ\r\n\r\n決勝スタート！！"));
    EXPECT_TRUE(Shown(f, "1周目\r\n\r\n天気は 雨"));
    EXPECT_EQ(f.shell.main("imgTenki", 3).picture, "/opt/karven/img/tenkou/ame.bmp");
    // Qualifying gaps carry into the race: nobody starts from zero.
    for (int k = 1; k <= 3; ++k) EXPECT_GT(ReadNumber(result[k].Time), ReadNumber(poleTime));
}

TEST(Race, GridLargerThanTheFieldRacesTheEntrants) {
    RaceFixture f;
    f.season.Sis.NinCount = "6"; // four drivers have a seat
    ASSERT_TRUE(RunQualifying(f.shell, f.weekend));
    auto outcome = RunKesyou(f.shell, f.weekend);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(KesyouTable(f.weekend, *outcome).size(), 5u);
    for (int d = 1; d <= 4; ++d) EXPECT_EQ(f.season.DrvTable[d].CareerGp, "1");
}

TEST(Race, WholeGrandPrixFromTheButtons) {
    RaceFixture f(MakeSeason(3, 2, 3));
    Shell& shell = f.shell;
    // The buttons run what the application wires to them.
    shell.main("cmdYosen").onClick = [&] { RunQualifying(shell, f.weekend); };
    shell.main("cmdKesyou").onClick = [&] { RunKesyou(shell, f.weekend); };
    SetMainState(shell.main, CommandState::SeasonStart);
    shell.main.Click("cmdKesyou"); // not yet
    EXPECT_TRUE(f.platform.shown.empty());
    shell.main.Click("cmdYosen");
    EXPECT_TRUE(shell.main("cmdKesyou").enabled);
    shell.main.Click("cmdKesyou");
    EXPECT_EQ(f.season.Sis.EndGp, "1");
    EXPECT_TRUE(shell.main("cmdYosen").enabled);
    EXPECT_FALSE(shell.main("cmdKesyou").enabled);
    EXPECT_TRUE(shell.main("cmdDrvRank").enabled);
    EXPECT_TRUE(shell.main("cmdYosen").visible);
    EXPECT_FALSE(shell.main("lblKousui").visible);
    int points = 0;
    for (int t = 1; t <= 3; ++t) points += ReadCount(f.season.TimTable[t].Points);
    EXPECT_EQ(points, 10 + 8 + 6 + 5 + 4 + 3);
    for (int d = 1; d <= 6; ++d) EXPECT_FALSE(f.season.DrvTable[d].Result[1].empty()) << d;
    EXPECT_EQ(f.random.reseeds, 2);
    EXPECT_EQ(f.Texts().back(), "レースが終了しました。");
}

TEST(Race, FieldBeyondTheGridRowsRacesUnseen) {
    RaceFixture f(MakeSeason(12, 3, 1)); // 36 cars, 32 rows
    ASSERT_TRUE(RunQualifying(f.shell, f.weekend));
    auto outcome = RunKesyou(f.shell, f.weekend);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(KesyouTable(f.weekend, *outcome).size(), 37u);
    for (int d = 1; d <= 36; ++d) EXPECT_EQ(f.season.DrvTable[d].CareerGp, "1") << d;
}

TEST(Race, SeasonReplacedSinceQualifyingBooksOnlyWhatExists) {
    RaceFixture f;
    ASSERT_TRUE(RunQualifying(f.shell, f.weekend));
    f.season.DrvTable.resize(3); // drivers 3 and 4 and team 2 are gone
    f.season.DrvCount = "2";
    f.season.TimTable.resize(2);
    ASSERT_TRUE(RunKesyou(f.shell, f.weekend));
    EXPECT_EQ(f.season.DrvTable[1].CareerGp, "1");
    EXPECT_EQ(f.season.DrvTable[2].CareerGp, "1");
}
