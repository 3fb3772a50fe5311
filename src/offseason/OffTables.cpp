#include "offseason/OffTables.h"

#include <algorithm>

#include "season/Numbers.h"
#include "season/Points.h"
#include "season/Season.h"

namespace karven {

int EvalPointsOf(const DrvRecord& driver) {
    int points = 0;
    for (int g = 1; g <= ResultSlots; ++g) {
        double place = ReadNumber(driver.Result[g]);
        if (place > 0) points += EvalPointsForPlace(place);
    }
    return points;
}

namespace {
// The first of entries 1..count whose points beat every earlier one, starting from 0.
template <class Points> int FirstBest(int count, Points points) {
    int champion = 0;
    double best = 0;
    for (int k = 1; k <= count; ++k) {
        double p = points(k);
        if (p > best) {
            best = p;
            champion = k;
        }
    }
    return champion;
}
} // namespace

int ChampionIndex(const std::vector<OffDrvRecord>& drivers) {
    return FirstBest(int(drivers.size()) - 1, [&](int k) { return drivers[k].EvalPoints; });
}

int MarketChampion(const Season& season) {
    int drivers = std::clamp(ReadCount(season.DrvCount), 0, std::min(int(season.DrvTable.size()) - 1, MaxDrvCount));
    return FirstBest(drivers, [&](int k) {
        const DrvRecord& d = season.DrvTable[k];
        return d.TimNo.empty() ? 0.0 : double(EvalPointsOf(d));
    });
}

int RankOf(size_t i, const std::vector<double>& first, const std::vector<double>& second,
           const std::vector<double>& number) {
    int rank = 0;
    for (size_t e = 1; e < first.size(); ++e) {
        if (first[e] > first[i] || (first[e] == first[i] && second[e] > second[i]) ||
            (first[e] == first[i] && second[e] == second[i] && number[e] <= number[i]))
            ++rank;
    }
    return rank;
}

} // namespace karven
