#include "sim/WorldJson.h"

#include "season/Numbers.h"

namespace karven::sim {

namespace {
Json DriverRatings(const std::string& name, int age, const std::array<int, rating::Drivers>& r) {
    return {{"DrvNm", name}, {"age", age}, {"Technique", r[rating::Technique]}, {"Roughness", r[rating::Roughness]},
            {"Block", r[rating::Block]}, {"Stability", r[rating::DriverStability]}};
}

Json TeamRatings(const std::string& name, const std::array<int, rating::Teams>& r) {
    return {{"TimNm", name}, {"Speed", r[rating::Speed]}, {"Aero", r[rating::Aero]}, {"Stability", r[rating::TeamStability]}};
}
} // namespace

uint64_t WorldSeedOf(uint64_t seed) { return seed ^ 0x5EA5011F0F7E4A11ull; }

Json WithWorld(Json entry, const WorldState& world, int season) {
    const WorldSeason* facts = world.SeasonOf(season);
    if (!facts) return entry;
    entry["retired"] = facts->retired;
    entry["debuts"] = facts->debuts;
    Json drivers = Json::array(), teams = Json::array();
    for (const RatedDriver& d : facts->drivers) drivers.push_back(DriverRatings(d.DrvNm, d.age, d.ratings));
    for (const RatedTeam& t : facts->teams) teams.push_back(TeamRatings(t.TimNm, t.ratings));
    entry["ratings"] = {{"drivers", drivers}, {"teams", teams}};
    entry["regulations"] = facts->regulations;
    return entry;
}

Json WorldToJson(const Season& season) {
    const WorldState& w = season.history.world;
    Json drivers = Json::array(), teams = Json::array(), retired = Json::array();
    const std::vector<size_t> known = WorldDriverIndex(w, season);
    for (size_t k = 1; k < season.DrvTable.size(); ++k) {
        const DrvRecord& d = season.DrvTable[k];
        int age = known[k] ? w.drivers[known[k]].age : 0;
        drivers.push_back(DriverRatings(d.DrvNm, age,
                                        {ReadCount(d.Technique), ReadCount(d.Roughness), ReadCount(d.Block), ReadCount(d.Stability)}));
    }
    for (size_t t = 1; t < season.TimTable.size(); ++t) {
        const TimRecord& team = season.TimTable[t];
        teams.push_back(TeamRatings(team.TimNm, {ReadCount(team.Speed), ReadCount(team.Aero), ReadCount(team.Stability)}));
    }
    for (const RetiredDriver& x : w.retired)
        retired.push_back({{"DrvNm", x.DrvNm}, {"age", x.age}, {"season", x.season}, {"CareerWc", ReadCount(x.career[1])},
                           {"CareerWins", ReadCount(x.career[2])}});
    return {{"enabled", w.enabled}, {"turns", w.turns}, {"drivers", drivers}, {"teams", teams}, {"retired", retired}};
}

} // namespace karven::sim
