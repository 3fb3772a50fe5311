#include "sim/SeasonJson.h"

#include "race/Race.h"
#include "season/Season.h"
#include "standings/Rankings.h"
#include "weekend/EntryTables.h"

namespace karven::sim {

Json SeasonToJson(const Season& season) {
    Json out;
    out["settings"] = {{"GpCount", season.Sis.GpCount}, {"SyuCount", season.Sis.SyuCount},
                       {"NinCount", season.Sis.NinCount}, {"EndGp", season.Sis.EndGp},
                       {"DrvCount", season.DrvCount},      {"TimCount", season.TimCount}};
    Json gps = Json::array();
    for (size_t i = 1; i < season.GpTable.size(); ++i) {
        const GpRecord& g = season.GpTable[i];
        gps.push_back({{"GpNo", g.GpNo}, {"GpNm", g.GpNm}, {"CourseType", g.CourseType}});
    }
    out["gps"] = gps;
    Json teams = Json::array();
    for (size_t i = 1; i < season.TimTable.size(); ++i) {
        const TimRecord& t = season.TimTable[i];
        teams.push_back({{"TimNo", t.TimNo}, {"TimNm", t.TimNm}, {"ColorNo", t.ColorNo}, {"Speed", t.Speed},
                         {"Aero", t.Aero}, {"Stability", t.Stability}, {"Points", t.Points}});
    }
    out["teams"] = teams;
    Json drivers = Json::array();
    for (size_t i = 1; i < season.DrvTable.size(); ++i) {
        const DrvRecord& d = season.DrvTable[i];
        Json results = Json::array();
        for (int k = 1; k <= ResultSlots; ++k) results.push_back(d.Result[k]);
        drivers.push_back({{"DrvNo", d.DrvNo},
                           {"TimNo", d.TimNo},
                           {"DrvNm", d.DrvNm},
                           {"Technique", d.Technique},
                           {"Roughness", d.Roughness},
                           {"Block", d.Block},
                           {"Stability", d.Stability},
                           {"CareerGp", d.CareerGp},
                           {"CareerWc", d.CareerWc},
                           {"CareerWins", d.CareerWins},
                           {"CareerPp", d.CareerPp},
                           {"CareerFl", d.CareerFl},
                           {"CareerBest", d.CareerBest},
                           {"CareerPoints", d.CareerPoints},
                           {"Result", results}});
    }
    out["drivers"] = drivers;
    return out;
}

Json RaceToJson(const Season& season, const RaceWeekend& weekend, const RaceOutcome& outcome) {
    Json race;
    race["gp"] = outcome.gp;
    race["GpNm"] = outcome.gp >= 1 && outcome.gp < int(season.GpTable.size()) ? season.GpTable[outcome.gp].GpNm : "";
    Json qualifying = Json::array();
    for (int k = 1; k <= weekend.EntryCount && k < int(weekend.YosenResultTable.size()); ++k) {
        const EntryRecord& e = weekend.YosenResultTable[k];
        qualifying.push_back({{"DrvNo", e.DrvNo}, {"DrvNm", e.DrvNm}, {"Time", e.Time}});
    }
    race["qualifying"] = qualifying;
    Json result = Json::array();
    const std::vector<EntryRecord> table = KesyouTable(weekend, outcome);
    for (size_t k = 1; k < table.size(); ++k) {
        const EntryRecord& e = table[k];
        result.push_back({{"DrvNo", e.DrvNo},
                          {"DrvNm", e.DrvNm},
                          {"TimNm", e.TimNm},
                          {"Time", e.Time},
                          {"PitCount", e.PitCount},
                          {"RainTyre", e.RainTyre},
                          {"Retired", e.Retired}});
    }
    race["result"] = result;
    race["fastestLap"] = outcome.FlDrvNo;
    race["penalties"] = outcome.PenCount;
    return race;
}

Json StandingsToJson(const Season& season) {
    Json drivers = Json::array();
    for (const DriverStanding& d : DriverStandings(season))
        drivers.push_back({{"rank", d.rank}, {"DrvNm", d.DrvNm}, {"TimNm", d.TimNm}, {"Points", d.Points}});
    Json teams = Json::array();
    for (const TeamStanding& t : TeamStandings(season))
        teams.push_back({{"rank", t.rank}, {"TimNm", t.TimNm}, {"Points", t.Points}});
    return {{"drivers", drivers}, {"constructors", teams}};
}

} // namespace karven::sim
