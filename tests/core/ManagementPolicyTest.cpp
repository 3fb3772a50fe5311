// The team management's policies and programmes on a small field made here: where a sensible
// principal puts his money, what a programme finds at the front and at the back, and whom he
// approaches in the market.
#include <gtest/gtest.h>

#include "MarketFixture.h"
#include "management/Parts.h"
#include "management/Tuning.h"
#include "principal/Market.h"

using namespace karven;
using namespace karven::management;

namespace {

// Two teams of the given machine ratings (speed, aero, stability), sixteen races, the first run.
Season Field(const std::array<const char*, 3>& first, const std::array<const char*, 3>& second) {
    Season s;
    s.Sis.GpCount = "16";
    s.Sis.EndGp = "1";
    s.TimTable.resize(3);
    const std::array<const char*, 3>* ratings[] = {&first, &second};
    for (int t = 1; t <= 2; ++t) {
        TimRecord& r = s.TimTable[size_t(t)];
        r.TimNo = "0" + std::to_string(t);
        r.TimNm = "Team " + std::to_string(t);
        r.Speed = (*ratings[t - 1])[0];
        r.Aero = (*ratings[t - 1])[1];
        r.Stability = (*ratings[t - 1])[2];
    }
    s.history.management.teams.resize(3);
    for (int t = 1; t <= 2; ++t) {
        s.history.management.teams[size_t(t)].TimNm = s.TimTable[size_t(t)].TimNm;
        s.history.management.teams[size_t(t)].cash = ToMoney(60);
    }
    return s;
}

double Share(const ManagedTeam& books, int programme) {
    double sum = 0;
    for (Money m : books.spend) sum += Units(m);
    return sum > 0 ? Units(books.spend[size_t(programme)]) / sum : 0;
}

} // namespace

TEST(ManagementPolicy, ASensiblePrincipalPutsMoreWhereTheMachineStandsFurthestFromTheBest) {
    // The same money; the first machine is the fastest, the second the slowest and the surest.
    Season s = Field({"1", "3", "3"}, {"5", "3", "5"});
    ManagedTeam fast = s.history.management.teams[1], slow = s.history.management.teams[2];
    PlanSpending(s, 1, fast, Policy::Sensible);
    PlanSpending(s, 2, slow, Policy::Sensible);
    EXPECT_GT(Share(slow, rating::Speed), Share(fast, rating::Speed));
    EXPECT_GT(Share(fast, rating::TeamStability), Share(slow, rating::TeamStability));
    // Speed still comes first where every rating stands alike.
    Season even = Field({"3", "3", "3"}, {"3", "3", "3"});
    ManagedTeam books = even.history.management.teams[1];
    PlanSpending(even, 1, books, Policy::Sensible);
    EXPECT_GT(Share(books, rating::Speed), Share(books, rating::Aero));
    EXPECT_GT(Share(books, rating::Aero), 0.0);

    // The game's own teams spread what they spend evenly, whatever their machine, and spend less.
    ManagedTeam game = s.history.management.teams[2];
    PlanSpending(s, 2, game, Policy::Game);
    EXPECT_EQ(game.spend[0], game.spend[1]);
    EXPECT_EQ(game.spend[1], game.spend[2]);
    EXPECT_LT(game.spend[0] * Programmes, slow.spend[0] + slow.spend[1] + slow.spend[2]);
}

TEST(ManagementPolicy, TheFrontOfTheFieldFindsLessThanTheBackForTheSameMoney) {
    // The same team and race, so the same draws: only its place differs.
    for (int gp = 1; gp <= 40; ++gp) {
        Season front = Field({"3", "3", "3"}, {"3", "3", "3"});
        front.history.management.teams[1].spend.fill(ToMoney(4));
        Season back = front;
        RunProgrammes(front, 1, gp, 1, Machines(front)[1]);
        RunProgrammes(back, 1, gp, 2, Machines(back)[1]);
        const std::vector<Pending>& a = front.history.management.teams[1].pending;
        const std::vector<Pending>& b = back.history.management.teams[1].pending;
        ASSERT_EQ(a.size(), b.size());
        EXPECT_EQ(front.history.management.teams[1].cash, back.history.management.teams[1].cash);
        if (a.empty()) continue;
        for (size_t i = 0; i < a.size(); ++i)
            EXPECT_NEAR(b[i].gain / a[i].gain, tuning::BackFinds / tuning::FrontFinds, 1e-9);
        return;
    }
    FAIL() << "no programme found anything in 40 races";
}

TEST(ManagementPolicy, TheFrontIsTheLastSeasonsStandingsOrBeforeTheFirstThePlacesOnPaper) {
    // No season closed: the stronger machine leads on paper.
    Season s = Field({"4", "4", "2"}, {"1", "1", "5"});
    std::vector<int> places = LastPlaces(s);
    ASSERT_EQ(places.size(), 3u);
    EXPECT_EQ(places[1], 2);
    EXPECT_EQ(places[2], 1);
    // A season closed with the first team its constructors' champion.
    ArchivedSeason closed;
    closed.number = 1;
    for (int t = 1; t <= 2; ++t) {
        ArchivedTeam a;
        a.place = t;
        a.team = closed.Ref("Team " + std::to_string(t));
        closed.constructors.push_back(a);
    }
    s.history.seasons.push_back(closed);
    places = LastPlaces(s);
    EXPECT_EQ(places[1], 1);
    EXPECT_EQ(places[2], 2);
}

namespace {
// Team 1 run by a sensible principal against team 2: drivers 3 and 4 of team 2, the better ones,
// under contracts that cost a buy-out of 10 each; drivers 5 and 6 free.
struct SensibleMarket : test::MarketWorld {
    explicit SensibleMarket(double cash) : MarketWorld(test::StandingsSeason(2, 6)) {
        season.DrvTable[3].Technique = season.DrvTable[4].Technique = "1";
        season.history.principal.TimNo = "01";
        Start(season);
        ManagementState& m = season.history.management;
        m.teams[1].cash = ToMoney(cash);
        m.teams[1].account.income[income::Share] = ToMoney(100);
        for (Contract& c : m.contracts)
            if (c.DrvNm == "Driver03" || c.DrvNm == "Driver04") c = {c.DrvNm, "Team02", ToMoney(5), 3};
        Open();
    }
    principal::PolicyMarket calls{season, principal::PolicyMarket::Policy::Sensible};
};
} // namespace

TEST(ManagementPolicy, ASensiblePrincipalCountsTheBuyOutsHeAgreedAndSignsAFreeDriverInDebt) {
    {
        SensibleMarket w(30);
        const int first = w.calls.Approach(w.form, 1, {3, 4, 5, 6}, 0);
        ASSERT_EQ(first, 3) << "the best by his ratings, his buy-out within the money";
        ASSERT_TRUE(w.calls.Answer(w.form, 1, first, false));
        // Driver 4's buy-out would be paid from the money the first already took.
        const int second = w.calls.Approach(w.form, 1, {4, 5, 6}, 0);
        EXPECT_TRUE(second == 5 || second == 6) << second;
    }
    {
        SensibleMarket w(-5);
        const int chosen = w.calls.Approach(w.form, 1, {3, 4, 5, 6}, 0);
        EXPECT_TRUE(chosen == 5 || chosen == 6) << "a driver free of contract costs no buy-out: " << chosen;
    }
}
