// The transfer market's opening, evaluation, window and confirmation.
#include <gtest/gtest.h>

#include "MarketFixture.h"
#include "RaceFixture.h"
#include "offseason/Market.h"
#include "race/Race.h"
#include "shell/MainState.h"
#include "weekend/Qualifying.h"

using namespace karven;
using namespace karven::test;

namespace {
void Results(Season& s, int driver, std::initializer_list<std::pair<int, const char*>> slots) {
    for (auto [gp, place] : slots) s.DrvTable[driver].Result[gp] = place;
}

// A column of the drivers' table, each value as the table's text would read.
template <class Value> std::vector<std::string> Column(const MarketWorld& w, Value OffDrvRecord::*field) {
    std::vector<std::string> values;
    for (size_t d = 1; d < w.form.OffDrvTable.size(); ++d) values.push_back(FormatPlain(double(w.form.OffDrvTable[d].*field)));
    return values;
}
using Texts = std::vector<std::string>;
} // namespace

TEST(MarketEvaluation, TeamsRankByPointsWithTheHigherNumberAheadOnEqualPoints) {
    Season s = StandingsSeason(4, 8);
    const char* points[] = {"", "10", "10", "5", "12"};
    for (int t = 1; t <= 4; ++t) s.TimTable[t].Points = points[t];
    MarketWorld w(s);
    w.Open();
    EXPECT_EQ(w.Team(1).TimRank, 3);
    EXPECT_EQ(w.Team(2).TimRank, 2);
    EXPECT_EQ(w.Team(3).TimRank, 4);
    EXPECT_EQ(w.Team(4).TimRank, 1);
    for (int t = 1; t <= 4; ++t) EXPECT_FALSE(w.Team(t).Seat1 || w.Team(t).Seat2);
}

TEST(MarketEvaluation, ScoresCountFinishesOnTheMarketsOwnScaleAndGuessDriversWithoutATeam) {
    Season s = StandingsSeason(2, 5); // drivers 1..4 seated, 5 without a team
    s.Sis.GpCount = "5";
    Results(s, 1, {{1, "1"}, {2, "0"}, {3, "3"}, {17, "6"}}); // a retirement counts nothing
    Results(s, 2, {{1, "7"}});
    Results(s, 4, {{1, "2"}});
    Results(s, 5, {{1, "1"}}); // without a seat his results do not count
    MarketWorld w(s);
    w.random.Push({RollValue(7, 20)});
    w.Open();

    EXPECT_EQ(Column(w, &OffDrvRecord::Score), (Texts{"8", "-1", "0", "4", "35"}));
    EXPECT_EQ(Column(w, &OffDrvRecord::EvalPoints), (Texts{"15", "0", "0", "6", "0"}));
    EXPECT_EQ(Column(w, &OffDrvRecord::ScoreRank), (Texts{"2", "5", "4", "3", "1"}));
    EXPECT_EQ(Column(w, &OffDrvRecord::PointsRank), (Texts{"1", "5", "4", "2", "3"}));
    EXPECT_EQ(Column(w, &OffDrvRecord::Decided), (Texts{"0", "0", "0", "0", "0"}));
    EXPECT_EQ(w.random.draws, 1) << "one guess, for the driver without a team";
    EXPECT_EQ(w.random.reseeds, 1);
}

TEST(MarketEvaluation, TiesGoToTheOtherKeyThenToTheLowerDriverNumber) {
    Season s = StandingsSeason(2, 4);
    Results(s, 1, {{1, "3"}});           // Score 2, EvalPoints 4
    Results(s, 2, {{1, "4"}, {2, "4"}}); // Score 2, EvalPoints 6
    Results(s, 3, {{1, "2"}});           // Score 3, EvalPoints 6
    Results(s, 4, {{1, "3"}});           // the same as driver 1
    MarketWorld w(s);
    w.Open();
    EXPECT_EQ(Column(w, &OffDrvRecord::ScoreRank), (Texts{"3", "2", "1", "4"}));
    EXPECT_EQ(Column(w, &OffDrvRecord::PointsRank), (Texts{"3", "2", "1", "4"}));

    s.DrvTable[2].Result[2] = ""; // Score 1, EvalPoints 3: now behind driver 1 by both keys
    MarketWorld again(s);
    again.Open();
    EXPECT_EQ(Column(again, &OffDrvRecord::ScoreRank), (Texts{"2", "4", "1", "3"}));
    EXPECT_EQ(Column(again, &OffDrvRecord::PointsRank), (Texts{"2", "4", "1", "3"}));
}

TEST(MarketWindow, ShowsEachTeamWithItsColourAndTheFirstTwoOfItsDrivers) {
    Season s = StandingsSeason(3, 6);
    s.DrvTable[6].TimNo = "01"; // a third driver for team 1; team 3 keeps one
    MarketWorld w(s);
    w.shell.main.geometry = {40, 30, 952, 700};
    w.Open();

    EXPECT_EQ(w.form.caption, "ストーブリーグ");
    EXPECT_EQ(w.form("lblT3").text, "チーム");
    EXPECT_EQ(w.form("lblT2").text, "ドライバー");
    EXPECT_EQ(w.form("cmdStart").text, "START");
    EXPECT_EQ(w.form.geometry.left, 40);
    EXPECT_EQ(w.form.geometry.top, 30);
    EXPECT_EQ(w.form("lbl3", 2).text, "Team02");
    EXPECT_EQ(w.form("imgCo", 2).picture, w.Swatch("0002"));
    EXPECT_EQ(w.Seats(1), "Driver01|Driver02");
    EXPECT_EQ(w.Seats(2), "Driver03|Driver04");
    EXPECT_EQ(w.Seats(3), "Driver05|");
    EXPECT_EQ(w.form("lbl3", 4).text, "");
    EXPECT_EQ(w.form("imgCo", 4).picture, "");
    EXPECT_EQ(w.form.defaultButton, "cmdStart");
    EXPECT_EQ(w.form.cancelButton, "cmdCancel");
}

namespace {
// A finished season: driver 2 wins twice, drivers 1 and 3 once each.
Season FinishedSeason() {
    Season s = StandingsSeason(2, 5);
    s.Sis.EndGp = "5";
    s.TimTable[1].Points = "30";
    s.TimTable[2].Points = "12";
    Results(s, 1, {{1, "1"}, {2, "3"}, {3, "0"}});
    Results(s, 2, {{2, "1"}, {3, "1"}});
    Results(s, 3, {{3, "2"}, {4, "1"}});
    for (int d = 1; d <= 5; ++d) s.DrvTable[d].CareerWc = "1";
    return s;
}

// What the next season keeps of `before`: only seats, the title and the season's results change.
Season NextSeason(Season s) {
    s.Sis.EndGp = "0";
    for (size_t t = 1; t < s.TimTable.size(); ++t) s.TimTable[t].Points = "0";
    for (size_t d = 1; d < s.DrvTable.size(); ++d) s.DrvTable[d].Result = {};
    return s;
}
} // namespace

TEST(MarketConfirm, WithoutANegotiationEveryDriverLosesHisSeatButTheTitleIsStillAwarded) {
    MarketWorld w(FinishedSeason());
    SetMainState(w.shell.main, CommandState::SeasonOver);
    Season expected = NextSeason(w.season);
    size_t seated = 0;
    for (int d = 1; d <= 5; ++d) {
        seated += TeamOf(w.season, w.season.DrvTable[d]) != nullptr;
        expected.DrvTable[d].TimNo = "";
    }
    expected.DrvTable[2].CareerWc = "2"; // 20 evaluation points against 14 and 16

    w.Open();
    w.form.Click("cmdOK");

    // One more question says what confirming without a negotiation does.
    EXPECT_EQ(w.platform.Texts(), (Texts{"ストーブリーグを\r\n確定してよろしいですか？",
                                         "まだ交渉が行われていません。\r\n全ドライバーが所属なしになります。\r\n"
                                         "よろしいですか？"}));
    // The season closed into the history: crowned, with every seat emptied as a move.
    ASSERT_EQ(w.season.history.seasons.size(), 1u);
    const ArchivedSeason& closed = w.season.history.seasons[0];
    EXPECT_TRUE(closed.complete);
    EXPECT_EQ(closed.Champion(), w.season.DrvTable[2].DrvNm);
    EXPECT_EQ(closed.moves.size(), seated);
    for (const SeatMove& m : closed.moves) EXPECT_EQ(m.to, 0);
    expected.history = w.season.history;
    EXPECT_EQ(w.season, expected);
    EXPECT_TRUE(w.form.IsClosed());
    EXPECT_TRUE(w.shell.main("cmdYosen").enabled) << "state 2";
    EXPECT_FALSE(w.shell.main("cmdOffSis").enabled);
    EXPECT_TRUE(w.shell.main("cmdDrvRank").enabled);
}

TEST(MarketConfirm, SettledDriversKeepTheirNewTeamsAndCancelKeepsTheWindowOpen) {
    MarketWorld w(FinishedSeason());
    w.Open();
    w.form.OffDrvTable[1].Decided = true; // stays with team 1
    w.form.OffDrvTable[5].Decided = true; // signs for team 2
    w.form.OffDrvTable[5].TimNo = "02";
    Season before = w.season;

    w.platform.Answer({false});
    w.form.Click("cmdOK");
    EXPECT_EQ(w.season, before);
    EXPECT_FALSE(w.form.IsClosed());

    w.form.Click("cmdOK");
    std::vector<std::string> seats;
    for (int d = 1; d <= 5; ++d) seats.push_back(w.season.DrvTable[d].TimNo);
    EXPECT_EQ(seats, (Texts{"01", "", "", "", "02"}));
    EXPECT_TRUE(w.form.IsClosed());
}

TEST(MarketConfirm, NoFinishInTheTopSixMeansNoTitle) {
    Season s = StandingsSeason(2, 4);
    Results(s, 1, {{1, "7"}, {2, "0"}});
    Results(s, 2, {{1, "8"}});
    MarketWorld w(s);
    w.Open();
    w.form.Click("cmdOK");
    for (int d = 1; d <= 4; ++d) EXPECT_EQ(w.season.DrvTable[d].CareerWc, "0");
}

TEST(MarketConfirm, TheFirstOfEqualChampionsInTableOrderIsCrownedByHisPlace) {
    Season s = StandingsSeason(2, 4);
    Results(s, 2, {{1, "1"}});
    Results(s, 4, {{2, "1"}});
    s.DrvTable[2].DrvNo = "99"; // a number that is not his place, from a hand-made file
    s.DrvTable[1].DrvNo = "02";
    MarketWorld w(s);
    w.Open();
    w.form.Click("cmdOK");
    EXPECT_EQ(w.season.DrvTable[2].CareerWc, "1");
    EXPECT_EQ(w.season.DrvTable[1].CareerWc, "0");
    EXPECT_EQ(w.season.DrvTable[4].CareerWc, "0");
}

TEST(MarketConfirm, TheNextQualifyingAndRaceCopeWithFewerSeatsThanTheGrid) {
    RaceFixture f(MakeSeason(4, 2, 3)); // eight drivers, a grid of eight
    f.season.Sis.EndGp = "3";
    FrmKarvenOff form(f.shell);
    form.Open();
    for (int d : {2, 5, 7}) form.OffDrvTable[d].Decided = true;
    form.Click("cmdOK");
    ASSERT_EQ(f.season.Sis.NinCount, "8");

    ASSERT_TRUE(RunQualifying(f.shell, f.weekend));
    EXPECT_EQ(f.weekend.EntryCount, 3);
    auto outcome = RunKesyou(f.shell, f.weekend);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(KesyouTable(f.weekend, *outcome).size(), 4u);
    for (int d = 1; d <= 8; ++d) {
        bool seated = d == 2 || d == 5 || d == 7;
        EXPECT_EQ(f.season.DrvTable[d].Result[1].empty(), !seated) << d;
    }
    EXPECT_EQ(f.season.Sis.EndGp, "1");
}

TEST(MarketFlow, CancelOrClosingTheWindowLeavesTheSeasonExactlyAsItWas) {
    for (bool closeBox : {false, true}) {
        MarketWorld w(FinishedSeason());
        SetMainState(w.shell.main, CommandState::SeasonOver);
        Season before = w.season;
        w.platform.script.push_back([&](Form& f) {
            f.Click("cmdStart"); // a whole negotiation, every question answered OK
            closeBox ? f.QueryClose() : f.Click("cmdCancel");
        });
        ShowOff(w.shell);
        EXPECT_EQ(w.season, before);
        EXPECT_GT(w.platform.Texts().size(), 2u) << "the negotiation ran";
        EXPECT_TRUE(w.shell.main("cmdOffSis").enabled) << "still state 4";
    }
}
