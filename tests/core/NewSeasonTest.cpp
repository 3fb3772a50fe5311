#include <gtest/gtest.h>

#include "StandingsTestSeason.h"
#include "offseason/NewSeason.h"
#include "shell/FrmKarvenRace.h"
#include "shell/MainState.h"

using namespace karven;
using namespace karven::test;

namespace {
// A season in the middle of its run: results (one beyond the calendar), points and careers.
void MidSeason(StandingsWorld& w) {
    w.season.Sis.EndGp = "3";
    w.season.TimTable[1].Points = "16";
    w.season.TimTable[2].Points = "5";
    for (int d = 1; d <= 4; ++d) {
        DrvRecord& driver = w.season.DrvTable[d];
        driver.Result = {"", std::to_string(d), "", "0"};
        driver.Result[17] = "2";
        driver.CareerGp = "40";
        driver.CareerWc = driver.CareerBest = "1";
        driver.CareerWins = "7";
        driver.CareerPp = driver.CareerFl = "3";
        driver.CareerPoints = "123";
    }
    SetMainState(w.shell.main, CommandState::BetweenGps);
    w.shell.main("lblTitle").text = "ﾄﾞﾗｲﾊﾞｰｽﾞﾗﾝｷﾝｸﾞ (第3戦まで)";
    w.shell.main.lbl(2, 1).text = "Driver01";
}

// What a new season keeps of `before`: everything but results, points, EndGp and maybe the careers.
Season Cleared(Season s, bool careers) {
    s.Sis.EndGp = "0";
    for (int t = 1; t <= 2; ++t) s.TimTable[t].Points = "0";
    for (int d = 1; d <= 4; ++d) {
        DrvRecord& x = s.DrvTable[d];
        x.Result = {};
        if (careers)
            x.CareerGp = x.CareerWc = x.CareerWins = x.CareerPp = x.CareerFl = x.CareerBest = x.CareerPoints = "0";
    }
    return s;
}
} // namespace

TEST(NewSeason, CancelAtFirstQuestionChangesNothing) {
    StandingsWorld w(StandingsSeason(2, 4));
    MidSeason(w);
    Season before = w.season;
    w.platform.Answer({false});

    NewSeason(w.shell);

    EXPECT_EQ(w.season, before);
    EXPECT_EQ(w.platform.Texts(), std::vector<std::string>{"今シーズンの成績は消去されますが\r\nよろしいですか？"});
    EXPECT_TRUE(w.shell.main("cmdDrvRank").enabled) << "still state 2";
    EXPECT_EQ(w.shell.main("lblTitle").text, "ﾄﾞﾗｲﾊﾞｰｽﾞﾗﾝｷﾝｸﾞ (第3戦まで)");
    EXPECT_EQ(w.shell.main.lbl(2, 1).text, "Driver01");
}

TEST(NewSeason, CancelAtSecondQuestionStillClearsTheSeasonButKeepsCareers) {
    StandingsWorld w(StandingsSeason(2, 4));
    MidSeason(w);
    Season before = w.season;
    w.platform.Answer({true, false});

    NewSeason(w.shell);

    // The season played so far is kept in the history, as abandoned.
    ASSERT_EQ(w.season.history.seasons.size(), 1u);
    EXPECT_FALSE(w.season.history.seasons[0].complete);
    EXPECT_FALSE(w.season.history.seasons[0].Champion());
    Season expected = Cleared(before, false);
    expected.history = w.season.history;
    EXPECT_EQ(w.season, expected);
    std::vector<std::string> texts = w.platform.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], "ドライバーの過去履歴も\r\n消去しますか？");
}

TEST(NewSeason, OkTwiceClearsCareersAndStartsAtStateOne) {
    StandingsWorld w(StandingsSeason(2, 4));
    MidSeason(w);
    Season before = w.season;
    w.platform.Answer({true, true});

    NewSeason(w.shell);

    EXPECT_EQ(w.season, Cleared(before, true));
    FrmKarvenRace& main = w.shell.main;
    EXPECT_EQ(main("lblTitle").text, "KARVEN");
    for (int c = 1; c <= 6; ++c) EXPECT_EQ(main.lblT(c).text, "");
    for (int k = 1; k <= GridRows; ++k) {
        EXPECT_EQ(main.lbl(2, k).text, "");
        EXPECT_EQ(main.imgCo(k).picture, w.Neutral());
    }
    EXPECT_TRUE(main("cmdYosen").enabled);
    EXPECT_FALSE(main("cmdKesyou").enabled);
    EXPECT_FALSE(main("cmdDrvRank").enabled);
    EXPECT_FALSE(main("cmdSeiseki").enabled);
}

TEST(ResetSeason, CountsBeyondTheTablesDoNotReachPastThem) {
    Season s = StandingsSeason(1, 2);
    s.DrvCount = "999";
    s.TimCount = "16";
    s.DrvTable[2].Result[4] = "1";
    ResetSeason(s, 1);
    EXPECT_EQ(s.DrvTable[2].Result[4], "");
    EXPECT_EQ(s.DrvTable.size(), 3u);
    EXPECT_EQ(s.TimTable.size(), 2u);
}
