#include "sim/PrincipalJson.h"

namespace karven::sim {

namespace {
const char* VerdictName(Verdict v) {
    switch (v) {
    case Verdict::Exceeded: return "exceeded";
    case Verdict::Met: return "met";
    case Verdict::Missed: break;
    }
    return "missed";
}

Json PointsOf(const Season& season, const PrincipalSeason& judged) {
    for (const ArchivedSeason& s : season.history.seasons) {
        if (s.number != judged.season) continue;
        for (const ArchivedTeam& t : s.constructors)
            if (s.Name(t.team) == judged.TimNm) return t.points;
        return 0; // out of the standings: no points
    }
    return nullptr;
}
} // namespace

Json PrincipalToJson(const Season& season) {
    const PrincipalState& p = season.history.principal;
    Json seasons = Json::array();
    for (const PrincipalSeason& s : p.seasons)
        seasons.push_back({{"season", s.season},
                           {"TimNm", s.TimNm},
                           {"target", s.target},
                           {"place", s.place},
                           {"points", PointsOf(season, s)},
                           {"verdict", VerdictName(s.verdict)},
                           {"driversTitle", s.driversTitle},
                           {"dismissed", s.dismissed}});
    return {{"TimNo", p.TimNo}, {"TimNm", p.TimNm}, {"target", p.target}, {"misses", p.misses}, {"seasons", seasons}};
}

} // namespace karven::sim
