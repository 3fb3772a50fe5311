// Seasons as a file may hold them, however odd: huge ratings, endless races, shared numbers.
#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include "RaceFixture.h"
#include "app/Game.h"
#include "offseason/FrmKarvenOff.h"
#include "race/Race.h"
#include "season/Points.h"
#include "season/SeasonFile.h"
#include "support/TempDir.h"
#include "weekend/Qualifying.h"

using namespace karven;
using namespace karven::test;

namespace {
struct NoQuestions : LoadDialogue {
    void Notice(const std::string&) override {}
    bool Confirm(const std::string&) override { return true; }
};

// Qualifying and race of the next Grand Prix; false when either could not run.
bool PlayGrandPrix(Shell& shell, RaceWeekend& weekend) {
    return RunQualifying(shell, weekend) && RunKesyou(shell, weekend).has_value();
}

int Count(const std::vector<std::string>& texts, const std::string& text) {
    return int(std::count(texts.begin(), texts.end(), text));
}
} // namespace

TEST(Roll, ProductsBeyondIntStayInRange) {
    const double inf = std::numeric_limits<double>::infinity();
    ScriptedRandom r({0.5, 0.5, 0.5, 0.0, 0.5, 0.5, 0.99, 0.0});
    EXPECT_EQ(r.Roll(99999999999.0), INT_MAX); // 5e10: every roll of a huge rating is its largest
    EXPECT_EQ(r.Roll(1e308), INT_MAX);
    EXPECT_EQ(r.Roll(inf), INT_MAX);
    EXPECT_EQ(r.Roll(inf), 1); // 0 * inf is undefined: no roll at all
    EXPECT_EQ(r.Roll(-1e300), INT_MIN + 1);
    EXPECT_EQ(r.Roll(-3), -1); // Int() floors: Int(-1.5) + 1
    EXPECT_EQ(r.Roll(5), 5);
    EXPECT_EQ(r.Roll(0), 1);
}

TEST(Points, HugePlacesScoreNothing) {
    EXPECT_EQ(PointsForResult("99999999999"), 0);
    EXPECT_EQ(PointsForResult("-99999999999"), 0);
    EXPECT_EQ(PointsForResult("2147483649"), 0);
    EXPECT_EQ(PointsForResult("3"), 6);
}

// Ratings far beyond their scales reach the jump start, overtaking, penalties and reliability.
TEST(LoadedSeason, HugeRatingsRaceToTheFlag) {
    Season season = MakeSeason(3, 2, 2, "40");
    const std::string huge = "99999999999", vast = std::string(300, '9');
    for (int d = 1; d <= 6; ++d) {
        DrvRecord& driver = season.DrvTable[d];
        driver.Technique = d % 2 ? huge : "0";
        driver.Roughness = d % 3 ? vast : "0";
        driver.Block = d == 4 ? "-" + huge : huge;
        driver.Stability = vast;
    }
    season.TimTable[2].Aero = vast;
    season.TimTable[3].Stability = "-" + vast;
    ScriptedPlatform platform;
    GameRandom random(3);
    Shell shell(season, platform, random);
    RaceWeekend weekend;
    ASSERT_TRUE(PlayGrandPrix(shell, weekend));
    ASSERT_TRUE(PlayGrandPrix(shell, weekend));
    EXPECT_EQ(season.Sis.EndGp, "2");
    for (int d = 1; d <= 6; ++d) {
        EXPECT_EQ(season.DrvTable[d].CareerGp, "2") << d;
        EXPECT_FALSE(season.DrvTable[d].Result[2].empty()) << d;
    }
}

// A lap count that no file can bring in still ends: the race runs its longest distance.
TEST(LoadedSeason, AnEndlessLapCountRunsTheLongestRace) {
    RaceFixture f(MakeSeason(1, 2, 1, "2147483647"));
    f.shell.events = {false, false, false};
    ASSERT_TRUE(PlayGrandPrix(f.shell, f.weekend));
    auto texts = f.Texts();
    EXPECT_EQ(Count(texts, std::to_string(MaxSyuCount) + "周目\r\n"), 1);
    EXPECT_EQ(Count(texts, std::to_string(MaxSyuCount + 1) + "周目\r\n"), 0);
    EXPECT_EQ(f.season.Sis.EndGp, "1");
}

// Two drivers under one number each keep their own results, and each team its own points
// (seven laps: nobody retires, so the first four places score).
TEST(LoadedSeason, SharedNumbersLoseNoResult) {
    TempDir dir;
    // DrvNo, TimNo and name; middling ratings, no career, no results.
    auto driver = [](const std::string& head) {
        return head + ",3,3,3,3,0,0,0,0,0,0,0" + std::string(17, ',') + "\r\n";
    };
    WriteBytes(dir / "shared.krv",
               std::string(FormatMark) + "\r\n\r\n<SIS>\r\n1,7,4,0\r\n<GP>\r\n01,A,3\r\n<DRV>\r\n5\r\n" +
                   driver("01,01,One") + driver("01,01,Two") + driver("1,2,Three") + driver("07, 2 ,Four") +
                   driver("05,99,Five") + "<TIM>\r\n2\r\n01,Red,0001,3,3,3,0\r\n01,Blue,0002,3,3,3,0\r\n");
    Season season;
    NoQuestions dialogue;
    ASSERT_EQ(LoadSeasonFile(season, dir / "shared.krv", dialogue), LoadOk);
    std::vector<std::string> numbers, seats;
    for (int d = 1; d <= 5; ++d) {
        numbers.push_back(season.DrvTable[d].DrvNo);
        seats.push_back(season.DrvTable[d].TimNo);
    }
    EXPECT_EQ(numbers, (std::vector<std::string>{"01", "02", "03", "04", "05"}));
    EXPECT_EQ(seats, (std::vector<std::string>{"01", "01", "02", "02", "99"})); // 99 names no team
    EXPECT_EQ(season.TimTable[2].TimNo, "02");

    ScriptedPlatform platform;
    GameRandom random(1);
    Shell shell(season, platform, random);
    RaceWeekend weekend;
    ASSERT_TRUE(PlayGrandPrix(shell, weekend));
    int points = 0;
    for (int d = 1; d <= 4; ++d) {
        const DrvRecord& driver = season.DrvTable[d];
        EXPECT_EQ(driver.CareerGp, "1") << driver.DrvNm;
        EXPECT_FALSE(driver.Result[1].empty()) << driver.DrvNm;
        points += PointsForResult(driver.Result[1]);
    }
    EXPECT_EQ(season.DrvTable[5].Result[1], ""); // no seat, no race
    EXPECT_EQ(points, 10 + 8 + 6 + 5);
    EXPECT_EQ(ReadNumber(season.TimTable[1].Points) + ReadNumber(season.TimTable[2].Points), points);
}

// Career counts and points of any length go on counting: a race writes them back whole, and the
// season saves and reads back as it was played.
TEST(LoadedSeason, CountsOfAnyLengthComeOutWholeAfterARace) {
    Season season = MakeSeason(1, 2, 2, "7"); // seven laps: nobody retires
    const std::string e64 = "1" + std::string(64, '0'), e300 = "1" + std::string(300, '0');
    DrvRecord& first = season.DrvTable[1];
    first.CareerGp = e64;
    first.CareerPoints = "999999999999999";
    first.CareerPp = e300;
    DrvRecord& second = season.DrvTable[2];
    second.CareerGp = std::string(400, '9'); // beyond a double: it reads as 0
    second.CareerPoints = "-" + e300;
    season.TimTable[1].Points = e64 + ".5";
    ScriptedPlatform platform;
    GameRandom random(5);
    Shell shell(season, platform, random);
    RaceWeekend weekend;
    ASSERT_TRUE(PlayGrandPrix(shell, weekend));

    EXPECT_EQ(first.CareerGp, e64);
    EXPECT_EQ(second.CareerGp, "1");
    EXPECT_EQ(first.CareerPoints, first.Result[1] == "1" ? "1000000000000009" : "1000000000000007");
    EXPECT_EQ(second.CareerPoints, "-" + e300);
    EXPECT_EQ(season.TimTable[1].Points, e64);
    EXPECT_EQ(first.CareerPp, e300);

    TempDir dir;
    ASSERT_TRUE(WriteSeasonFile(season, dir / "played.krv"));
    Season back;
    ASSERT_TRUE(ReadSeasonFile(back, dir / "played.krv"));
    EXPECT_EQ(back, season);
}

// A count of Grands Prix with a fraction holds as many as its whole count: the season ends there,
// the market opens, and a file saved after the last race opens at the season's end.
TEST(LoadedSeason, AFractionalCountOfGrandsPrixEndsAtItsWholeCount) {
    TempDir dir;
    Season made = MakeSeason(2, 2, 2, "7");
    made.Sis.GpCount = "2.5";
    made.Sis.EndGp = "1";
    ASSERT_TRUE(WriteSeasonFile(made, dir / "fraction.krv"));

    ScriptedPlatform platform;
    platform.fallback = [](Form& f) {
        if (f.Name() == FrmKarvenOff::FormName) {
            f.Click("cmdStart");
            f.Click("cmdOK");
        } else {
            f.Click(f.defaultButton);
        }
    };
    GameRandom random(8);
    Game game(platform, random);
    FrmKarvenRace& main = game.shell.main;
    platform.fileAnswers = {dir / "fraction.krv"};
    main.Click("File_open");
    ASSERT_EQ(game.season.Sis.GpCount, "2.5");
    ASSERT_TRUE(main("cmdYosen").enabled);
    main.Click("cmdYosen");
    main.Click("cmdKesyou");
    EXPECT_EQ(game.season.Sis.EndGp, "2");
    ASSERT_TRUE(main("cmdOffSis").enabled) << "the season is over";
    ASSERT_TRUE(WriteSeasonFile(game.season, dir / "over.krv"));

    main.Click("cmdOffSis");
    EXPECT_EQ(game.season.Sis.EndGp, "0");
    EXPECT_TRUE(main("cmdYosen").enabled);
    int champions = 0;
    for (const DrvRecord& d : game.season.DrvTable) champions += d.CareerWc == "1";
    EXPECT_EQ(champions, 1);

    platform.fileAnswers = {dir / "over.krv"};
    platform.script.push_back([](Form& ask) { ask.Click("cmdDiscard"); }); // the market just run
    main.Click("File_open");
    EXPECT_TRUE(main("cmdOffSis").enabled);
    EXPECT_FALSE(main("cmdYosen").enabled);
}
