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
    s.DrvTable[1].Result = {"", "1", "0", "3"};  // 16
    s.DrvTable[2].Result = {"", "9", "12", "0"}; // none
    s.DrvTable[3].Result = {"", "2", "2"};       // 16, ties with driver 1
    s.DrvTable[4].Result = {"", "3", "1", "1"};  // 26
    s.DrvTable[5].Result = {"", "", "", "8"};
    s.DrvTable[5].Result[17] = "8";                 // slots past the calendar count too: 2
    s.DrvTable[6].Result = {"", "4", "x", "2.5"}; // 5
    s.DrvTable[7].Result = {"", "5"};             // 4
    s.DrvTable[6].TimNo = "99";
    s.DrvTable[7].TimNo = "";
}

// Grid row k as "rank|driver|team|points|swatch", the swatch "-" when it stayed neutral.
std::string Row(StandingsWorld& w, int k) {
    FrmKarvenRace& m = w.shell.main;
    const std::string& pic = m.imgCo(k).picture;
    return m.lbl(1, k).text + "|" + m.lbl(2, k).text + "|" + m.lbl(3, k).text + "|" + m.lbl(4, k).text + "|" +
           (pic == w.Neutral() ? "-" : pic.substr(w.platform.appPath.size()));
}
} // namespace

TEST(DriverStandings, PointsFromResultsTiesInTableOrderAndSeatlessDrivers) {
    Season s = StandingsSeason(3, 7);
    ScoredSeason(s);

    std::vector<std::string> got;
    for (const DriverStanding& d : DriverStandings(s))
        got.push_back(std::to_string(d.rank) + " " + d.DrvNm + " " + d.TimNm + " " + d.ColorNo + " " + d.Points);

    EXPECT_EQ(got, (std::vector<std::string>{"1 Driver04 Team02 0002 26", "2 Driver01 Team01 0001 16",
                                              "3 Driver03 Team02 0002 16", "4 Driver06   5", "5 Driver07   4",
                                              "6 Driver05 Team03 0003 2"}));
}

TEST(TeamStandings, StoredPointsAboveZeroInOrderTiesByTeamNumber) {
    Season s = StandingsSeason(5, 0);
    const char* stored[] = {"", "", "12", "0", "30", "12.0"};
    for (int t = 1; t <= 5; ++t) s.TimTable[t].Points = stored[t];

    std::vector<std::string> got;
    for (const TeamStanding& t : TeamStandings(s))
        got.push_back(std::to_string(t.rank) + " " + t.TimNm + " " + t.Points);

    EXPECT_EQ(got, (std::vector<std::string>{"1 Team04 30", "2 Team02 12", "3 Team05 12.0"}));
}

TEST(ShowDrvRanking, FillsTheGridAndLeavesSeatlessRowsNeutral) {
    StandingsWorld w(StandingsSeason(3, 7));
    ScoredSeason(w.season);
    FrmKarvenRace& main = w.shell.main;
    for (int c = 1; c <= 6; ++c) main.lbl(c, 20).text = "old";

    ShowDrvRanking(w.shell);

    EXPECT_EQ(main("lblTitle").text, "ﾄﾞﾗｲﾊﾞｰｽﾞﾗﾝｷﾝｸﾞ (第03戦まで)");
    EXPECT_EQ(main.lblT(3).text, "チーム");
    EXPECT_EQ(main.lblT(4).text, "ﾎﾟｲﾝﾄ");
    EXPECT_EQ(Row(w, 2), "2|Driver01|Team01|16|img/color/0001.dat");
    EXPECT_EQ(Row(w, 4), "4|Driver06||5|-");
    EXPECT_EQ(Row(w, 5), "5|Driver07||4|-");
    for (int k = 7; k <= GridRows; ++k) EXPECT_EQ(Row(w, k), "||||-") << k;
    EXPECT_EQ(main.lbl(6, 20).text, "");
}

TEST(ShowDrvRanking, BeforeTheFirstRaceAndWithMoreScorersThanRows) {
    StandingsWorld w(StandingsSeason(1, 40));
    ShowDrvRanking(w.shell);
    EXPECT_EQ(w.shell.main("lblTitle").text, "ﾄﾞﾗｲﾊﾞｰｽﾞﾗﾝｷﾝｸﾞ (第0戦まで)");
    EXPECT_EQ(Row(w, 1), "||||-");

    for (int d = 1; d <= 40; ++d) w.season.DrvTable[d].Result[1] = "8";
    ShowDrvRanking(w.shell);
    EXPECT_EQ(DriverStandings(w.season).size(), 40u);
    EXPECT_EQ(Row(w, 32), "32|Driver32||1|-") << "the first 32 are drawn, the rest not";
}

TEST(ShowTimRanking, FillsRankTeamAndStoredPoints) {
    StandingsWorld w(StandingsSeason(3, 0));
    w.season.Sis.EndGp = "2";
    w.season.TimTable[1].Points = "4";
    w.season.TimTable[3].Points = "018";
    w.shell.main.lbl(3, 1).text = "old";

    ShowTimRanking(w.shell);

    EXPECT_EQ(w.shell.main("lblTitle").text, "ｺﾝｽﾄﾗｸﾀｰｽﾞﾗﾝｷﾝｸﾞ (第2戦まで)");
    EXPECT_EQ(w.shell.main.lblT(2).text, "チーム");
    EXPECT_EQ(w.shell.main.lblT(3).text, "");
    EXPECT_EQ(Row(w, 1), "1|Team03||018|img/color/0003.dat");
    EXPECT_EQ(Row(w, 2), "2|Team01||4|img/color/0001.dat");
    EXPECT_EQ(Row(w, 3), "||||-") << "a team without points is left out";
}
