#include <gtest/gtest.h>

#include "RaceFixture.h"
#include "race/Anime.h"
#include "race/RaceStart.h"

using namespace karven;
using namespace karven::test;

namespace {
double R(int roll, int x) { return RollValue(roll, x); }

struct LapWeather {
    int Kousui;
    int Tenkou;
    std::string text;
};

// A top of lap from this rain probability with these two weather rolls.
LapWeather Change(int kousui, int d, int m) {
    RaceFixture f;
    f.Running({Car(1, "1.00")});
    f.display->LoadWeatherPictures();
    f.race->Kousui = kousui;
    f.random.Push({R(d, 2), R(m, 10), 0});
    TopOfLap(*f.race, 3);
    EXPECT_EQ(f.shell.main("imgTenki", 0).picture, f.shell.main("imgTenki", f.race->Tenkou).picture);
    EXPECT_EQ(f.shell.main("lblKousui").text, std::to_string(f.race->Kousui));
    EXPECT_EQ(f.shell.main("lblTitle").text, "第1戦 GP1 ＧＰ 3周目");
    return {f.race->Kousui, f.race->Tenkou, f.Texts().at(0)};
}
} // namespace

TEST(Weather, Thresholds) {
    EXPECT_EQ(TenkouOf(0), 1);
    EXPECT_EQ(TenkouOf(30), 1);
    EXPECT_EQ(TenkouOf(31), 2);
    EXPECT_EQ(TenkouOf(60), 2);
    EXPECT_EQ(TenkouOf(61), 3);
    EXPECT_EQ(TenkouOf(100), 3);
}

TEST(Weather, ChangeStaysWithinZeroToHundred) {
    LapWeather dry = Change(5, 1, 10);
    EXPECT_EQ(dry.Kousui, 0);
    EXPECT_EQ(dry.Tenkou, 1);
    EXPECT_EQ(dry.text, "3周目\r\n\r\n天気は 晴れ");
    EXPECT_EQ(Change(1, 1, 1).Kousui, 0);
    EXPECT_EQ(Change(95, 2, 10).Kousui, 100);
    EXPECT_EQ(Change(99, 2, 1).Kousui, 100);
    LapWeather cloudy = Change(25, 2, 6);
    EXPECT_EQ(cloudy.Kousui, 31);
    EXPECT_EQ(cloudy.text, "3周目\r\n\r\n天気は くもり");
    EXPECT_EQ(Change(70, 1, 9).Tenkou, 3);
}

TEST(Weather, SwitchedOffMeansNoWeatherLineAndNoDraws) {
    RaceFixture f;
    f.shell.events.weather = false;
    f.Running({Car(1, "1.00")});
    f.platform.Answer({true});
    EXPECT_TRUE(ConfirmStart(*f.race));
    TopOfLap(*f.race, 1);
    EXPECT_EQ(f.random.draws, 1); // the lap picture only
    EXPECT_EQ(f.Texts(), (std::vector<std::string>{"第1戦\r\nGP1 ＧＰ\r\n\r\n決勝をスタートしてよろしいですか？", "1周目\r\n"}));
    EXPECT_EQ(f.race->Tenkou, 1);
}

TEST(Weather, StartWeatherInTheConfirmation) {
    for (auto [r, line] : {std::pair{0.305, "天候は 晴れ 降水確率は 30%"}, std::pair{0.31, "天候は くもり 降水確率は 31%"},
                           std::pair{0.6, "天候は くもり 降水確率は 60%"}, std::pair{0.615, "天候は 雨 降水確率は 61%"}}) {
        RaceFixture f;
        f.season.GpTable[1].CourseType = "4";
        f.Running({Car(1, "1.00")});
        f.random.Push({r});
        ConfirmStart(*f.race);
        EXPECT_EQ(f.Texts()[0], std::string("第1戦\r\nテクニカルサーキット\r\nGP1 ＧＰ\r\n") + line +
                                    "\r\n\r\n決勝をスタートしてよろしいですか？");
    }
}
