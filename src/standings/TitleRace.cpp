#include "standings/TitleRace.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>

#include "season/Season.h"
#include "standings/RaceColouring.h"
#include "standings/TitleClinch.h"
#include "standings/TitlePacking.h"
#include "standings/TitleText.h"

namespace karven {

namespace {
constexpr int64_t Unlimited = int64_t(1) << 40;

// How a completion may choose the grids: one set of grids for each race ahead.
using Plan = std::vector<int>; // [race] index into its grids
// Beyond so many plans the search gives up being exact.
constexpr size_t PlanLimit = 2000;

class Judge {
public:
    Judge(const Season& season, const TitleField& f) : season_(season), f_(f) {
        carsOf_.assign(f.units + 1, {});
        for (int c = 0; c < f.Cars(); ++c) carsOf_[f.entrantUnit[c]].push_back(c);
        rivals_.clear();
        for (int u = 1; u <= f.units; ++u)
            if (f.cars[u] > 0) rivals_.push_back(u);
        plans_ = Plans(plansComplete_);
        Use(plans_.front());
    }

    TitleRace Run() {
        TitleRace race;
        race.title = f_.title;
        race.leader = Leader();
        // Points a car cannot avoid can make a champion of someone behind: whoever it is wins any
        // one completion, so that completion's winner is the only one to try.
        int champion = AnyWinner();
        if (champion && Magic(champion) != 0) champion = 0;
        int magic = race.leader && !champion ? Magic(race.leader) : -1;
        for (int u = 1; u <= f_.units; ++u) {
            TitleChance& c = race.entries.emplace_back();
            c.unit = u;
            Name(c);
            c.points = f_.base[u];
            if (u == champion) {
                c.status = TitleStatus::Champion;
                c.magicNumber = 0;
                c.text = ChampionText();
                continue;
            }
            Decide(c);
            if (u == race.leader && c.status == TitleStatus::Contender) c.magicNumber = magic;
        }
        return race;
    }

private:
    // Alike races of the plan in use: the same fixed places and the same grids to choose from.
    struct Group {
        std::vector<int> races; // indexes into f.races
        const GridSet* grids = nullptr;
        bool tight = false; // some cars bound to the grid must take points: a race of its own
        // [unit] the unit's cars that can take a place of their own (not fixed), and of those the
        // cars bound to the grid; and all the bound ones.
        std::vector<int> free, must;
        int bound = 0;
    };

    // A set of grids binds some cars to take points when more cars must be on the grid than its
    // places without points hold, and the grid is not simply every car that can be on it.
    bool Tight(const RaceAhead& race, const GridSet& set) const {
        int must = 0, can = 0;
        for (int car = 0; car < f_.Cars(); ++car) {
            can += set.can[car];
            must += set.must[car] &&
                    std::find(race.fixedCars.begin(), race.fixedCars.end(), car) == race.fixedCars.end();
        }
        return must > f_.ZeroPlaces(race) && can > f_.grid;
    }

    // Every way to choose the races' sets of grids; alike races choose alike in any order, so each
    // count of choices is tried once.
    std::vector<Plan> Plans(bool& complete) const {
        std::map<std::pair<std::vector<int>, std::vector<GridSet>>, std::vector<int>> alike;
        for (size_t r = 0; r < f_.races.size(); ++r)
            if (f_.races[r].grids.size() > 1) alike[{f_.races[r].fixedCars, f_.races[r].grids}].push_back(int(r));
        std::vector<Plan> plans{Plan(f_.races.size(), 0)};
        complete = true;
        for (const auto& [key, races] : alike) {
            const int k = int(key.second.size());
            std::vector<Plan> next;
            for (const Plan& plan : plans) {
                // Non-decreasing choices for the alike races.
                std::vector<int> choice(races.size(), 0);
                while (true) {
                    Plan p = plan;
                    for (size_t i = 0; i < races.size(); ++i) p[races[i]] = choice[i];
                    next.push_back(std::move(p));
                    if (next.size() >= PlanLimit) {
                        complete = false;
                        return next;
                    }
                    int i = int(choice.size()) - 1;
                    while (i >= 0 && choice[i] == k - 1) --i;
                    if (i < 0) break;
                    int v = choice[i] + 1;
                    for (size_t j = size_t(i); j < choice.size(); ++j) choice[j] = v;
                }
            }
            plans = std::move(next);
        }
        return plans;
    }

    void Use(const Plan& plan) {
        groups_.clear();
        std::map<std::pair<std::vector<int>, GridSet>, int> seen;
        for (size_t r = 0; r < f_.races.size(); ++r) {
            const RaceAhead& race = f_.races[r];
            const GridSet& set = race.grids[plan[r]];
            bool tight = Tight(race, set);
            if (!tight) {
                auto [at, fresh] = seen.emplace(std::make_pair(race.fixedCars, set), int(groups_.size()));
                if (!fresh) {
                    groups_[at->second].races.push_back(int(r));
                    continue;
                }
            }
            groups_.push_back({{int(r)}, &set, tight, {}, {}, 0});
        }
        for (Group& g : groups_) {
            const std::vector<int>& fixed = f_.races[g.races.front()].fixedCars;
            g.free.assign(f_.units + 1, 0);
            g.must.assign(f_.units + 1, 0);
            for (int car = 0; car < f_.Cars(); ++car) {
                if (std::find(fixed.begin(), fixed.end(), car) != fixed.end()) continue;
                const int unit = f_.entrantUnit[car];
                g.free[unit] += g.grids->can[car];
                g.must[unit] += g.grids->must[car];
                g.bound += g.grids->must[car];
            }
        }
    }

    const RaceAhead& FirstOf(int g) const { return f_.races[groups_[g].races.front()]; }
    int Races(int g) const { return int(groups_[g].races.size()); }
    bool Fixed(int g, int car) const {
        const std::vector<int>& fixed = FirstOf(g).fixedCars;
        return std::find(fixed.begin(), fixed.end(), car) != fixed.end();
    }
    // A unit's cars that can take a place of its own in the group's races, and those of them bound
    // to the grid.
    int FreeCars(int unit, int g) const { return groups_[g].free[unit]; }
    int MustCars(int unit, int g) const { return groups_[g].must[unit]; }

    // The most a unit can add: its own places in every race.
    int64_t MostGain(int unit) const {
        int64_t most = 0;
        for (size_t g = 0; g < groups_.size(); ++g) {
            const std::vector<int>& open = FirstOf(int(g)).open;
            for (int k = 0; k < Own(unit, int(g)); ++k) most += int64_t(Races(int(g))) * open[k];
        }
        return most;
    }
    // The same under any plan: each race's set of grids with most of his cars.
    int64_t UpperGain(int unit) const {
        int64_t most = 0;
        for (const RaceAhead& race : f_.races) {
            int best = 0;
            for (const GridSet& set : race.grids) {
                int n = 0;
                for (int car : carsOf_[unit])
                    n += set.can[car] &&
                         std::find(race.fixedCars.begin(), race.fixedCars.end(), car) == race.fixedCars.end();
                best = std::max(best, n);
            }
            for (int k = 0; k < std::min<int>(best, int(race.open.size())); ++k) most += race.open[k];
        }
        return most;
    }

    bool Listed(double total) const { return f_.title == Title::Drivers ? total >= 1 : total > 0; }

    // First by points today, the earlier on equal points; with nobody on points yet, the first in
    // the table.
    int Leader() const {
        int leader = 0;
        for (int u = 1; u <= f_.units; ++u)
            if (f_.eligible[u] && (!leader || f_.base[u] > f_.base[leader])) leader = u;
        return leader;
    }

    // The first of one completion: the fixed places, then the cars of a grid in table order, all
    // running; the grid holds the cars bound to it, then the first others that can qualify.
    int AnyWinner() const {
        std::vector<double> total = f_.base;
        for (const RaceAhead& race : f_.races) {
            const GridSet& set = race.grids.front();
            auto fixed = [&](int car) {
                return std::find(race.fixedCars.begin(), race.fixedCars.end(), car) != race.fixedCars.end();
            };
            int room = f_.grid - int(race.fixedCars.size());
            std::vector<char> onGrid(size_t(f_.Cars()), 0);
            for (int car = 0; car < f_.Cars(); ++car)
                if (set.must[car] && !fixed(car)) onGrid[car] = 1, --room;
            for (int car = 0; car < f_.Cars() && room > 0; ++car)
                if (set.can[car] && !set.must[car] && !fixed(car)) onGrid[car] = 1, --room;
            size_t place = 0;
            for (int car = 0; car < f_.Cars() && place < race.open.size(); ++car) {
                if (!onGrid[car]) continue;
                int unit = f_.entrantUnit[car];
                if (unit) total[unit] += race.open[place];
                ++place;
            }
        }
        int first = 0;
        for (int u = 1; u <= f_.units; ++u)
            if (f_.eligible[u] && Listed(total[u]) && (!first || total[u] > total[first])) first = u;
        return first;
    }

    // 0 when no completion takes the title from the leader, -1 when none of his gains can make
    // sure of it, else the points that make sure.
    int Magic(int leader) const {
        int worst = -1; // the most the leader can take and still be caught
        // He must be in the standings at all.
        std::vector<int64_t> alone = RivalBeside(f_, leader, 0);
        int most = -1; // the most he can take
        for (size_t a = 0; a < alone.size(); ++a) {
            if (alone[a] < 0) continue;
            most = int(a);
            if (!Listed(f_.base[leader] + double(a))) worst = std::max(worst, int(a));
        }
        for (int e = 1; e <= f_.units; ++e) {
            if (e == leader || !f_.eligible[e]) continue;
            if (!FinishesAhead(f_, e, f_.base[e] + double(UpperGain(e)), leader, f_.base[leader])) continue;
            std::vector<int64_t> beside = RivalBeside(f_, leader, e);
            for (size_t a = 0; a < beside.size(); ++a)
                if (beside[a] >= 0 && int(a) > worst &&
                    FinishesAhead(f_, e, f_.base[e] + double(beside[a]), leader, f_.base[leader] + double(a)))
                    worst = int(a);
        }
        if (worst >= 0 && worst >= most) return -1;
        return worst + 1;
    }

    void Name(TitleChance& c) const {
        if (f_.title == Title::Teams) {
            c.No = season_.TimTable[c.unit].TimNo;
            c.Nm = season_.TimTable[c.unit].TimNm;
        } else {
            c.No = season_.DrvTable[c.unit].DrvNo;
            c.Nm = season_.DrvTable[c.unit].DrvNm;
        }
    }
    const std::string& NameOf(int unit) const {
        return f_.title == Title::Teams ? season_.TimTable[unit].TimNm : season_.DrvTable[unit].DrvNm;
    }

    // The most rival u may take and still finish behind a total of `total`.
    int64_t Cap(int u, int target, double total) const {
        double room = total - f_.base[u];
        double cap = TitleField::AheadOnTie(u, target) ? std::ceil(room) - 1 : std::floor(room);
        return int64_t(std::clamp(cap, -1.0, double(Unlimited)));
    }

    struct Packed {
        std::vector<int> rivals; // unit of each PackRival, 0 for the cars nobody scores with
        std::vector<int64_t> caps;
        PackAnswer answer;
    };

    // The contender's own places in a group: his free cars in the best open places, as far as the
    // grid has room for them beside the cars of others that must be on it.
    int Own(int t, int g) const {
        const int room = f_.grid - int(FirstOf(g).fixedCars.size()) - (groups_[g].bound - MustCars(t, g));
        return std::max(0, std::min({FreeCars(t, g), int(FirstOf(g).open.size()), room}));
    }

    Packed Pack(int t, double total, int64_t extra, bool drop) const {
        Packed p;
        std::vector<PackGroup> groups;
        for (size_t g = 0; g < groups_.size(); ++g) {
            const std::vector<int>& open = FirstOf(int(g)).open;
            int own = Own(t, int(g));
            PackGroup& group = groups.emplace_back();
            group.races = Races(int(g));
            group.scores.assign(open.begin() + own, open.end());
            group.tight = groups_[g].tight;
            group.zero = f_.ZeroPlaces(FirstOf(int(g)));
            group.idle = std::max(0, MustCars(t, int(g)) - own);
        }
        std::vector<PackRival> rivals;
        auto add = [&](int unit, int64_t cap) {
            PackRival r;
            r.cap = cap;
            for (size_t g = 0; g < groups_.size(); ++g) {
                r.cars.push_back(FreeCars(unit, int(g)));
                r.must.push_back(MustCars(unit, int(g)));
            }
            rivals.push_back(std::move(r));
            p.rivals.push_back(unit);
            p.caps.push_back(cap);
        };
        for (int u : rivals_)
            if (u != t) add(u, f_.eligible[u] ? Cap(u, t, total) + extra : Unlimited);
        if (!carsOf_[0].empty()) add(0, Unlimited);
        p.answer = PackScores(groups, rivals, drop);
        return p;
    }

    // Why a contender cannot win under one plan, and how far he is from it.
    enum class Reason { None, NoPoints, Short };

    void Decide(TitleChance& c) {
        if (!f_.eligible[c.unit]) {
            c.text = NoSeatText();
            return;
        }
        // The first plan that gives him the title, else the one that leaves him least short.
        std::optional<TitleChance> closest;
        Reason closestWhy = Reason::None;
        bool exact = plansComplete_;
        for (const Plan& plan : plans_) {
            if (plans_.size() > 1) Use(plan);
            TitleChance trial = c;
            Reason why = DecideUnder(trial);
            exact = exact && trial.exact;
            if (trial.status == TitleStatus::Contender) {
                c = std::move(trial);
                c.exact = true;
                return;
            }
            if (!closest || (closestWhy == Reason::NoPoints && why == Reason::Short) ||
                (why == closestWhy && trial.shortBy < closest->shortBy)) {
                closest = std::move(trial);
                closestWhy = why;
            }
        }
        c = std::move(*closest);
        c.exact = exact;
    }

    Reason DecideUnder(TitleChance& c) const {
        const int t = c.unit;
        const double total = f_.base[t] + double(MostGain(t));
        if (!Listed(total)) {
            c.text = NoPointsText();
            return Reason::NoPoints;
        }
        // Rivals already out of his reach, whatever anyone does.
        int far = 0;
        for (int u = 1; u <= f_.units; ++u)
            if (u != t && f_.eligible[u] && Cap(u, t, total) < 0 && (!far || f_.base[u] > f_.base[far])) far = u;
        if (far) {
            c.outOfReach = {far};
            c.shortBy = f_.base[far] - total;
            c.text = OutOfReachText(NameOf(far), c.shortBy);
            return Reason::Short;
        }
        Packed p = Pack(t, total, 0, false);
        if (!p.answer.feasible && f_.retire) p = Pack(t, total, 0, true);
        c.exact = !p.answer.exhausted || p.answer.feasible;
        if (p.answer.feasible) {
            c.status = TitleStatus::Contender;
            Witness(c, p);
            return Reason::None;
        }
        Shortfall(c, t, total, p);
        return Reason::Short;
    }

    // The least that would still be missing, found by raising every cap alike: once it passes
    // what any rival could take, nobody is in the way.
    void Shortfall(TitleChance& c, int t, double total, const Packed& p) const {
        int64_t bound = 1;
        for (int u : rivals_) bound = std::max(bound, MostBeside(u, t) + 1);
        int64_t lo = 0, hi = 1;
        while (hi < bound && !Pack(t, total, hi, false).answer.feasible) {
            lo = hi;
            hi = std::min(bound, hi * 2);
        }
        while (hi - lo > 1) {
            int64_t mid = (lo + hi) / 2;
            (Pack(t, total, mid, false).answer.feasible ? hi : lo) = mid;
        }
        c.shortBy = double(hi);
        c.outOfReach = Held(p, t);
        std::vector<std::string> names;
        for (int u : c.outOfReach) names.push_back(NameOf(u));
        c.text = CannotHoldAllText(names, c.shortBy);
    }

    // The rivals the completion has to hold below what they could take, the most points first.
    std::vector<int> Held(const Packed& p, int t) const {
        std::vector<int> held;
        for (size_t i = 0; i < p.rivals.size(); ++i) {
            int u = p.rivals[i];
            if (u && p.caps[i] < MostBeside(u, t)) held.push_back(u);
        }
        std::stable_sort(held.begin(), held.end(), [&](int a, int b) { return f_.base[a] > f_.base[b]; });
        return held;
    }
    // What rival u could take of the places the contender t leaves.
    int64_t MostBeside(int u, int t) const {
        int64_t most = 0;
        for (size_t g = 0; g < groups_.size(); ++g) {
            const std::vector<int>& open = FirstOf(int(g)).open;
            int own = Own(t, int(g));
            int n = std::min<int>(FreeCars(u, int(g)), int(open.size()) - own);
            for (int k = own; k < own + n; ++k) most += int64_t(Races(int(g))) * open[k];
        }
        return most;
    }

    void Witness(TitleChance& c, const Packed& p) const {
        const int t = c.unit;
        c.witness.assign(f_.races.size(), {});
        for (size_t g = 0; g < groups_.size(); ++g) {
            const RaceAhead& first = FirstOf(int(g));
            const GridSet& set = *groups_[g].grids;
            const int r = Races(int(g));
            const int m = int(first.fixedCars.size());
            // The cars free in these races, and the place of each open score.
            std::vector<int> cars;
            for (int c2 = 0; c2 < f_.Cars(); ++c2)
                if (set.can[c2] && !Fixed(int(g), c2)) cars.push_back(c2);
            auto carIndex = [&](int car) { return int(std::find(cars.begin(), cars.end(), car) - cars.begin()); };
            auto placeOf = [&](int score) {
                return int(std::find(first.open.begin(), first.open.end(), score) - first.open.begin());
            };
            std::vector<std::pair<int, int>> edges;
            auto hand = [&](int unit, std::vector<int> scores) {
                // The cars bound to the grid take places first: the others may stay off it.
                std::vector<int> own;
                for (int bound : {1, 0})
                    for (int car : carsOf_[unit])
                        if (carIndex(car) < int(cars.size()) && set.must[car] == bound) own.push_back(car);
                std::sort(scores.rbegin(), scores.rend());
                if (own.empty()) return;
                for (size_t i = 0; i < scores.size(); ++i)
                    edges.push_back({carIndex(own[i % own.size()]), placeOf(scores[i])});
            };
            int own = Own(t, int(g));
            std::vector<int> mine;
            for (int k = 0; k < own; ++k)
                for (int n = 0; n < r; ++n) mine.push_back(first.open[k]);
            hand(t, mine);
            for (size_t i = 0; i < p.rivals.size(); ++i) hand(p.rivals[i], p.answer.taken[g][i]);
            std::vector<int> colour = ColourEdges(int(cars.size()), int(first.open.size()), edges, r);
            int retiredFrom = 0;
            if (!p.answer.dropped[g].empty())
                retiredFrom = m + 1 + placeOf(*std::max_element(p.answer.dropped[g].begin(), p.answer.dropped[g].end()));
            for (int n = 0; n < r; ++n) {
                WitnessRace& w = c.witness[groups_[g].races[n]];
                w.gp = f_.races[groups_[g].races[n]].gp;
                for (int car : first.fixedCars) w.order.push_back(f_.entrantDriver[car]);
                w.order.resize(m + first.open.size(), 0);
                w.retiredFrom = retiredFrom;
            }
            for (size_t e = 0; e < edges.size(); ++e) {
                WitnessRace& w = c.witness[groups_[g].races[colour[e]]];
                w.order[m + edges[e].second] = f_.entrantDriver[cars[edges[e].first]];
            }
            for (int n = 0; n < r; ++n) {
                WitnessRace& w = c.witness[groups_[g].races[n]];
                while (!w.order.empty() && w.order.back() == 0) w.order.pop_back();
            }
        }
        std::vector<HeldRival> held;
        for (int u : Held(p, t)) {
            size_t i = std::find(p.rivals.begin(), p.rivals.end(), u) - p.rivals.begin();
            held.push_back({u, NameOf(u), p.caps[i]});
        }
        c.text = WitnessText(f_, c, held);
    }

    const Season& season_;
    const TitleField& f_;
    std::vector<Plan> plans_;
    bool plansComplete_ = true;
    std::vector<Group> groups_;                // of the plan in use
    std::vector<std::vector<int>> carsOf_;     // [unit] its cars; [0] cars that score for nobody
    std::vector<int> rivals_;                  // units with cars
};
} // namespace

TitleRace JudgeTitle(const Season& season, Title title, const std::vector<FixedResult>& fixed) {
    TitleField field = ReadTitleField(season, title, fixed);
    return Judge(season, field).Run();
}

} // namespace karven
