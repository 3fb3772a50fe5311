#include "odds/FixedFinish.h"

#include <algorithm>

#include "race/RaceState.h"
#include "race/RaceStart.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "weekend/EntryTables.h"

namespace karven {

void FixFinish(RaceState& race, const std::vector<Entrant>& entrants, const std::vector<int>& drivers) {
    std::vector<RaceCar>& car = race.car;
    const int cars = race.Cars();
    for (int k = 1; k <= int(drivers.size()) && k <= cars; ++k) {
        int at = 0;
        for (int j = k; j <= cars; ++j)
            if (car[j].driver == drivers[k - 1]) at = j;
        if (at == 0) {
            // He did not qualify: he comes in for the last car.
            auto e = std::find_if(entrants.begin() + 1, entrants.end(),
                                  [&](const Entrant& x) { return x.position == drivers[k - 1]; });
            if (e == entrants.end()) continue;
            at = cars;
            car[at] = CarOf(*e, cars + 1 + k);
        }
        RaceCar moved = car[at];
        moved.retired = false;
        for (int j = at; j > k; --j) car[j] = car[j - 1];
        car[k] = moved;
    }
}

std::string FixProblem(const Season& season, const FixedResult& fix) {
    int endGp = ReadCount(season.Sis.EndGp);
    int last = std::min(ReadCount(season.Sis.GpCount), int(season.GpTable.size()) - 1);
    if (fix.gp <= endGp || fix.gp > last) return TrF("第{1}戦はこれから行われるＧＰではありません。", fix.gp);
    int drivers = std::clamp(ReadCount(season.DrvCount), 0, int(season.DrvTable.size()) - 1);
    int seated = 0;
    for (int d = 1; d <= drivers; ++d) seated += TeamOf(season, season.DrvTable[d]) != nullptr;
    int grid = std::max(0, std::min(ReadCount(season.Sis.NinCount), seated));
    if (fix.drivers.empty() || int(fix.drivers.size()) > grid)
        return TrF("第{1}戦に決められるのは1位から{2}位までです。", fix.gp, grid);
    for (size_t i = 0; i < fix.drivers.size(); ++i) {
        int d = fix.drivers[i];
        if (d < 1 || d > drivers || !TeamOf(season, season.DrvTable[d]))
            return TrF("ドライバー{1}はシートがなく、出走できません。", Format00(d));
        if (std::find(fix.drivers.begin(), fix.drivers.begin() + i, d) != fix.drivers.begin() + i)
            return TrF("ドライバー{1}が二度選ばれています。", Format00(d));
    }
    return "";
}

} // namespace karven
