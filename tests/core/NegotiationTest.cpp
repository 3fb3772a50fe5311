// The negotiation: the four decisions, the two cycles and whole markets.
#include <gtest/gtest.h>
#include <set>

#include "MarketFixture.h"
#include "offseason/Market.h"
#include "offseason/Negotiation.h"
#include "shell/MainState.h"

using namespace karven;
using namespace karven::test;

namespace {
using Texts = std::vector<std::string>;

struct Decision {
    std::vector<double> draws;
    bool yes;
};

// Runs `decide` on the draws of each case; every draw must be used, no more.
template <class Decide> void Check(const char* name, std::vector<Decision> cases, Decide decide) {
    for (size_t i = 0; i < cases.size(); ++i) {
        ScriptedRandom random(cases[i].draws, 0.999);
        EXPECT_EQ(decide(random, i), cases[i].yes) << name << " case " << i;
        EXPECT_EQ(random.draws, int(cases[i].draws.size())) << name << " case " << i;
    }
}
} // namespace

TEST(MarketDecisions, EveryBranchOfTheFourDecisions) {
    // pointsRank, scoreRank, timRank, R
    const int retain[][4] = {{4, 20, 1, 0}, {5, 4, 1, 0}, {5, 4, 1, 0}, {5, 5, 1, 0}, {5, 5, 1, 1}};
    Check("TeamRetains",
          {{{}, true},        // the four best by points are always asked, without a draw
           {{Pct(80)}, true}, // 4 <= 1 + 3
           {{Pct(81)}, false},
           {{Pct(1)}, false}, // beyond the margin
           {{Pct(1)}, true}}, // the cycle number widens it
          [&](Random& r, size_t i) {
              auto& c = retain[i];
              return TeamRetains(r, c[0], c[1], c[2], c[3]);
          });

    const int stay[][4] = {{4, 9, 1, 0}, {4, 9, 1, 0}, {5, 1, 3, 2}, {5, 1, 3, 1},
                           {5, 1, 3, 2}, {5, 1, 9, 0}, {5, 1, 9, 0}};
    Check("DriverStays",
          {{{Pct(90)}, true},
           {{Pct(91)}, false},
           {{Pct(70), Pct(80)}, true}, // 1 + 2 >= 3
           {{Pct(70), Pct(1)}, false}, // 1 + 1 < 3; the second draw is taken all the same
           {{Pct(70), Pct(81)}, false},
           {{Pct(71), Pct(10)}, true}, // the long shot ignores the ranks
           {{Pct(71), Pct(11)}, false}},
          [&](Random& r, size_t i) {
              auto& c = stay[i];
              return DriverStays(r, c[0], c[1], c[2], c[3]);
          });

    // scoreRank, position, timRank, R
    const int offer[][4] = {{3, 1, 2, 1}, {4, 1, 2, 1}, {4, 4, 2, 1},
                            {4, 4, 2, 1}, {4, 4, 2, 1}, {5, 4, 9, 9}};
    Check("TeamOffers",
          {{{Pct(20)}, true},  // 3 <= 2 + 1
           {{Pct(20)}, false}, // 4 > 3, and 4 > his place 1
           {{Pct(20)}, true},  // the wider branch: 4 <= his place 4
           {{Pct(80)}, true},
           {{Pct(81)}, false},
           {{Pct(21)}, false}}, // past 20 the team's rank no longer helps
          [&](Random& r, size_t i) {
              auto& c = offer[i];
              return TeamOffers(r, c[0], c[1], c[2], c[3]);
          });

    // scoreRank, timRank, R
    const int accept[][3] = {{3, 2, 1}, {3, 2, 1}, {3, 2, 0}, {1, 16, 0}, {1, 16, 0}};
    Check("DriverAccepts",
          {{{Pct(80), RollValue(1, 2)}, true}, // 3 + 1 >= 2 * 2 and the coin
           {{Pct(80), RollValue(2, 2)}, false},
           {{Pct(80), RollValue(1, 2)}, false}, // 3 < 4
           {{Pct(81), RollValue(1, 20)}, true}, // one in twenty, whatever the ranks
           {{Pct(81), RollValue(2, 20)}, false}},
          [&](Random& r, size_t i) {
              auto& c = accept[i];
              return DriverAccepts(r, c[0], c[1], c[2]);
          });
}

TEST(RetainCycle, OffersHoldsAndStaysAndARetainedDriverKeepsTheLabelThatShowsHim) {
    MarketWorld w(StandingsSeason(1, 2));
    w.Open();
    w.random.Push({Pct(91), Pct(90)}); // driver 1 holds, driver 2 stays
    OffRetainCycle(w.form, w.shell, 0);

    EXPECT_EQ(w.platform.Texts(), (Texts{"Team01 が\r\nDriver01\r\nに残留を提示しました！",
                                         "Driver01 が\r\nTeam01\r\nの提示を保留しました！",
                                         "Team01 が\r\nDriver02\r\nに残留を提示しました！",
                                         "Team01 に\r\nDriver02\r\n残留決定！！"}));
    EXPECT_EQ(w.Seats(1), "Driver01|Driver02*");
    EXPECT_FALSE(w.Team(1).Seat1);
    EXPECT_TRUE(w.Team(1).Seat2);
    EXPECT_FALSE(w.Driver(1).Decided);
    EXPECT_TRUE(w.Driver(2).Decided);
    EXPECT_EQ(w.Driver(2).TimNo, "01");
    EXPECT_EQ(w.random.reseeds, 2) << "at opening and at the cycle";
}

TEST(RetainCycle, AThirdDriverTakesAFreeLabelAndAFullTeamAsksNoMore) {
    Season s = StandingsSeason(1, 3);
    s.DrvTable[3].TimNo = "01";
    MarketWorld w(s);
    w.Open();
    ASSERT_EQ(w.Seats(1), "Driver01|Driver02");

    w.random.Push({Pct(91), Pct(91), Pct(90)}); // 1 and 2 hold, 3 stays
    OffRetainCycle(w.form, w.shell, 0);
    EXPECT_EQ(w.Seats(1), "Driver03*|Driver02");

    size_t before = w.platform.Texts().size();
    w.random.Push({Pct(90)}); // driver 1 stays: his label now shows driver 3, so he takes the other
    OffRetainCycle(w.form, w.shell, 1);
    EXPECT_EQ(w.Seats(1), "Driver03*|Driver01*");
    EXPECT_TRUE(w.Team(1).Full());
    EXPECT_EQ(w.platform.Texts().size(), before + 2) << "driver 2 is not asked once the team is full";
    EXPECT_FALSE(w.Driver(2).Decided);
}

TEST(RetainCycle, NamesakesFillBothSeatsNotOneTwice) {
    Season s = StandingsSeason(1, 2);
    s.DrvTable[1].DrvNm = s.DrvTable[2].DrvNm = "同名";
    MarketWorld w(s);
    w.Open();
    w.random.Push({Pct(90), Pct(90)});
    OffRetainCycle(w.form, w.shell, 0);
    EXPECT_EQ(w.Seats(1), "同名*|同名*");
    EXPECT_TRUE(w.Team(1).Seat1 && w.Team(1).Seat2);
}

TEST(OfferCycle, ADriverOfAnotherTeamSignsAndTheLabelHeLeavesShowsEmpty) {
    Season s = StandingsSeason(2, 4);
    s.TimTable[1].Points = "10"; // team 1 ranks first
    MarketWorld w(s);
    w.Open();
    w.random.Push({Pct(50), Pct(50), RollValue(1, 2), // team 1 approaches driver 3, who accepts
                   Pct(95), Pct(95)});                // team 2 wants neither driver of team 1
    OffOfferCycle(w.form, w.shell, 0);

    EXPECT_EQ(w.platform.Texts(), (Texts{"Team01 が\r\nDriver03\r\nにオファーを提示しました！",
                                         "Team01 に\r\nDriver03\r\nが移籍決定！！"}));
    EXPECT_EQ(w.Seats(1), "Driver03*|Driver02");
    EXPECT_EQ(w.Seats(2), "|Driver04");
    EXPECT_EQ(w.Driver(3).TimNo, "01");
    EXPECT_TRUE(w.Driver(3).Decided);
    EXPECT_FALSE(w.Team(2).Seat1) << "his old seat stays free for his old team";
    EXPECT_EQ(w.random.draws, 5) << "one offer a team: driver 4 is never approached by team 1";
}

TEST(OfferCycle, AHeldOfferEndsTheTeamsTurnAndDriversWithoutATeamAreOnlyApproached) {
    MarketWorld w(StandingsSeason(1, 4)); // drivers 3 and 4 without a team
    w.random.Push({RollValue(20, 20), RollValue(1, 20)});
    w.Open();
    ASSERT_EQ(w.Driver(3).ScoreRank, 1);

    w.random.Push({Pct(91), Pct(91)}); // both drivers of team 1 hold
    OffRetainCycle(w.form, w.shell, 0);
    for (const std::string& text : w.platform.Texts()) {
        EXPECT_EQ(text.find("Driver03"), std::string::npos) << text;
        EXPECT_EQ(text.find("Driver04"), std::string::npos) << text;
    }

    int draws = w.random.draws;
    w.random.Push({Pct(10), Pct(90), RollValue(2, 20)}); // offered on rank, held
    OffOfferCycle(w.form, w.shell, 0);
    Texts texts = w.platform.Texts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[4], "Team01 が\r\nDriver03\r\nにオファーを提示しました！");
    EXPECT_EQ(texts[5], "Driver03\r\nTeam01\r\nの提示を保留しました！");
    EXPECT_EQ(w.random.draws - draws, 3) << "driver 4 is not approached after the held offer";
    EXPECT_EQ(w.Seats(1), "Driver01|Driver02");
}

TEST(Negotiation, CancelAtStartChangesNothing) {
    MarketWorld w(StandingsSeason(1, 2));
    w.Open();
    w.platform.Answer({false});
    w.form.Click("cmdStart");
    EXPECT_EQ(w.platform.Texts(), Texts{"ストーブリーグを\r\n開始してよろしいですか？"});
    EXPECT_EQ(w.random.reseeds, 1);
    EXPECT_EQ(w.Seats(1), "Driver01|Driver02");
    EXPECT_EQ(w.form.defaultButton, "cmdStart");
}

TEST(Negotiation, MoreSeatsThanDriversEndsWhenEveryDriverIsSettled) {
    MarketWorld w(StandingsSeason(3, 2));
    w.Open();
    w.random.Push({Pct(1), Pct(1)});
    w.form.Click("cmdStart");
    EXPECT_EQ(w.platform.Texts().size(), 5u);
    EXPECT_EQ(w.random.reseeds, 2) << "ends after the first retention cycle";
    EXPECT_EQ(w.Seats(1), "Driver01*|Driver02*");
    EXPECT_EQ(w.Seats(2), "|");
    EXPECT_EQ(w.form.defaultButton, "cmdOK") << "Enter now confirms";
}

TEST(Negotiation, MoreDriversThanSeatsEndsWhenEveryTeamIsFullAndTheRestLoseTheirSeats) {
    Season s = StandingsSeason(1, 4);
    s.DrvTable[3].TimNo = "01"; // a third driver in team 1, and driver 4 without a team
    s.DrvTable[3].Result[1] = "9";
    MarketWorld w(s);
    w.Open();
    w.form.Click("cmdStart"); // every draw 51: the two best drivers of the team stay
    EXPECT_TRUE(w.Team(1).Full());
    w.form.Click("cmdOK");
    std::vector<std::string> seats;
    for (int d = 1; d <= 4; ++d) seats.push_back(w.season.DrvTable[d].TimNo);
    EXPECT_EQ(seats, (Texts{"01", "01", "", ""}));
}

TEST(Negotiation, EndsEvenWhenChanceNeverAgrees) {
    MarketWorld w(StandingsSeason(1, 2));
    w.random.After(0.999); // every answer is no
    w.Open();
    w.form.Click("cmdStart");
    EXPECT_EQ(w.Seats(1), "Driver01|Driver02");
    EXPECT_GT(w.random.reseeds, 1000) << "many cycles ran before the guard ended it";
}

TEST(Negotiation, ASeasonWithoutTeamsOrDriversEndsAtOnce) {
    for (auto [teams, drivers] : {std::pair{0, 3}, std::pair{2, 0}, std::pair{0, 0}}) {
        MarketWorld w(StandingsSeason(teams, drivers));
        w.Open();
        w.form.Click("cmdStart");
        EXPECT_EQ(w.platform.Texts().size(), 1u) << teams << " " << drivers;
        EXPECT_EQ(w.random.reseeds, 2);
        w.form.Click("cmdOK");
        EXPECT_TRUE(w.form.IsClosed());
    }
}

namespace {
// A finished season with a real generator: 4 teams, 8 seated drivers and 3 without a seat.
struct WholeMarket {
    Season season = StandingsSeason(4, 11);
    ScriptedPlatform platform;
    GameRandom random{5};
    Shell shell{season, platform, random};

    WholeMarket() {
        season.Sis.EndGp = season.Sis.GpCount;
        for (int g = 1; g <= 5; ++g)
            for (int d = 1; d <= 8; ++d) season.DrvTable[d].Result[g] = std::to_string((d + g) % 8 + 1);
        for (int t = 1; t <= 4; ++t) season.TimTable[t].Points = std::to_string(10 * t);
        SetMainState(shell.main, CommandState::SeasonOver);
    }
};

bool IsAnnouncement(const std::string& text) {
    for (const char* ending : {"に残留を提示しました！", "残留決定！！", "の提示を保留しました！",
                               "にオファーを提示しました！", "が移籍決定！！"})
        if (text.size() >= strlen(ending) &&
            text.compare(text.size() - strlen(ending), strlen(ending), ending) == 0)
            return true;
    return false;
}
} // namespace

TEST(MarketFlow, AWholeMarketWritesTheLineUpTheWindowShowedAndOpensTheNextSeason) {
    WholeMarket m;
    std::string champion;
    int best = 0;
    for (int d = 1; d <= 11; ++d) {
        int points = EvalPointsOf(m.season.DrvTable[d]);
        if (points > best) best = points, champion = m.season.DrvTable[d].DrvNm;
    }
    std::map<std::string, std::string> titlesBefore;
    for (int d = 1; d <= 11; ++d) titlesBefore[m.season.DrvTable[d].DrvNm] = m.season.DrvTable[d].CareerWc;

    std::vector<std::set<std::string>> red(5);
    m.platform.script.push_back([&](Form& f) {
        f.Click("cmdStart");
        for (int t = 1; t <= 4; ++t)
            for (int seat = 1; seat <= 2; ++seat) {
                const Control& label = f("lbl2", FrmKarvenOff::SeatIndex(t, seat));
                if (label.textColor == SettledColor) red[t].insert(label.text);
            }
        f.Click("cmdOK");
    });
    ShowOff(m.shell);

    std::vector<std::set<std::string>> seated(5);
    for (int d = 1; d <= 11; ++d) {
        const DrvRecord& driver = m.season.DrvTable[d];
        if (!driver.TimNo.empty()) seated.at(ReadCount(driver.TimNo)).insert(driver.DrvNm);
        EXPECT_EQ(driver.CareerWc, driver.DrvNm == champion ? "1" : titlesBefore[driver.DrvNm]);
        for (int g = 1; g <= ResultSlots; ++g) EXPECT_EQ(driver.Result[g], "");
    }
    for (int t = 1; t <= 4; ++t) {
        EXPECT_LE(seated[t].size(), 2u);
        EXPECT_EQ(seated[t], red[t]) << "team " << t;
        EXPECT_EQ(m.season.TimTable[t].Points, "0");
    }
    EXPECT_EQ(m.season.Sis.EndGp, "0");
    EXPECT_TRUE(m.shell.main("cmdYosen").enabled);

    Texts texts = m.platform.Texts();
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts.front(), "ストーブリーグを\r\n開始してよろしいですか？");
    EXPECT_EQ(texts.back(), "ストーブリーグを\r\n確定してよろしいですか？");
    for (size_t i = 1; i + 1 < texts.size(); ++i) EXPECT_TRUE(IsAnnouncement(texts[i])) << texts[i];
}

TEST(MarketFlow, StartingAgainContinuesOnTheSettledSeats) {
    WholeMarket m;
    FrmKarvenOff form(m.shell);
    form.Open();
    OffRetainCycle(form, m.shell, 0); // part of a negotiation, as if it had been cut short
    std::vector<bool> decided;
    for (size_t d = 1; d < form.OffDrvTable.size(); ++d) decided.push_back(form.OffDrvTable[d].Decided);

    form.Click("cmdStart");
    for (size_t d = 1; d < form.OffDrvTable.size(); ++d)
        if (decided[d - 1]) {
            EXPECT_TRUE(form.OffDrvTable[d].Decided);
        }
    int full = 0;
    for (int t = 1; t <= 4; ++t) full += form.OffTimTable[t].Full();
    EXPECT_EQ(full, 4) << "eight seats, eleven drivers: every team fills";
}
