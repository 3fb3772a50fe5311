#include "sim/HistoryJson.h"

#include <cmath>

#include "history/Records.h"

namespace karven::sim {

namespace {
// Points as JSON numbers: whole ones without a fraction.
Json Number(double value) {
    if (value == std::trunc(value) && std::fabs(value) < 9e15) return Json(static_cast<long long>(value));
    return Json(value);
}

Json NameOrNull(const std::string& name) { return name.empty() ? Json(nullptr) : Json(name); }
Json NameOrNull(const std::optional<std::string>& name) { return name ? NameOrNull(*name) : Json(nullptr); }
} // namespace

Json ArchivedSeasonToJson(const ArchivedSeason& s) {
    Json gps = Json::array();
    for (const ArchivedGp& gp : s.gps) {
        Json result = Json::array();
        for (const ArchivedCar& c : gp.result)
            result.push_back({{"place", c.place}, {"DrvNm", s.Name(c.driver)}, {"TimNm", s.Name(c.team)},
                              {"points", Number(c.points)}, {"retired", c.retired}});
        gps.push_back({{"GpNm", gp.GpNm}, {"CourseType", gp.CourseType}, {"run", gp.run},
                       {"pole", NameOrNull(s.Name(gp.pole))}, {"fastestLap", NameOrNull(s.Name(gp.fastestLap))},
                       {"result", result}});
    }
    Json drivers = Json::array(), constructors = Json::array(), moves = Json::array();
    for (const ArchivedDriver& d : s.drivers)
        drivers.push_back({{"place", d.place}, {"DrvNm", s.Name(d.driver)}, {"TimNm", s.Name(d.team)},
                           {"points", Number(d.points)}, {"wins", d.wins}});
    for (const ArchivedTeam& t : s.constructors)
        constructors.push_back({{"place", t.place}, {"TimNm", s.Name(t.team)}, {"points", Number(t.points)}});
    for (const SeatMove& m : s.moves)
        moves.push_back({{"DrvNm", s.Name(m.driver)}, {"from", NameOrNull(s.Name(m.from))}, {"to", NameOrNull(s.Name(m.to))}});
    return {{"season", s.number},
            {"name", s.name},
            {"complete", s.complete},
            {"champion", NameOrNull(s.Champion())},
            {"standingsLeader", NameOrNull(s.StandingsLeader())},
            {"constructorsChampion", NameOrNull(s.ConstructorsChampion())},
            {"gps", gps},
            {"drivers", drivers},
            {"constructors", constructors},
            {"moves", moves}};
}

Json RecordsToJson(const std::vector<ArchivedSeason>& seasons) {
    AllTime all = AllTimeRecords(seasons);
    Json drivers = Json::array(), teams = Json::array();
    for (const DriverTotals& d : all.drivers)
        drivers.push_back({{"DrvNm", d.DrvNm}, {"titles", d.titles}, {"wins", d.wins}, {"poles", d.poles},
                           {"fastestLaps", d.fastestLaps}, {"podiums", d.podiums}, {"starts", d.starts},
                           {"points", Number(d.points)}});
    for (const TeamTotals& t : all.teams) teams.push_back({{"TimNm", t.TimNm}, {"titles", t.titles}, {"wins", t.wins}});
    return {{"drivers", drivers}, {"teams", teams}};
}

} // namespace karven::sim
