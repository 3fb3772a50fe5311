#include "odds/TitleField.h"

#include <algorithm>

#include "offseason/OffTables.h"
#include "season/Numbers.h"
#include "season/Points.h"
#include "season/Season.h"

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
            for (const FixedResult& fix : fixed) {
                if (fix.gp != g) continue;
                for (int d : fix.drivers) {
                    if (d < 1 || d > drivers || carOfDriver[d] < 0 || int(race.fixedCars.size()) >= f.grid) continue;
                    if (std::find(race.fixedCars.begin(), race.fixedCars.end(), carOfDriver[d]) != race.fixedCars.end())
                        continue;
                    race.fixedCars.push_back(carOfDriver[d]);
                }
            }
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
