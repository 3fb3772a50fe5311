#include "offseason/OffTables.h"

#include "season/Numbers.h"
#include "season/Season.h"

namespace karven {

bool OffTimRecord::Full() const {
    return ReadNumber(Seat1) + ReadNumber(Seat2) >= 2;
}

int EvalPointsForPlace(double place) {
    static constexpr int Scale[] = {0, 10, 6, 4, 3, 2, 1};
    for (int p = 1; p <= 6; ++p)
        if (place == p) return Scale[p];
    return 0;
}

int EvalPointsOf(const DrvRecord& driver) {
    int points = 0;
    for (int g = 1; g <= ResultSlots; ++g) {
        double place = ReadNumber(driver.Result[g]);
        if (place > 0) points += EvalPointsForPlace(place);
    }
    return points;
}

int ChampionIndex(const std::vector<OffDrvRecord>& drivers) {
    int champion = 0;
    double best = 0;
    for (size_t k = 1; k < drivers.size(); ++k) {
        double points = ReadNumber(drivers[k].EvalPoints);
        if (points > best) {
            best = points;
            champion = int(k);
        }
    }
    return champion;
}

} // namespace karven
