// The title race against every completion of small seasons, played out by brute force.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "offseason/OffTables.h"
#include "season/Numbers.h"
#include "season/Points.h"
#include "season/Season.h"
#include "standings/Rankings.h"
#include "standings/TitleRace.h"
#include "weekend/CourseFactor.h"

namespace karven {
namespace {

// Drivers "D01".., teams "T01".. with up to two seats each; some drivers without a seat. With
// `spread`, machines and drivers differ, so that qualifying may keep a car off the grid or on it.
Season SmallSeason(std::mt19937& rng, int drivers, int teams, int played, int ahead, bool spread = false) {
    Season s;
    int gps = played + ahead;
    s.Sis = {FormatPlain(gps), rng() % 2 ? "20" : "30", "", FormatPlain(played)};
    s.GpTable.resize(1);
    for (int g = 1; g <= gps; ++g) s.GpTable.push_back(NewGpRecord(g));
    s.TimTable.resize(1);
    for (int t = 1; t <= teams; ++t) s.TimTable.push_back(NewTimRecord(t));
    s.TimCount = FormatPlain(teams);
    s.DrvTable.resize(1);
    std::vector<int> seats(teams + 1, 0);
    int entrants = 0;
    for (int d = 1; d <= drivers; ++d) {
        DrvRecord driver = NewDrvRecord(d);
        driver.DrvNm = "D" + Format00(d);
        int t = 1 + int(rng() % teams);
        if (rng() % 5 != 0 && seats[t] < 2) {
            driver.TimNo = Format00(t);
            ++seats[t];
            ++entrants;
        }
        s.DrvTable.push_back(driver);
    }
    s.DrvCount = FormatPlain(drivers);
    // Small grids keep every completion countable.
    s.Sis.NinCount = FormatPlain(std::max(1, std::min(entrants, drivers >= 6 ? 3 : 4) - int(rng() % 2)));
    // Past races: a few places each, some retirements, team points to match.
    for (int g = 1; g <= played; ++g)
        for (int d = 1; d <= drivers; ++d) {
            int place = int(rng() % 10);
            s.DrvTable[d].Result[g] = place == 0 ? "0" : place > 8 ? "" : FormatPlain(place);
        }
    for (int t = 1; t <= teams; ++t) s.TimTable[t].Points = FormatPlain(int(rng() % 30));
    if (spread) {
        // Narrow attempts (aerodynamics 1, technique 0 or 1) keep the times apart.
        for (int t = 1; t <= teams; ++t) {
            s.TimTable[t].Speed = FormatPlain(1 + int(rng() % 5));
            s.TimTable[t].Aero = FormatPlain(rng() % 3 ? 1 : 1 + int(rng() % 5));
        }
        for (int d = 1; d <= drivers; ++d) s.DrvTable[d].Technique = FormatPlain(rng() % 3 ? int(rng() % 2) : int(rng() % 6));
        for (int g = 1; g <= gps; ++g) s.GpTable[g].CourseType = FormatPlain(1 + int(rng() % 5));
    }
    return s;
}

// A car's best and worst qualifying time at a Grand Prix, each of the four draws at its ends.
std::pair<double, double> TimeRangeOf(const Season& s, int gp, int driver) {
    const DrvRecord& d = s.DrvTable[driver];
    const TimRecord& t = *TeamOf(s, d);
    double best = 1e300, worst = 1e300;
    for (double r : {0.0, 1.0 - 0x1.0p-53}) {
        double a = CourseFactor(s.GpTable[gp].CourseType, t.Speed) + r * ReadNumber(t.Aero) + r * ReadNumber(d.Technique);
        double b = ReadNumber(t.Speed) + r * ReadNumber(t.Aero) + r * ReadNumber(d.Technique);
        double time = ReadNumber(Format0_00(std::min(a, b)));
        (r == 0 ? best : worst) = time;
    }
    return {best, worst};
}

// Whether qualifying can put exactly these cars on the grid: each of them can be faster than
// every car left out, an equal time going to the earlier driver.
bool GridCanBe(const Season& s, int gp, const std::vector<int>& cars, const std::vector<int>& grid) {
    for (int in : grid)
        for (int out : cars) {
            if (std::find(grid.begin(), grid.end(), out) != grid.end()) continue;
            auto a = std::make_pair(TimeRangeOf(s, gp, in).first, in);
            auto b = std::make_pair(TimeRangeOf(s, gp, out).second, out);
            if (!(a < b)) return false;
        }
    return true;
}

// Every classification of one race: the grid's order and how many cars are still running.
std::vector<std::pair<std::vector<int>, int>> Classifications(const Season& s, int gp, const std::vector<int>& fixed) {
    std::vector<int> cars;
    for (int d = 1; d <= ReadCount(s.DrvCount); ++d)
        if (TeamOf(s, s.DrvTable[d])) cars.push_back(d);
    int grid = std::min<int>(ReadCount(s.Sis.NinCount), int(cars.size()));
    double laps = ReadNumber(s.Sis.SyuCount);
    bool retire = laps == 5 || laps == 10 || laps == 20 || laps == 40;
    std::vector<std::pair<std::vector<int>, int>> out;
    std::vector<int> rest;
    for (int d : cars)
        if (std::find(fixed.begin(), fixed.end(), d) == fixed.end()) rest.push_back(d);
    std::sort(rest.begin(), rest.end());
    std::set<std::vector<int>> seen;
    do {
        std::vector<int> order = fixed;
        order.insert(order.end(), rest.begin(), rest.begin() + (grid - int(fixed.size())));
        if (!seen.insert(order).second || !GridCanBe(s, gp, cars, order)) continue;
        for (int running = retire ? int(fixed.size()) : grid; running <= grid; ++running) out.push_back({order, running});
    } while (std::next_permutation(rest.begin(), rest.end()));
    return out;
}

// What one classification adds for each competitor, by the rules' own tables.
std::vector<int> Gains(const Season& s, Title title, const std::vector<int>& order, int running) {
    std::vector<int> gain(title == Title::Teams ? ReadCount(s.TimCount) : ReadCount(s.DrvCount), 0);
    for (size_t k = 0; k < order.size(); ++k) {
        int place = int(k) + 1;
        const DrvRecord& d = s.DrvTable[order[k]];
        if (title == Title::Teams) gain[ReadCount(d.TimNo) - 1] += PointsForPlace(place);
        else if (int(k) < running) gain[order[k] - 1] += title == Title::Drivers ? PointsForPlace(place) : EvalPointsForPlace(place);
    }
    return gain;
}

// What the season gives each competitor today, by the rules' own tables.
std::vector<double> Totals(const Season& s, Title title) {
    std::vector<double> totals;
    if (title == Title::Teams) {
        for (int t = 1; t <= ReadCount(s.TimCount); ++t) totals.push_back(ReadNumber(s.TimTable[t].Points));
    } else {
        for (int d = 1; d <= ReadCount(s.DrvCount); ++d) {
            const DrvRecord& driver = s.DrvTable[d];
            totals.push_back(title == Title::Drivers ? DriverPoints(driver)
                                                     : driver.TimNo.empty() ? 0 : EvalPointsOf(driver));
        }
    }
    return totals;
}

// The first of the title, 0 for nobody: the standings' order, or the market's crown.
int First(const std::vector<double>& totals, Title title) {
    int first = 0;
    double best = title == Title::Drivers ? 0.5 : 0;
    for (size_t i = 0; i < totals.size(); ++i)
        if (totals[i] > best) best = totals[i], first = int(i) + 1;
    return first;
}

struct Truth {
    std::set<int> winners;    // everyone first in some completion (0: nobody first)
    int leaderWorstGain = -1; // the most the leader adds in a completion he loses
    int leaderMostGain = -1;  // the most he adds in any
};

// Every completion of the races ahead: what each race can add, added up race by race.
Truth Explore(const Season& s, int endGp, int last, const std::vector<std::vector<int>>& fixed, Title title,
              int leader) {
    std::set<std::vector<int>> sums{std::vector<int>(Totals(s, title).size(), 0)};
    for (int gp = endGp + 1; gp <= last; ++gp) {
        std::set<std::vector<int>> race;
        for (const auto& [order, running] : Classifications(s, gp, fixed[gp])) race.insert(Gains(s, title, order, running));
        std::set<std::vector<int>> next;
        for (const std::vector<int>& sum : sums)
            for (const std::vector<int>& g : race) {
                std::vector<int> v = sum;
                for (size_t i = 0; i < v.size(); ++i) v[i] += g[i];
                next.insert(std::move(v));
            }
        sums = std::move(next);
    }
    Truth truth;
    std::vector<double> base = Totals(s, title);
    for (const std::vector<int>& sum : sums) {
        std::vector<double> totals = base;
        for (size_t i = 0; i < totals.size(); ++i) totals[i] += sum[i];
        int winner = First(totals, title);
        truth.winners.insert(winner);
        if (leader) truth.leaderMostGain = std::max(truth.leaderMostGain, sum[leader - 1]);
        if (leader && winner != leader) truth.leaderWorstGain = std::max(truth.leaderWorstGain, sum[leader - 1]);
    }
    return truth;
}

// Checks a witness by booking it: the contender must come out first.
void CheckWitness(const Season& start, const TitleChance& c, Title title) {
    Season s = start;
    for (const WitnessRace& w : c.witness) {
        std::set<int> named(w.order.begin(), w.order.end());
        ASSERT_EQ(named.size(), w.order.size()) << c.text;
        // Qualifying must be able to give a grid with every car the witness places.
        bool qualifies = false;
        for (const auto& [order, running] : Classifications(start, w.gp, {})) {
            std::set<int> grid(order.begin(), order.end());
            qualifies = qualifies || std::includes(grid.begin(), grid.end(), named.begin(), named.end());
        }
        ASSERT_TRUE(qualifies) << "no grid holds the cars of race " << w.gp << ": " << c.text;
        for (size_t k = 0; k < w.order.size(); ++k) {
            DrvRecord& d = s.DrvTable[w.order[k]];
            ASSERT_NE(TeamOf(s, d), nullptr);
            TimRecord& t = *TeamOf(s, d);
            t.Points = FormatPlain(ReadNumber(t.Points) + PointsForPlace(int(k) + 1));
            d.Result[w.gp] = FormatPlain(int(k) + 1);
        }
        // Places not named score for no one: retired cars, or cars out of the points.
        if (!w.retiredFrom) {
            int grid = std::min<int>(ReadCount(start.Sis.NinCount), 99);
            for (size_t k = w.order.size() + 1; k <= size_t(std::min(grid, 8)); ++k)
                ASSERT_EQ(TitleScore(title, int(k)), 0) << "place " << k << " left open: " << c.text;
        }
    }
    EXPECT_EQ(First(Totals(s, title), title), c.unit) << c.text;
}

void MatchEveryCompletion(uint32_t seed, int rounds, bool spread) {
    std::mt19937 rng(seed);
    int checked = 0, contenders = 0, eliminated = 0, champions = 0, none = 0;
    for (int round = 0; round < rounds; ++round) {
        int drivers = 4 + int(rng() % 3), teams = 2 + int(rng() % 2);
        Season s = SmallSeason(rng, drivers, teams, 2 + int(rng() % 3), 3, spread);
        int endGp = ReadCount(s.Sis.EndGp), last = ReadCount(s.Sis.GpCount);
        // Now and then the next race's winner, or its first two, decided in advance.
        std::vector<FixedResult> fixes;
        std::vector<std::vector<int>> fixed(last + 1);
        if (round % 3 == 1) {
            std::vector<int> cars;
            for (int d = 1; d <= drivers; ++d)
                if (TeamOf(s, s.DrvTable[d])) cars.push_back(d);
            std::shuffle(cars.begin(), cars.end(), rng);
            // Places a grid can give: the first of one classification.
            if (spread) cars = Classifications(s, endGp + 1, {})[rng() % Classifications(s, endGp + 1, {}).size()].first;
            int n = 1 + int(rng() % 2);
            fixed[endGp + 1].assign(cars.begin(), cars.begin() + std::min({n, ReadCount(s.Sis.NinCount), int(cars.size())}));
            fixes.push_back({endGp + 1, fixed[endGp + 1]});
        }
        // The brute force starts from the season without the fixed places; they are one of its races.
        Season base = s;
        for (int g = endGp + 1; g <= last; ++g)
            for (int d = 1; d <= drivers; ++d) base.DrvTable[d].Result[g].clear();
        for (Title title : {Title::Drivers, Title::Crowned, Title::Teams}) {
            TitleRace race = JudgeTitle(s, title, fixes);
            // The leader's fixed places count in his base there, not in what he adds.
            int fixedPart = 0;
            if (race.leader) fixedPart = int(race.entries[race.leader - 1].points - Totals(base, title)[race.leader - 1]);
            Truth truth = Explore(base, endGp, last, fixed, title, race.leader);
            for (const TitleChance& c : race.entries) {
                bool canWin = truth.winners.count(c.unit) > 0;
                bool always = truth.winners.size() == 1 && canWin;
                std::string dbg;
                for (const TitleChance& e : race.entries) dbg += " " + FormatPlain(e.points) + "/" + std::to_string(int(e.status)) + "/m" + std::to_string(e.magicNumber);
                dbg += " grid " + s.Sis.NinCount + " laps " + s.Sis.SyuCount + " leader " + std::to_string(race.leader) + " winners";
                for (int w : truth.winners) dbg += " " + std::to_string(w);
                for (int d = 1; d <= drivers; ++d) dbg += " d" + std::to_string(d) + ":" + s.DrvTable[d].TimNo;
                SCOPED_TRACE(testing::Message() << "round " << round << " title " << int(title) << " unit " << c.unit
                                                << ": " << c.text << dbg);
                EXPECT_EQ(c.status != TitleStatus::Eliminated, canWin);
                EXPECT_EQ(c.status == TitleStatus::Champion, always);
                if (c.status == TitleStatus::Contender) CheckWitness(base, c, title);
                if (c.unit == race.leader && c.status == TitleStatus::Contender) {
                    // None where even his best cannot make sure of it.
                    int magic = truth.leaderWorstGain < 0 ? 0
                                : truth.leaderWorstGain >= truth.leaderMostGain ? -1
                                                                              : truth.leaderWorstGain - fixedPart + 1;
                    EXPECT_EQ(c.magicNumber, magic);
                    none += magic == -1;
                }
                contenders += c.status == TitleStatus::Contender;
                eliminated += c.status == TitleStatus::Eliminated;
                champions += c.status == TitleStatus::Champion;
                ++checked;
            }
        }
    }
    // The rounds must have met all three answers, and a leader no gain makes sure of, or they
    // proved little.
    EXPECT_GT(contenders, rounds * 5 / 6);
    EXPECT_GT(eliminated, rounds * 5 / 6);
    EXPECT_GT(champions, 3);
    EXPECT_GT(none, 0);
    EXPECT_GT(checked, rounds * 8);
}

TEST(TitleRace, MatchesEveryCompletionOfSmallSeasons) { MatchEveryCompletion(20260, 60, false); }

// Machines and drivers apart: some cars never qualify, some always do, some only in each other's
// place; the title race must respect every grid qualifying can give, and no other.
TEST(TitleRace, MatchesEveryCompletionWhereQualifyingDecides) { MatchEveryCompletion(4417, 120, true); }

} // namespace
} // namespace karven
