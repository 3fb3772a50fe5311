#include <gtest/gtest.h>

#include "RaceFixture.h"
#include "race/LapSteps.h"
#include "race/LapLoop.h"

using namespace karven;
using namespace karven::test;

namespace {
double R(int roll, int x) { return RollValue(roll, x); }

// Whether the leader retires at this race distance with these draws; also how many the rules drew
// (the retirement picture's roll not counted).
std::pair<bool, int> Retires(const std::string& laps, std::initializer_list<double> rolls) {
    RaceFixture f;
    f.season.Sis.SyuCount = laps;
    f.Running({Car(1, "10.00"), Car(2, "20.00")}); // stabilities 3 + 3: rolls of 6
    f.random.Push(rolls);
    ReliabilityStep(*f.race, 1);
    bool retired = f.table()[2].DrvNm == "D1" && f.table()[2].Retired == "1";
    return {retired, f.random.draws - (retired ? 1 : 0)};
}

EntryRecord RetiredCar(int no) {
    EntryRecord c = Car(no, "999.99");
    c.Retired = "1";
    return c;
}
} // namespace

TEST(Reliability, OddsFollowTheRaceDistance) {
    const double one = R(1, 6), two = R(2, 6);
    EXPECT_EQ(Retires("5", {one, two, two, R(1, 2)}), std::make_pair(true, 4));
    EXPECT_EQ(Retires("5", {one, two, two, R(2, 2)}), std::make_pair(false, 4));
    EXPECT_EQ(Retires("5", {two, one, one, R(1, 2)}), std::make_pair(false, 4));
    EXPECT_EQ(Retires("10", {one, one, two}), std::make_pair(true, 3));
    EXPECT_EQ(Retires("10", {one, two, one}), std::make_pair(false, 3));
    EXPECT_EQ(Retires("20", {one, one, two, R(3, 5)}), std::make_pair(true, 4));
    EXPECT_EQ(Retires("20", {one, one, two, R(4, 5)}), std::make_pair(false, 4));
    EXPECT_EQ(Retires("40", {one, one, one}), std::make_pair(true, 3));
    EXPECT_EQ(Retires("40", {one, one, two}), std::make_pair(false, 3));
    EXPECT_EQ(Retires("7", {one, one, one, 0.0, 0.0}), std::make_pair(false, 3));
}

TEST(Reliability, RetiringFromTheLastRunningPlaceStaysAndSkipsTheLap) {
    RaceFixture f;
    f.season.Sis.SyuCount = "10";
    f.Running({Car(1, "10.00"), Car(2, "20.00"), RetiredCar(3)});
    f.random.Push({0, 0, 0});
    EXPECT_FALSE(ReliabilityStep(*f.race, 2));
    EXPECT_EQ(f.Order(), "D1 D2 D3");
    EXPECT_EQ(f.Row(2), "|D2|T2|999.99|0|");
    EXPECT_EQ(f.Texts(), std::vector<std::string>{"2位\r\nD2\r\n（T2）\r\n\r\nリタイアだあ！！"});
    EXPECT_EQ(f.shell.main("imgAnime").picture.substr(0, 24), "/opt/karven/img/anime/re");
}

TEST(Reliability, LaterRetirementsStandAheadOfEarlierOnes) {
    RaceFixture f;
    f.season.Sis.SyuCount = "10";
    f.Running({Car(1, "10.00"), Car(2, "20.00"), Car(3, "30.00"), RetiredCar(4)});
    f.random.Push({0, 0, 0, 0.5, 0, 0, 0, 0.5});
    EXPECT_TRUE(ReliabilityStep(*f.race, 1)); // D2 now leads and goes on
    EXPECT_EQ(f.Order(), "D2 D3 D1 D4");
    EXPECT_TRUE(ReliabilityStep(*f.race, 1));
    EXPECT_EQ(f.Order(), "D3 D2 D1 D4");
    EXPECT_EQ(f.Row(1), "|D3|T3|30.00|0|");
    EXPECT_EQ(f.Row(2), "|D2|T2|999.99|0|");
    EXPECT_EQ(f.Texts()[1], "1位\r\nD2\r\n（T2）\r\n\r\nリタイアだあ！！");
}

TEST(Overtaking, BlockCopiesTheTimeAndPassSwaps) {
    {
        RaceFixture f;
        f.Running({Car(1, "50.00"), Car(2, "40.00")});
        f.random.Push({R(1, 3), R(1, 10), R(1, 2), R(1, 3)}); // attack, picture, inside, block
        OvertakingStep(*f.race, 2);
        EXPECT_EQ(f.Order(), "D1 D2");
        EXPECT_EQ(f.table()[2].Time, "50.00");
        EXPECT_EQ(f.shell.main.lbl(4, 2).text, "50.00");
        EXPECT_EQ(f.Texts(), (std::vector<std::string>{"2位\r\nD2\r\n（T2）\r\n\r\nインからいったー！！",
                                                      "しかし！！\r\nD1\r\n（T1）\r\n\r\nブロックしたあ！！"}));
        EXPECT_EQ(f.shell.main("imgAnime").picture, "/opt/karven/img/anime/iku01.bmp");
    }
    {
        RaceFixture f;
        f.Running({Car(1, "50.00"), Car(2, "40.00")});
        f.random.Push({R(1, 3), R(10, 10), R(2, 2), R(2, 3)});
        OvertakingStep(*f.race, 2);
        EXPECT_EQ(f.Order(), "D2 D1");
        EXPECT_EQ(f.Row(1), "|D2|T2|40.00|0|");
        EXPECT_EQ(f.Row(2), "|D1|T1|50.00|0|");
        EXPECT_EQ(f.Texts()[0], "2位\r\nD2\r\n（T2）\r\n\r\nアウトからいったー！！");
        EXPECT_EQ(f.Texts()[1], "1位\r\nD1\r\n（T1）\r\n\r\nを抜いたあ！！");
        EXPECT_EQ(f.shell.main("imgAnime").picture, "/opt/karven/img/anime/iku10.bmp");
    }
}

TEST(Overtaking, NoAttackOnAnEqualTime) {
    RaceFixture f;
    EntryRecord b = Car(2, "50.00");
    b.Roughness = "0"; // always rolls 1
    f.Running({Car(1, "50.00"), b});
    OvertakingStep(*f.race, 2);
    EXPECT_EQ(f.random.draws, 1);
    EXPECT_TRUE(f.Texts().empty());
}

TEST(Overtaking, CarOnWrongTyresIsAlwaysAttackedAndNeverBlocks) {
    RaceFixture f;
    EntryRecord a = Car(1, "50.00");
    a.RainTyre = "1"; // in the dry
    a.Block = "0";    // would always block
    EntryRecord b = Car(2, "40.00");
    b.Roughness = "5";
    f.Running({a, b});
    f.race->Tenkou = 2;
    OvertakingStep(*f.race, 2);
    EXPECT_EQ(f.random.draws, 2); // picture and side only
    EXPECT_EQ(f.Order(), "D2 D1");
}

TEST(JumpStart, FromThirdWithFiveGainsTwoPlaces) {
    RaceFixture f;
    f.Running({Car(1, "1.00"), Car(2, "2.00"), Car(3, "3.00"), Car(4, "4.00")});
    f.random.Push({R(1, 3), R(2, 3), 0, R(5, 5)});
    JumpStartStep(*f.race, 3);
    EXPECT_EQ(f.Order(), "D3 D1 D2 D4");
    EXPECT_EQ(f.Row(1), "|D3|T3|3.00|0|");
    EXPECT_EQ(f.Row(3), "|D2|T2|2.00|0|");
    EXPECT_EQ(f.Row(4), "|||||"); // untouched
    EXPECT_EQ(f.Texts(), std::vector<std::string>{"3位\r\nD3\r\n（T3）\r\n\r\nスタートでジャンプアップだあ！"});

    RaceFixture g;
    g.Running({Car(1, "1.00"), Car(2, "2.00")});
    g.random.Push({R(2, 3)}); // technique roll misses: nothing more is drawn
    JumpStartStep(*g.race, 2);
    g.random.Push({R(1, 3), R(1, 3)}); // rough roll of 1: nothing happens
    JumpStartStep(*g.race, 2);
    EXPECT_EQ(g.random.draws, 3);
    EXPECT_EQ(g.Order(), "D1 D2");
}

TEST(Board, DropBackPassesEqualTimesButNeverARetiredCar) {
    RaceFixture f;
    f.Running({Car(1, "30.00"), Car(2, "30.00"), Car(3, "30.00"), Car(4, "31.00")});
    laps::WatchedLap lap(*f.race);
    EXPECT_EQ(laps::DropBack(lap, 1), 3);
    EXPECT_EQ(f.Order(), "D2 D3 D1 D4");
    EXPECT_EQ(f.Row(3), "|D1|T1|30.00|0|");

    RaceFixture g;
    g.Running({Car(1, "1000.00"), Car(2, "500.00"), RetiredCar(3)});
    laps::WatchedLap other(*g.race);
    EXPECT_EQ(laps::DropBack(other, 1), 2);
    EXPECT_EQ(g.Order(), "D2 D1 D3");
}

TEST(LapTime, TyrePenaltiesAndStrictFastestLap) {
    RaceFixture f;
    EntryRecord a = Car(1, "10.00");
    a.RainTyre = "1";
    f.Running({a, Car(2, "20.00"), Car(3, "30.00")});
    f.random.Push({0, 0, 0, 0});
    LapTimeStep(*f.race, 1); // 3 + 5 for rain tyres in the dry
    LapTimeStep(*f.race, 2); // 3: fastest
    f.race->Tenkou = 3;
    f.random.Push({0, 0});
    LapTimeStep(*f.race, 3); // 3 + 10 for dry tyres in the rain
    EXPECT_EQ(f.table()[1].Time, "18.00");
    EXPECT_EQ(f.table()[2].Time, "23.00");
    EXPECT_EQ(f.table()[3].Time, "43.00");
    EXPECT_EQ(f.shell.main.lbl(4, 3).text, "43.00");
    EXPECT_EQ(f.FlDrvNo(), "02");
    EXPECT_DOUBLE_EQ(f.race->FlTime, 3.0);
    ASSERT_EQ(f.Texts().size(), 2u);
    EXPECT_EQ(f.Texts()[1], "2位\r\nD2\r\n（T2）\r\n\r\nＦＬが出ました！！");

    // The same lap time again is not a new fastest lap.
    f.race->Tenkou = 1;
    f.random.Push({0, 0});
    LapTimeStep(*f.race, 3);
    EXPECT_EQ(f.FlDrvNo(), "02");
}
