#include <gtest/gtest.h>

#include "RaceFixture.h"
#include "shell/MainState.h"
#include "weekend/Qualifying.h"

using namespace karven;
using namespace karven::test;

namespace {
// Four r values per entrant: circuit attempt (aero, technique), then plain attempt.
void Attempts(ScriptedRandom& random, std::initializer_list<std::array<double, 4>> entrants) {
    for (const auto& a : entrants) random.Push({a[0], a[1], a[2], a[3]});
}

std::string Times(const RaceWeekend& w) {
    std::string s;
    for (int k = 1; k <= w.EntryCount; ++k)
        s += (k > 1 ? " " : "") + w.YosenResultTable[k].DrvNo + ":" + w.YosenResultTable[k].Time;
    return s;
}
} // namespace

TEST(Qualifying, BetterAttemptCountsAndTiesAtTwoDecimalsKeepDriverOrder) {
    RaceFixture f; // four drivers, ratings 3 on an ordinary circuit: both attempts start at 3
    f.season.Sis.NinCount = "3";
    Attempts(f.random, {{0.0, 0.2003, 0.5, 0.5},  // A 3.6009, B 6 -> "3.60"
                        {0.5, 0.5, 0.0, 0.1},     // B 3.3
                        {0.3, 0.3, 0.3, 0.3},     // A = B = 4.8
                        {0.1, 0.1, 0.5, 0.5}});   // A 3.6: below driver 1 unformatted, equal formatted
    ASSERT_TRUE(RunQualifying(f.shell, f.weekend));
    EXPECT_EQ(f.random.draws, 16);
    EXPECT_EQ(f.random.reseeds, 1);
    EXPECT_EQ(Times(f.weekend), "02:3.30 01:3.60 04:3.60 03:4.80");

    auto texts = f.Texts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0], "第1戦\r\nGP1 ＧＰ\r\n\r\n予選をスタートしてよろしいですか？");
    EXPECT_EQ(texts[1], "ＰＰ\r\nドライバー2\r\n（チーム1・エンジン）\r\n");
    EXPECT_EQ(texts[2], "予選 2位\r\nドライバー1\r\n（チーム1・エンジン）");
    EXPECT_EQ(f.season.DrvTable[2].CareerPp, "1");
    EXPECT_EQ(f.season.DrvTable[1].CareerPp, "0");

    EXPECT_EQ(f.Row(1), "1|ドライバー2|チーム1・エンジン|3.30||");
    EXPECT_EQ(f.Row(4), "落|ドライバー3|チーム2・エンジン|4.80||");
    EXPECT_EQ(f.shell.main.imgCo(4).picture, "/opt/karven/img/color/0002.dat");
    EXPECT_EQ(f.shell.main("lblTitle").text, "第1戦 GP1 ＧＰ 予選結果");
    EXPECT_EQ(f.shell.main.lblT(4).text, "Time");
    EXPECT_TRUE(f.shell.main("cmdKesyou").enabled);
    EXPECT_FALSE(f.shell.main("cmdYosen").enabled);
}

TEST(Qualifying, FastCircuitLineAndFullGridWithoutFailures) {
    RaceFixture f;
    f.season.GpTable[1].CourseType = "1";
    ASSERT_TRUE(RunQualifying(f.shell, f.weekend));
    EXPECT_EQ(f.Texts()[0], "第1戦\r\n超高速サーキット\r\nGP1 ＧＰ\r\n\r\n予選をスタートしてよろしいですか？");
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(f.shell.main.lbl(1, k).text, std::to_string(k));
}

TEST(Qualifying, CancelChangesNothing) {
    RaceFixture f;
    SetMainState(f.shell.main, CommandState::BetweenGps);
    f.shell.main.lbl(2, 1).text = "前回";
    f.shell.main("lblTitle").text = "前のタイトル";
    f.platform.Answer({false});
    EXPECT_FALSE(RunQualifying(f.shell, f.weekend));
    EXPECT_EQ(f.weekend.EntryCount, 0);
    EXPECT_EQ(f.shell.main.lbl(2, 1).text, "前回");
    EXPECT_EQ(f.shell.main("lblTitle").text, "前のタイトル");
    EXPECT_TRUE(f.shell.main("cmdYosen").enabled);
    EXPECT_EQ(f.Texts().size(), 1u);
    for (int d = 1; d <= 4; ++d) EXPECT_EQ(f.season.DrvTable[d].CareerPp, "0");
}

TEST(Qualifying, OnlyDriversWithAnExistingTeamEnter) {
    RaceFixture f;
    f.season.DrvTable[2].TimNo = "";
    f.season.DrvTable[3].TimNo = "09"; // names no team
    f.season.Sis.NinCount = "2";
    ASSERT_TRUE(RunQualifying(f.shell, f.weekend));
    ASSERT_EQ(f.weekend.EntryCount, 2);
    EXPECT_EQ(f.Texts().size(), 3u);
    for (int k = 1; k <= 2; ++k) {
        const std::string& no = f.weekend.YosenResultTable[k].DrvNo;
        EXPECT_TRUE(no == "01" || no == "04") << no;
    }
    EXPECT_EQ(f.Row(3), "|||||");
}

TEST(Qualifying, NothingPastTheLastGrandPrix) {
    RaceFixture f;
    f.season.Sis.EndGp = "2"; // of 2
    EXPECT_FALSE(RunQualifying(f.shell, f.weekend));
    EXPECT_EQ(f.platform.Texts(), std::vector<std::string>{"開催できるグランプリがありません。\r\n"
                                                           "シーズン設定でグランプリを追加してください。"});
    EXPECT_EQ(f.random.reseeds, 0);
}

TEST(Qualifying, FieldBeyondTheGridRowsQualifiesUnseen) {
    RaceFixture f(MakeSeason(12, 3, 1)); // 36 seats, more than the 32 rows
    ASSERT_TRUE(RunQualifying(f.shell, f.weekend));
    EXPECT_EQ(f.weekend.EntryCount, 36);
    EXPECT_EQ(f.Texts().size(), 37u);
    EXPECT_FALSE(f.shell.main.lbl(2, 32).text.empty());
}
