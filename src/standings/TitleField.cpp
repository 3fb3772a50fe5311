#include "standings/TitleField.h"

#include <algorithm>

#include "season/Numbers.h"
#include "season/Points.h"
#include "season/Season.h"
#include "weekend/Qualifying.h"

namespace karven {

namespace {
int Bounded(const std::string& count, size_t tableSize) {
    return std::clamp(ReadCount(count), 0, int(tableSize) - 1);
}

// What a stored result is worth to the title.
double SlotScore(Title title, const std::string& result) {
    if (title == Title::Crowned) {
        double place = ReadNumber(result);
        return place > 0 ? EvalPointsForPlace(place) : 0;
    }
    return PointsForResult(result);
}

// Each entrant's best and worst qualifying time, tied by table order: the earlier stands ahead.
struct Qualifying {
    std::vector<std::pair<double, int>> fastest, slowest; // [car]
    std::vector<char> canQualify;                         // [car] on some grid
    std::vector<char> alwaysQualifies;                    // [car] on every grid
};

Qualifying QualifyingOf(const Season& season, int gp, const TitleField& f) {
    Qualifying q;
    const int n = f.Cars();
    std::vector<Entrant> entrants = QualifyingEntrants(season, gp);
    for (int c = 0; c < n; ++c) {
        TimeRange range{0, 0}; // the entrants are the same cars; the guard keeps a mismatch harmless
        if (c + 1 < int(entrants.size()) && entrants[size_t(c) + 1].position == f.entrantDriver[size_t(c)])
            range = QualifyingRange(entrants[size_t(c) + 1]);
        q.fastest.push_back({range.fastest, c});
        q.slowest.push_back({range.slowest, c});
    }
    // A car with grid-many cars surely ahead never qualifies; one with fewer that can be ahead
    // always does.
    for (int c = 0; c < n; ++c) {
        int surelyAhead = 0, maybeAhead = 0;
        for (int j = 0; j < n; ++j) {
            if (j == c) continue;
            surelyAhead += q.slowest[size_t(j)] < q.fastest[size_t(c)];
            maybeAhead += q.fastest[size_t(j)] < q.slowest[size_t(c)];
        }
        q.canQualify.push_back(surelyAhead < f.grid);
        q.alwaysQualifies.push_back(maybeAhead < f.grid);
    }
    return q;
}

// The grids of one race as sets of grids, each holding the fixed cars; none when no grid does.
// A grid S can be given exactly when every car in it can beat every car outside it: its slowest
// best time below their fastest worst ones. With the threshold t of that best time, S holds every
// car whose worst time is within t and only cars whose best time is.
std::vector<GridSet> GridsOf(const Qualifying& q, int grid, const std::vector<int>& fixedCars) {
    const int n = int(q.fastest.size());
    std::vector<char> fixedCar(size_t(n), 0);
    for (int c : fixedCars) fixedCar[size_t(c)] = 1;
    auto holdsFixed = [&](const GridSet& set) {
        int size = 0;
        for (int c = 0; c < n; ++c) {
            if (fixedCar[size_t(c)] && !set.can[size_t(c)]) return false;
            size += set.must[size_t(c)] || fixedCar[size_t(c)];
        }
        return size <= grid;
    };
    std::vector<GridSet> sets;
    if (grid >= n) {
        GridSet all{std::vector<char>(size_t(n), 1), std::vector<char>(size_t(n), 1)};
        if (holdsFixed(all)) sets.push_back(std::move(all));
        return sets;
    }
    // Any car that can qualify may stand in for any other unless one is surely faster than another.
    int qualifiers = 0;
    bool bound = false;
    for (int i = 0; i < n; ++i) {
        qualifiers += q.canQualify[size_t(i)];
        for (int j = 0; j < n && !bound; ++j)
            bound = i != j && q.canQualify[size_t(i)] && q.canQualify[size_t(j)] && !q.alwaysQualifies[size_t(i)] &&
                    !q.alwaysQualifies[size_t(j)] && q.slowest[size_t(j)] < q.fastest[size_t(i)];
    }
    if (!bound || qualifiers == grid) {
        GridSet one{q.alwaysQualifies, q.canQualify};
        if (qualifiers == grid) one.must = q.canQualify;
        if (holdsFixed(one)) sets.push_back(std::move(one));
        return sets;
    }
    std::vector<std::pair<double, int>> thresholds = q.fastest;
    std::sort(thresholds.begin(), thresholds.end());
    for (size_t k = size_t(grid) - 1; k < thresholds.size(); ++k) {
        GridSet set;
        for (int c = 0; c < n; ++c) {
            set.can.push_back(q.fastest[size_t(c)] <= thresholds[k]);
            set.must.push_back(q.slowest[size_t(c)] <= thresholds[k]);
        }
        if (!holdsFixed(set)) continue;
        // A higher threshold with the same cars bound in offers more: it replaces the lower.
        if (!sets.empty() && sets.back().must == set.must) sets.back() = std::move(set);
        else sets.push_back(std::move(set));
    }
    return sets;
}

// Retirements happen only at the race distances the reliability roll knows.
bool RetirementsHappen(const Season& season) {
    double laps = ReadNumber(season.Sis.SyuCount);
    return laps == 5 || laps == 10 || laps == 20 || laps == 40;
}
} // namespace

int TitleScore(Title title, int place) {
    return title == Title::Crowned ? EvalPointsForPlace(place) : PointsForPlace(place);
}

int TitleField::FixedCarsOf(int unit, const RaceAhead& race) const {
    int n = 0;
    for (int car : race.fixedCars) n += entrantUnit[car] == unit;
    return n;
}

TitleField ReadTitleField(const Season& season, Title title, const std::vector<FixedResult>& fixed) {
    TitleField f;
    f.title = title;
    const int drivers = Bounded(season.DrvCount, season.DrvTable.size());
    const int teams = Bounded(season.TimCount, season.TimTable.size());
    f.units = title == Title::Teams ? teams : drivers;
    f.base.assign(f.units + 1, 0);
    f.eligible.assign(f.units + 1, 1);
    f.cars.assign(f.units + 1, 0);
    f.eligible[0] = 0;

    // Entrants: the drivers of existing teams, in driver order, as qualifying enters them.
    std::vector<int> carOfDriver(drivers + 1, -1);
    for (int d = 1; d <= drivers; ++d) {
        const TimRecord* team = TeamOf(season, season.DrvTable[d]);
        if (!team) continue;
        int unit = title == Title::Teams ? int(team - &season.TimTable[0]) : d;
        if (unit > f.units) unit = 0;
        carOfDriver[d] = f.Cars();
        f.entrantDriver.push_back(d);
        f.entrantUnit.push_back(unit);
        if (unit) ++f.cars[unit];
    }
    f.grid = std::max(0, std::min(ReadCount(season.Sis.NinCount), f.Cars()));
    f.retire = title != Title::Teams && RetirementsHappen(season);
    f.scale.assign(f.grid + 2, 0);
    for (int k = 1; k <= f.grid; ++k) f.scale[k] = TitleScore(title, k);

    const int endGp = ReadCount(season.Sis.EndGp);
    const int last = std::min(ReadCount(season.Sis.GpCount), int(season.GpTable.size()) - 1);
    if (f.grid >= 1)
        for (int g = std::max(1, endGp + 1); g <= last; ++g) {
            RaceAhead& race = f.races.emplace_back();
            race.gp = g;
            Qualifying q = QualifyingOf(season, g, f);
            for (const FixedResult& fix : fixed) {
                if (fix.gp != g) continue;
                for (int d : fix.drivers) {
                    if (d < 1 || d > drivers || carOfDriver[d] < 0 || int(race.fixedCars.size()) >= f.grid) continue;
                    if (!q.canQualify[carOfDriver[d]]) continue; // he never makes this grid
                    if (std::find(race.fixedCars.begin(), race.fixedCars.end(), carOfDriver[d]) != race.fixedCars.end())
                        continue;
                    race.fixedCars.push_back(carOfDriver[d]);
                }
            }
            // Cars fixed together that no grid holds together: the later ones are left out.
            while ((race.grids = GridsOf(q, f.grid, race.fixedCars)).empty()) race.fixedCars.pop_back();
            for (int k = int(race.fixedCars.size()) + 1; k <= f.grid; ++k)
                if (f.scale[k] > 0) race.open.push_back(f.scale[k]);
        }
    auto ahead = [&](int g) { return g > endGp && g <= last && f.grid >= 1; };

    if (title == Title::Teams) {
        for (int t = 1; t <= teams; ++t) f.base[t] = ReadNumber(season.TimTable[t].Points);
    } else {
        for (int d = 1; d <= drivers; ++d) {
            const DrvRecord& driver = season.DrvTable[d];
            if (title == Title::Crowned && driver.TimNo.empty()) {
                f.eligible[d] = 0; // the market judges only drivers with a seat
                continue;
            }
            // A starter's slot of a race still to run is written anew; anyone else's stays.
            for (int g = 1; g <= ResultSlots; ++g)
                if (!(carOfDriver[d] >= 0 && ahead(g))) f.base[d] += SlotScore(title, driver.Result[g]);
        }
    }
    for (const RaceAhead& race : f.races)
        for (size_t k = 0; k < race.fixedCars.size(); ++k) {
            int unit = f.entrantUnit[race.fixedCars[k]];
            if (unit && f.eligible[unit]) f.base[unit] += f.scale[k + 1];
        }
    return f;
}

} // namespace karven
