// Running a team: the books always add up, money runs out where it should, a driver answers the
// money offered, a season in debt or bankrupt is judged so, the standing orders answer the calls,
// and the books survive the file — or, damaged, are kept without costing the season.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/Game.h"
#include "management/Management.h"
#include "offseason/FrmKarvenOff.h"
#include "management/Parts.h"
#include "principal/Board.h"
#include "principal/Calls.h"
#include "principal/FrmCall.h"
#include "season/ManagementFile.h"
#include "season/Numbers.h"
#include "season/SeasonFile.h"
#include "support/Reopen.h"
#include "support/ScriptedPlatform.h"

using namespace karven;
using namespace karven::test;

namespace {

// A game on the default season, every window answered with its default, with a team in charge.
struct Managed {
    ScriptedPlatform platform;
    GameRandom random;
    Game game{platform, random};
    FrmKarvenRace& main = game.shell.main;
    int windows = 0;

    explicit Managed(uint64_t seed, const char* team = "08", management::Policy policy = management::Policy::Sensible)
        : random(seed) {
        platform.appPath = KARVEN_BIN_DIR;
        platform.fallback = [this](Form& f) {
            ++windows;
            if (f.Name() == FrmKarvenOff::FormName) f.Click("cmdStart");
            f.Click(f.defaultButton);
        };
        EXPECT_TRUE(game.StartUp());
        game.worldSeed = seed;
        game.managePolicy = policy;
        principal::TakeCharge(game.season, team);
        game.FollowPrincipal();
    }
    ManagementState& State() { return game.season.history.management; }
    ManagedTeam& Books(int team) { return State().teams[size_t(team)]; }

    void PlayRaces(int count) {
        for (int i = 0; i < count && main("cmdYosen").enabled; ++i) {
            main.Click("cmdYosen");
            main.Click("cmdKesyou");
        }
    }
    void PlaySeason() {
        PlayRaces(MaxGpCount);
        main.Click("cmdOffSis");
    }
};

Money Sum(const std::vector<Account>& races) {
    Money sum = 0;
    for (const Account& a : races) sum += a.In() - a.Out();
    return sum;
}

} // namespace

TEST(Management, EveryTeamsBooksAddUpRaceByRaceAndSeasonBySeason) {
    Managed m(4);
    ASSERT_TRUE(management::Running(m.game.season));
    std::vector<Money> start;
    for (size_t t = 1; t < m.State().teams.size(); ++t) start.push_back(m.State().teams[t].cash);
    m.PlayRaces(5);
    for (size_t t = 1; t < m.State().teams.size(); ++t) {
        const ManagedTeam& b = m.State().teams[t];
        ASSERT_EQ(b.races.size(), 5u) << b.TimNm;
        EXPECT_EQ(b.cash - start[t - 1], Sum(b.races)) << b.TimNm << ": the cash moves by what the races booked";
        Account total;
        for (const Account& a : b.races) total.Add(a);
        EXPECT_EQ(total, b.account) << b.TimNm;
        EXPECT_GT(b.account.income[income::Share], 0) << "every team has its share";
    }
    // A whole season and its market: each team's closed books, from its start to its end.
    m.PlayRaces(MaxGpCount);
    m.main.Click("cmdOffSis");
    const int closed = m.game.season.history.seasons.back().number;
    int records = 0, mine = 0;
    for (const ManagedSeason& s : m.State().seasons) {
        if (s.season != closed) continue;
        ++records;
        mine += s.inCharge;
        EXPECT_EQ(s.end - s.start, s.account.In() - s.account.Out()) << s.TimNm;
        EXPECT_GT(s.account.income[income::Prize], 0) << s.TimNm << ": prize money for every place";
    }
    EXPECT_EQ(records, 16);
    EXPECT_EQ(mine, 1);
    EXPECT_EQ(m.State().race, 0) << "the next season's books start afresh";
    for (size_t t = 1; t < m.State().teams.size(); ++t) {
        EXPECT_TRUE(m.State().teams[t].races.empty());
        EXPECT_TRUE(m.State().teams[t].sponsored) << "the game's teams take their sponsors at once";
    }
    EXPECT_TRUE(m.Books(8).sponsored) << "the sensible policy chose at once";
}

TEST(Management, ProgrammesCostWhatTheySpendShowLaterAndStopWhenTheMoneyRunsOut) {
    Managed m(6, "08", management::Policy::Player);
    ManagedTeam& mine = m.Books(8);
    management::SetSpend(m.game.season, 0, 3 * MoneyUnit);
    management::SetSpend(m.game.season, 1, 0);
    management::SetSpend(m.game.season, 2, 0);
    mine.cash = 200 * MoneyUnit;
    m.PlayRaces(1);
    EXPECT_EQ(mine.races.back().spending[spending::Development], 3 * MoneyUnit);
    for (const Pending& p : mine.pending) {
        EXPECT_EQ(p.rating, 0) << "only speed was paid for";
        EXPECT_GT(p.due, 1) << "progress shows in a later race";
    }
    management::SetSpend(m.game.season, 0, 1000 * MoneyUnit);
    EXPECT_LE(mine.spend[0], 10 * MoneyUnit) << "a programme's spending has a ceiling";

    // Deep in debt: nothing is spent, nothing found.
    mine.cash = -1000 * MoneyUnit;
    const size_t pending = mine.pending.size();
    m.PlayRaces(1);
    EXPECT_EQ(mine.races.back().spending[spending::Development], 0);
    EXPECT_GT(mine.races.back().spending[spending::Interest], 0) << "a debt costs interest";
    EXPECT_LE(mine.pending.size(), pending);
    EXPECT_FALSE(management::CanSign(m.game.season, 8)) << "nor can it sign anyone";
}

TEST(Management, ProgressShowsInTheMachineTheRulesRead) {
    Managed m(8, "08", management::Policy::Player);
    ManagedTeam& mine = m.Books(8);
    mine.cash = 100000 * MoneyUnit;
    for (int r = 0; r < Programmes; ++r) management::SetSpend(m.game.season, r, 6 * MoneyUnit);
    const TimRecord before = m.game.season.TimTable[8];
    m.PlayRaces(10);
    // Ten races of the most money a programme takes leave the field behind.
    int better = 0;
    const TimRecord& after = m.game.season.TimTable[8];
    better += ReadCount(after.Speed) < ReadCount(before.Speed);
    better += ReadCount(after.Aero) < ReadCount(before.Aero);
    better += ReadCount(after.Stability) > ReadCount(before.Stability);
    EXPECT_GT(better, 0) << "a rating stepped up";
    for (int r = 0; r < Programmes; ++r) EXPECT_GT(mine.season[size_t(r)], 0);
}

TEST(Management, ADriverAnswersTheMoneyByHowMuchHeAsksOfThatTeam) {
    const Money demand = 10 * MoneyUnit;
    EXPECT_LT(management::Asking(demand, 1, 16), demand) << "the champions are asked less";
    EXPECT_GT(management::Asking(demand, 16, 16), demand) << "the last are asked more";
    const Money asking = management::Asking(demand, 8, 16);
    EXPECT_EQ(management::ReplyTo(asking, asking), management::Reply::Accepts);
    EXPECT_EQ(management::ReplyTo(asking * 9 / 10, asking), management::Reply::AsksMore);
    EXPECT_EQ(management::ReplyTo(asking / 2, asking), management::Reply::Refuses);
    // The best ask the most.
    EXPECT_GT(management::Demand({0, 5, 5, 5}), management::Demand({3, 3, 3, 3}));
    EXPECT_GT(management::Demand({3, 3, 3, 3}), management::Demand({5, 1, 1, 1}));
}

TEST(Management, ASponsorsTargetMetPaysItsBonusAndAMissCostsTheNextOffer) {
    Managed m(12);
    Season& s = m.game.season;
    ManagedTeam& b = m.Books(8);
    ASSERT_GE(b.offers.size(), 2u);
    for (const SponsorDeal& d : b.offers) EXPECT_GT(d.money, 0);
    ASSERT_TRUE(management::TakeOffer(s, 1));
    EXPECT_TRUE(b.offers.empty());
    EXPECT_EQ(b.sponsor.goal, SponsorGoal::Place);
    std::vector<int> places(17);
    for (int t = 1; t <= 16; ++t) places[size_t(t)] = t;
    b.sponsor.target = 8;
    EXPECT_TRUE(management::DealMet(s, b, 8, places));
    places[8] = 9;
    EXPECT_FALSE(management::DealMet(s, b, 8, places));
    b.sponsor = {SponsorGoal::Points, 3, "", 1, 1};
    b.scoringRaces = 3;
    EXPECT_TRUE(management::DealMet(s, b, 8, places));
    b.sponsor = {SponsorGoal::Beat, 0, s.TimTable[3].TimNm, 1, 1};
    EXPECT_FALSE(management::DealMet(s, b, 8, places)) << "ninth is behind third";
    // A team that missed is offered less.
    const std::vector<SponsorDeal> full = management::OffersFor(s, 8, 100), missed = management::OffersFor(s, 8, 80);
    ASSERT_EQ(full.size(), missed.size());
    for (size_t i = 0; i < full.size(); ++i) EXPECT_LT(missed[i].money, full[i].money);
}

TEST(Management, ASeasonEndedInDebtMissesAndABankruptTeamLosesItsPrincipal) {
    for (bool bankrupt : {false, true}) {
        Managed m(14, "01");
        Season& s = m.game.season;
        m.PlayRaces(MaxGpCount);
        // The strongest team, in debt at the last race.
        m.Books(1).cash = bankrupt ? -1000 * MoneyUnit : -1 * MoneyUnit;
        m.main.Click("cmdOffSis");
        ASSERT_FALSE(s.history.principal.seasons.empty());
        const PrincipalSeason& judged = s.history.principal.seasons.back();
        EXPECT_EQ(judged.verdict, Verdict::Missed) << "whatever the place (" << judged.place << ")";
        EXPECT_EQ(judged.dismissed, bankrupt);
        EXPECT_EQ(s.history.principal.InCharge(), !bankrupt);
        EXPECT_EQ(management::Running(s), !bankrupt) << "the money rests with a dismissed principal";
        const ManagedSeason* books = management::BooksOf(s, judged.season, judged.TimNm);
        ASSERT_NE(books, nullptr);
        EXPECT_EQ(books->bankrupt, bankrupt);
        EXPECT_NE(principal::VerdictMessage(judged, books).find(Tr(bankrupt ? "負債" : "赤字")), std::string::npos);
    }
}

TEST(Management, StandingOrdersAnswerTheCallsWithoutAsking) {
    Managed m(16, "01", management::Policy::Player);
    m.game.season.Sis.SyuCount = "40"; // long races: calls come
    m.State().tyres = TyreOrder::Rules;
    m.State().rain = RainOrder::FollowWeather;
    int calls = 0;
    m.platform.fallback = [&](Form& f) {
        calls += f.Name() == principal::FrmCall::FormName;
        if (f.Name() == FrmKarvenOff::FormName) f.Click("cmdStart");
        f.Click(f.defaultButton);
    };
    m.PlayRaces(4);
    EXPECT_EQ(calls, 0) << "orders for both kinds of call: nothing asked";
    m.State().tyres = TyreOrder::Ask;
    m.PlayRaces(6);
    EXPECT_GT(calls, 0) << "ask me: the pit calls come again";
}

TEST(Management, TheBooksSurviveTheFileAndDamagedOnesAreKeptWithoutCostingTheSeason) {
    Managed m(18);
    m.PlaySeason();
    m.PlayRaces(3);
    m.State().tyres = TyreOrder::WrongTyresOnly;
    Reopened again = SavedAndReopened(m.game.season);
    EXPECT_EQ(again.season.history.management, m.State());
    EXPECT_FALSE(again.notes.historyUnreadable);

    // A team renamed behind the books' back: the books do not fit, and are kept as they came.
    std::string bytes;
    {
        TempDir dir;
        ASSERT_TRUE(WriteSeasonFile(m.game.season, dir / "s.krv"));
        bytes = ReadBytes(dir / "s.krv");
    }
    const size_t mark = bytes.find(ManagementMark);
    ASSERT_NE(mark, std::string::npos);
    std::string damaged = bytes;
    const size_t t = damaged.find("\r\nT,", mark);
    damaged.insert(t + 4, "X");
    Reopened kept = Reopen(damaged);
    EXPECT_TRUE(kept.season.history.management.Empty());
    EXPECT_TRUE(kept.notes.historyUnreadable);
    EXPECT_FALSE(kept.notices.empty()) << "told once";
    EXPECT_NE(kept.resaved.find("X"), std::string::npos) << "written back as it came";
    EXPECT_EQ(kept.season.TimTable, m.game.season.TimTable) << "the season itself opens whole";
}

TEST(Management, WithNobodyInChargeNothingIsBooked) {
    ScriptedPlatform platform;
    GameRandom random(3);
    Game game{platform, random};
    platform.appPath = KARVEN_BIN_DIR;
    platform.fallback = [](Form& f) { f.Click(f.defaultButton); };
    ASSERT_TRUE(game.StartUp());
    game.shell.main.Click("cmdYosen");
    game.shell.main.Click("cmdKesyou");
    EXPECT_TRUE(game.season.history.management.Empty());
    EXPECT_FALSE(game.shell.main("Set_HQ").enabled);
}
