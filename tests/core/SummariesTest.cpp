// The spoken summaries: what a listening player hears after a race, a standings view and the market.
#include <gtest/gtest.h>

#include "race/RaceState.h"
#include "race/SilentWeekend.h"
#include "season/Points.h"
#include "shell/Random.h"
#include "standings/Rankings.h"
#include "standings/Summaries.h"
#include "support/LoadSeason.h"

using namespace karven;

namespace {
const DrvRecord* Placed(const Season& season, int gp, const std::string& place) {
    for (const DrvRecord& d : season.DrvTable)
        if (d.Result[gp] == place) return &d;
    return nullptr;
}
size_t At(const std::string& text, const std::string& part) { return text.find(part); }
} // namespace

TEST(Summaries, ARaceTellsThePodiumInOrderHisTeamsPointsAndTheLeader) {
    Season season = test::DefaultSeason();
    season.history.principal.TimNo = "05";
    GameRandom random(11);
    ASSERT_TRUE(PlayGrandPrix(season, random, {}));
    const std::string text = RaceSummary(season, 1);
    ASSERT_NE(At(text, "第1戦"), std::string::npos) << text;
    const DrvRecord* first = Placed(season, 1, "1");
    const DrvRecord* second = Placed(season, 1, "2");
    const DrvRecord* third = Placed(season, 1, "3");
    ASSERT_TRUE(first && second && third);
    EXPECT_NE(At(text, "優勝 " + first->DrvNm), std::string::npos) << text;
    EXPECT_LT(At(text, first->DrvNm), At(text, second->DrvNm));
    EXPECT_LT(At(text, second->DrvNm), At(text, third->DrvNm));

    int points = 0;
    for (const DrvRecord& d : season.DrvTable)
        if (d.TimNo == "05") {
            points += PointsForResult(d.Result[1]);
            EXPECT_NE(At(text, d.DrvNm), std::string::npos) << "each of his drivers: " << text;
        }
    EXPECT_NE(At(text, "あなたのチーム：" ), std::string::npos) << text;
    EXPECT_NE(At(text, std::to_string(points) + "点獲得"), std::string::npos) << text;
    EXPECT_NE(At(text, "ランキング首位 " + DriverStandings(season).front().DrvNm), std::string::npos) << text;
    EXPECT_EQ(At(text, "シーズン終了"), std::string::npos) << "one race of many";

    // Without a team in charge, nothing of one; out of range, nothing at all.
    season.history.principal.TimNo.clear();
    EXPECT_EQ(At(RaceSummary(season, 1), "あなたのチーム"), std::string::npos);
    EXPECT_EQ(RaceSummary(season, 0), "");
    EXPECT_EQ(RaceSummary(season, 99), "");
}

TEST(Summaries, TheLastRaceNamesTheChampionsAndTheStandingsTheirFirstThree) {
    Season season = test::DefaultSeason();
    season.Sis.GpCount = "2";
    GameRandom random(3);
    EXPECT_EQ(DriverStandingsSummary(season), "ドライバーズランキング：まだ得点したドライバーはいません。");
    ASSERT_TRUE(PlayGrandPrix(season, random, {}));
    ASSERT_TRUE(PlayGrandPrix(season, random, {}));
    const std::string last = RaceSummary(season, 2);
    EXPECT_NE(At(last, "シーズン終了"), std::string::npos) << last;
    EXPECT_NE(At(last, "ドライバーズチャンピオン " + DriverStandings(season).front().DrvNm), std::string::npos) << last;
    EXPECT_NE(At(last, "コンストラクターズチャンピオン " + TeamStandings(season).front().TimNm), std::string::npos)
        << last;

    const std::string drivers = DriverStandingsSummary(season);
    const std::vector<DriverStanding> table = DriverStandings(season);
    EXPECT_LT(At(drivers, "1位 " + table[0].DrvNm), At(drivers, "2位 " + table[1].DrvNm)) << drivers;
    EXPECT_NE(At(drivers, "3位 " + table[2].DrvNm), std::string::npos) << drivers;
    EXPECT_EQ(At(drivers, "4位"), std::string::npos) << "three are told, not the whole table";
    const std::string teams = TeamStandingsSummary(season);
    EXPECT_NE(At(teams, "1位 " + TeamStandings(season)[0].TimNm + " " + TeamStandings(season)[0].Points + "点"),
              std::string::npos)
        << teams;
}

TEST(Summaries, TheMarketTellsWhoMovedWhereAndNoMoreThanTwentyByName) {
    const Season before = test::DefaultSeason();
    Season after = before;
    EXPECT_EQ(MovesSummary(before, after), "ストーブリーグ：移籍はありませんでした。");

    // One driver changes team, one loses his seat (not a move to anywhere), one without a seat gets one.
    DrvRecord* mover = nullptr;
    DrvRecord* free = nullptr;
    for (DrvRecord& d : after.DrvTable)
        if (!mover && d.TimNo == "01") mover = &d;
        else if (!free && d.TimNo.empty() && !d.DrvNm.empty()) free = &d;
    ASSERT_TRUE(mover && free);
    mover->TimNo = "02";
    free->TimNo = "01";
    after.DrvTable[5].TimNo.clear();
    const std::string text = MovesSummary(before, after);
    EXPECT_NE(At(text, mover->DrvNm + " → " + after.TimTable[2].TimNm), std::string::npos) << text;
    EXPECT_NE(At(text, free->DrvNm + " → " + after.TimTable[1].TimNm), std::string::npos) << text;
    EXPECT_EQ(At(text, after.DrvTable[5].DrvNm), std::string::npos) << text;

    // A market that moves everyone is told by its first twenty and a count.
    Season shuffled = before;
    int seated = 0;
    for (DrvRecord& d : shuffled.DrvTable)
        if (!d.TimNo.empty()) {
            d.TimNo = d.TimNo == "01" ? "02" : "01";
            ++seated;
        }
    ASSERT_GT(seated, 20);
    const std::string many = MovesSummary(before, shuffled);
    EXPECT_NE(At(many, "ほか" + std::to_string(seated - 20) + "人"), std::string::npos) << many;
}
