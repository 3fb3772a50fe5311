#include "sim/LapsJson.h"

#include "season/Season.h"

namespace karven::sim {

void AddLaps(Json& out, const RaceLaps& race) {
    auto drvNo = [&race](int car) -> const std::string& { return race.grid[size_t(car - 1)].DrvNo; };
    Json grid = Json::array();
    for (const LapCar& c : race.grid) grid.push_back(c.DrvNo);
    Json laps = Json::array();
    for (int L = 1; L <= race.Laps(); ++L) {
        const LapBoard lap = race.Board(L);
        Json order = Json::array(), times = Json::array();
        for (size_t k = 0; k < lap.order.size(); ++k) {
            order.push_back(drvNo(lap.order[k]));
            times.push_back(TimeText(lap.time[k]));
        }
        laps.push_back({{"lap", L}, {"weather", lap.weather}, {"order", std::move(order)}, {"Time", std::move(times)}});
    }
    Json stops = Json::array();
    for (const RaceStop& s : race.stops)
        stops.push_back({{"DrvNo", drvNo(s.car)},
                         {"lap", s.lap},
                         {"kind", s.kind == StopKind::Pit ? "pit" : "penalty"},
                         {"RainTyre", s.rainTyre ? "1" : "0"}});
    Json retirements = Json::array();
    for (const RaceRetirement& x : race.retirements) retirements.push_back({{"DrvNo", drvNo(x.car)}, {"lap", x.lap}});
    out["grid"] = std::move(grid);
    out["laps"] = std::move(laps);
    out["stops"] = std::move(stops);
    out["retirements"] = std::move(retirements);
}

Json RaceRecordToJson(const Season& season, const RaceLaps& race) {
    Json out;
    out["gp"] = race.gp;
    out["GpNm"] = race.gp >= 1 && race.gp < int(season.GpTable.size()) ? season.GpTable[size_t(race.gp)].GpNm : "";
    AddLaps(out, race);
    return out;
}

} // namespace karven::sim
