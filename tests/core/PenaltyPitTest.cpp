#include <gtest/gtest.h>

#include "RaceFixture.h"
#include "race/LapLoop.h"
#include "race/PenaltyPit.h"

using namespace karven;
using namespace karven::test;

namespace {
double R(int roll, int x) { return RollValue(roll, x); }

// One lap without weather: the leader is penalised at once; every other roll comes out largest.
struct PenaltyLap : RaceFixture {
    explicit PenaltyLap(const std::string& secondTime) {
        shell.events.weather = false;
        season.Sis.SyuCount = "1";
        Running({Car(1, "10.00"), Car(2, secondTime)});
        random.Push({0.5, 0, 0, 0, 0, 0}); // lap picture, two penalty rolls of 1, three pictures
        RunLaps(*race);
    }
};

// The tyre stop of a car with this many tyre laps; whether it stopped and how many decision rolls were drawn.
std::pair<bool, int> Pit(int tyreLaps, bool wrongTyres, std::initializer_list<double> rolls) {
    RaceFixture f;
    EntryRecord car = Car(1, "10.00");
    car.TyreLaps = std::to_string(tyreLaps);
    car.RainTyre = wrongTyres ? "1" : "0";
    f.Running({car, Car(2, "100.00")});
    f.random.Push(rolls);
    PitStep(*f.race, 1);
    bool stopped = f.table()[1].PitCount == "1";
    return {stopped, f.random.draws - (stopped ? 4 : 0)}; // a stop draws two pictures, pit time, tyres
}

std::string TyreAfterStop(int tenkou, int prevTenkou, int c) {
    RaceFixture f;
    EntryRecord car = Car(1, "10.00");
    car.TyreLaps = "15";
    f.Running({car, Car(2, "100.00")});
    f.race->Tenkou = tenkou;
    f.race->PrevTenkou = prevTenkou;
    if (tenkou == 3) f.random.Push({0}); // dry tyres in the rain: the wrong-tyre roll first
    f.random.Push({0, 0, 0, R(c, 3), 0}); // roll of 3, pit-in picture, pit time, tyres, pit-out picture
    PitStep(*f.race, 1);
    return f.table()[1].RainTyre;
}
} // namespace

TEST(Penalty, CarThatStaysInPlaceSkipsTheRestOfItsLap) {
    PenaltyLap f("100.00");
    EXPECT_EQ(f.Order(), "D1 D2");
    EntryRecord d1 = f.table()[1];
    EXPECT_EQ(d1.Time, "45.00");
    EXPECT_EQ(d1.PenLap, "1");
    EXPECT_EQ(d1.PitCount, "0");
    EXPECT_EQ(f.race->PenCount, 1);
    EXPECT_EQ(f.FlDrvNo(), "02"); // D1 got no lap time
    auto texts = f.Texts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0], "1周目\r\n");
    EXPECT_EQ(texts[1], "1位\r\nD1\r\n（T1）\r\n\r\nフライングによる\r\nペナルティが出ました！！");
    EXPECT_EQ(texts[2], "1位\r\nD1\r\n（T1）\r\n\r\nペナルティピットイン！！");
    EXPECT_EQ(texts[3], "D1\r\n（T1）\r\n\r\n1位で\r\nピットアウトです！！");
    EXPECT_EQ(texts[4], "2位\r\nD2\r\n（T2）\r\n\r\nＦＬが出ました！！");
}

TEST(Penalty, CarThatDropsBackIsMetAgainWithAllSteps) {
    PenaltyLap f("40.00");
    EXPECT_EQ(f.Order(), "D2 D1");
    EXPECT_EQ(f.Texts()[3], "D1\r\n（T1）\r\n\r\n2位で\r\nピットアウトです！！");
    EntryRecord d2 = f.table()[1];
    EntryRecord d1 = f.table()[2];
    EXPECT_EQ(d2.TyreLaps, "0"); // moved up past its own count
    EXPECT_EQ(d1.TyreLaps, "2"); // counted again where it was met again
    EXPECT_EQ(d1.PenLap, "0");
    EXPECT_GT(ReadNumber(d1.Time), 45.0); // and it got its lap time
    EXPECT_EQ(f.FlDrvNo(), "02");
}

TEST(Penalty, ReasonByLapAndNoThirdPenalty) {
    for (int lap : {19, 20}) {
        RaceFixture f;
        f.Running({Car(1, "10.00"), Car(2, "100.00")});
        f.race->lap = lap;
        f.random.Push({0, 0});
        PenaltyStep(*f.race, 1);
        std::string reason = lap >= 20 ? "ピットレーン速度違反による" : "フライングによる";
        EXPECT_NE(f.Texts()[0].find(reason), std::string::npos) << lap;
    }
    RaceFixture f;
    f.Running({Car(1, "10.00"), Car(2, "100.00")});
    f.race->PenCount = 2;
    f.random.Push({0, 0});
    PenaltyStep(*f.race, 1);
    EXPECT_EQ(f.random.draws, 0);
    EXPECT_EQ(f.table()[1].Time, "10.00");

    RaceFixture off;
    off.shell.events.pen = false;
    off.Running({Car(1, "10.00")});
    PenaltyStep(*off.race, 1);
    EXPECT_EQ(off.random.draws, 0);
}

TEST(Pit, DecisionByTyreLaps) {
    EXPECT_EQ(Pit(7, true, {0}), std::make_pair(false, 0));
    EXPECT_EQ(Pit(8, true, {R(1, 2)}), std::make_pair(true, 1));
    EXPECT_EQ(Pit(8, true, {R(2, 2)}), std::make_pair(false, 1));
    EXPECT_EQ(Pit(8, false, {0}), std::make_pair(false, 0));
    EXPECT_EQ(Pit(11, false, {0}), std::make_pair(false, 0));
    EXPECT_EQ(Pit(12, false, {R(1, 3)}), std::make_pair(true, 1));
    EXPECT_EQ(Pit(12, false, {R(2, 3)}), std::make_pair(false, 1));
    EXPECT_EQ(Pit(12, true, {R(1, 2), R(3, 3)}), std::make_pair(false, 2)); // the later roll replaces it
    EXPECT_EQ(Pit(15, false, {R(3, 3)}), std::make_pair(true, 1));
    EXPECT_EQ(Pit(15, true, {R(2, 2), R(3, 3)}), std::make_pair(true, 2));

    RaceFixture off;
    off.shell.events.pit = false;
    EntryRecord car = Car(1, "10.00");
    car.TyreLaps = "20";
    off.Running({car});
    PitStep(*off.race, 1);
    EXPECT_EQ(off.table()[1].PitCount, "0");
    EXPECT_EQ(off.random.draws, 0);
}

TEST(Pit, StopTextsBoardAndDropBack) {
    RaceFixture f;
    EntryRecord car = Car(1, "80.00");
    car.TyreLaps = "15";
    car.PitCount = "1";
    f.Running({car, Car(2, "100.00"), Car(3, "106.01")});
    f.random.Push({R(3, 3), 0, 0.5, R(2, 3), 0}); // decision, pit-in picture, pit time 10.5, tyres, pit-out picture
    PitStep(*f.race, 1);
    EXPECT_EQ(f.Order(), "D2 D1 D3");
    EXPECT_EQ(f.Row(2), "|D1|T1|106.00|2|");
    EXPECT_EQ(f.table()[2].TyreLaps, "0");
    EXPECT_EQ(f.Texts(), (std::vector<std::string>{"1位\r\nD1\r\n（T1）\r\n\r\nピットインです！！",
                                                  "D1\r\n（T1）\r\nピットタイム 10.5 秒\r\n\r\n2位\r\nピットアウトです！！"}));
    EXPECT_EQ(f.shell.main("imgAnime").picture, "/opt/karven/img/anime/pitout01.bmp");
}

TEST(Pit, TyreChoiceInTheLapTheWeatherTurned) {
    EXPECT_EQ(TyreAfterStop(3, 1, 1), "0"); // rain came: keeps to dry tyres
    EXPECT_EQ(TyreAfterStop(3, 2, 2), "1");
    EXPECT_EQ(TyreAfterStop(3, 3, 1), "1");
    EXPECT_EQ(TyreAfterStop(1, 3, 1), "1"); // rain stopped: keeps to rain tyres
    EXPECT_EQ(TyreAfterStop(2, 3, 2), "0");
    EXPECT_EQ(TyreAfterStop(1, 2, 1), "0");
}
