#include <gtest/gtest.h>

#include "StandingsTestSeason.h"
#include "shell/FrmKarvenRace.h"
#include "standings/RankingGrid.h"
#include "standings/Rankings.h"

using namespace karven;
using namespace karven::test;

namespace {
// Three teams, seven drivers: driver 7 has no seat, driver 6's TimNo names no team.
void ScoredSeason(Season& s) {
    s.Sis.EndGp = "03";
    auto results = [&](int d, std::initializer_list<const char*> r) {
        int k = 1;
        for (const char* v : r) s.DrvTable[d].Result[k++] = v;
    };
    results(1, {"1", "0", "3"});    // 16
    results(2, {"9", "12", "0"});   // none
    results(3, {"2", "2", ""});     // 16, ties with driver 1
    results(4, {"3", "1", "1"});    // 26
    results(5, {"", "", "8"});      // 1
    results(6, {"4", "x", "2.5"});  // 5
    results(7, {"5", "", ""});      // 4
    s.DrvTable[5].Result[17] = "8"; // slots past the calendar count too: 2
    s.DrvTable[6].TimNo = "99";
    s.DrvTable[7].TimNo = "";
}
} // namespace

TEST(DriverStandings, PointsFromResultsTiesInTableOrderAndSeatlessDrivers) {
    Season s = StandingsSeason(3, 7);
    ScoredSeason(s);

    std::vector<DriverStanding> got = DriverStandings(s);

    ASSERT_EQ(got.size(), 6u) << "driver 2 scored nothing";
    const char* names[] = {"Driver04", "Driver01", "Driver03", "Driver06", "Driver07", "Driver05"};
    const char* points[] = {"26", "16", "16", "5", "4", "2"};
    for (int p = 0; p < 6; ++p) {
        EXPECT_EQ(got[p].rank, p + 1);
        EXPECT_EQ(got[p].DrvNm, names[p]);
        EXPECT_EQ(got[p].Points, points[p]);
    }
    EXPECT_EQ(got[1].TimNm, "Team01");
    EXPECT_EQ(got[1].ColorNo, "0001");
    for (int p : {3, 4}) {
        EXPECT_EQ(got[p].TimNm, "") << got[p].DrvNm;
        EXPECT_EQ(got[p].ColorNo, "") << got[p].DrvNm;
    }
}

TEST(TeamStandings, StoredPointsAboveZeroInOrderTiesByTeamNumber) {
    Season s = StandingsSeason(5, 0);
    const char* stored[] = {"", "", "12", "0", "30", "12.0"};
    for (int t = 1; t <= 5; ++t) s.TimTable[t].Points = stored[t];

    std::vector<TeamStanding> got = TeamStandings(s);

    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].TimNm, "Team04");
    EXPECT_EQ(got[1].TimNm, "Team02");
    EXPECT_EQ(got[2].TimNm, "Team05");
    EXPECT_EQ(got[2].Points, "12.0") << "as stored";
    EXPECT_EQ(got[2].rank, 3);
}

TEST(ShowDrvRanking, FillsTheGridAndLeavesSeatlessRowsNeutral) {
    StandingsWorld w(StandingsSeason(3, 7));
    ScoredSeason(w.season);
    FrmKarvenRace& main = w.shell.main;
    for (int c = 1; c <= 6; ++c) main.lbl(c, 20).text = "old";

    ShowDrvRanking(w.shell);

    EXPECT_EQ(main("lblTitle").text, "ﾄﾞﾗｲﾊﾞｰｽﾞﾗﾝｷﾝｸﾞ (第03戦まで)");
    EXPECT_EQ(main.lblT(4).text, "ﾎﾟｲﾝﾄ");
    EXPECT_EQ(main.lblT(3).text, "チーム");
    EXPECT_EQ(main.lbl(1, 2).text, "2");
    EXPECT_EQ(main.lbl(2, 2).text, "Driver01");
    EXPECT_EQ(main.lbl(3, 2).text, "Team01");
    EXPECT_EQ(main.lbl(4, 2).text, "16");
    EXPECT_EQ(main.imgCo(2).picture, w.Swatch("0001"));
    EXPECT_EQ(main.imgCo(1).picture, w.Swatch("0002"));
    EXPECT_EQ(main.lbl(2, 4).text, "Driver06");
    EXPECT_EQ(main.lbl(3, 4).text, "");
    EXPECT_EQ(main.imgCo(4).picture, w.Neutral());
    EXPECT_EQ(main.imgCo(5).picture, w.Neutral());
    for (int k = 7; k <= GridRows; ++k) {
        EXPECT_EQ(main.lbl(1, k).text, "");
        EXPECT_EQ(main.imgCo(k).picture, w.Neutral());
    }
    EXPECT_EQ(main.lbl(6, 20).text, "");
}

TEST(ShowDrvRanking, BeforeTheFirstRaceAndWithMoreScorersThanRows) {
    StandingsWorld w(StandingsSeason(1, 40));
    ShowDrvRanking(w.shell);
    EXPECT_EQ(w.shell.main("lblTitle").text, "ﾄﾞﾗｲﾊﾞｰｽﾞﾗﾝｷﾝｸﾞ (第0戦まで)");
    EXPECT_EQ(w.shell.main.lbl(1, 1).text, "");

    for (int d = 1; d <= 40; ++d) w.season.DrvTable[d].Result[1] = "8";
    ShowDrvRanking(w.shell);
    EXPECT_EQ(DriverStandings(w.season).size(), 40u);
    EXPECT_EQ(w.shell.main.lbl(2, 32).text, "Driver32") << "the first 32 are drawn, the rest not";
}

TEST(ShowTimRanking, FillsRankTeamAndStoredPoints) {
    StandingsWorld w(StandingsSeason(3, 0));
    w.season.Sis.EndGp = "2";
    w.season.TimTable[1].Points = "4";
    w.season.TimTable[3].Points = "018";
    FrmKarvenRace& main = w.shell.main;
    main.lbl(3, 1).text = "old";

    ShowTimRanking(w.shell);

    EXPECT_EQ(main("lblTitle").text, "ｺﾝｽﾄﾗｸﾀｰｽﾞﾗﾝｷﾝｸﾞ (第2戦まで)");
    EXPECT_EQ(main.lblT(2).text, "チーム");
    EXPECT_EQ(main.lblT(3).text, "");
    EXPECT_EQ(main.lbl(1, 1).text, "1");
    EXPECT_EQ(main.lbl(2, 1).text, "Team03");
    EXPECT_EQ(main.lbl(3, 1).text, "");
    EXPECT_EQ(main.lbl(4, 1).text, "018");
    EXPECT_EQ(main.imgCo(1).picture, w.Swatch("0003"));
    EXPECT_EQ(main.lbl(2, 2).text, "Team01");
    EXPECT_EQ(main.lbl(2, 3).text, "") << "a team without points is left out";
}
