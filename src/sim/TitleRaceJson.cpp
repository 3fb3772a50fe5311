#include "sim/TitleRaceJson.h"

#include <charconv>

#include "season/Numbers.h"
#include "season/Season.h"
#include "standings/TitleRace.h"

namespace karven::sim {

namespace {
const char* StatusName(TitleStatus status) {
    switch (status) {
    case TitleStatus::Champion: return "champion";
    case TitleStatus::Contender: return "contender";
    default: return "eliminated";
    }
}

Json ChanceToJson(const Season& season, const TitleRace& race, const TitleChance& c) {
    const bool team = race.title == Title::Teams;
    auto no = [&](int unit) { return team ? season.TimTable[unit].TimNo : season.DrvTable[unit].DrvNo; };
    Json j;
    j[team ? "TimNo" : "DrvNo"] = c.No;
    j[team ? "TimNm" : "DrvNm"] = c.Nm;
    j["points"] = c.points;
    j["status"] = StatusName(c.status);
    j["magicNumber"] = c.magicNumber >= 0 ? Json(c.magicNumber) : Json();
    if (c.status == TitleStatus::Contender) {
        Json races = Json::array();
        for (const WitnessRace& w : c.witness) {
            Json order = Json::array();
            for (int d : w.order) order.push_back(season.DrvTable[d].DrvNo);
            races.push_back({{"gp", w.gp}, {"order", order}, {"retiredFrom", w.retiredFrom ? Json(w.retiredFrom) : Json()}});
        }
        j["witness"] = {{"text", c.text}, {"races", races}};
    } else if (c.status == TitleStatus::Eliminated) {
        Json rivals = Json::array();
        for (int u : c.outOfReach) rivals.push_back(no(u));
        j["reason"] = {{"text", c.text}, {"rivals", rivals}, {"shortBy", c.shortBy}};
    } else {
        j["witness"] = {{"text", c.text}, {"races", Json::array()}};
    }
    if (!c.exact) j["exact"] = false;
    return j;
}

Json TitleToJson(const Season& season, Title title, const std::vector<FixedResult>& fixed) {
    TitleRace race = JudgeTitle(season, title, fixed);
    Json entries = Json::array();
    for (const TitleChance& c : race.entries) entries.push_back(ChanceToJson(season, race, c));
    return entries;
}
} // namespace

Json TitleRaceToJson(const Season& season, const std::vector<FixedResult>& fixed) {
    Json fixes = Json::array();
    for (const FixedResult& f : fixed) {
        Json order = Json::array();
        for (int d : f.drivers) order.push_back(season.DrvTable[d].DrvNo);
        fixes.push_back({{"gp", f.gp}, {"order", order}});
    }
    return {{"fixed", fixes},
            {"drivers", TitleToJson(season, Title::Drivers, fixed)},
            {"crowned", TitleToJson(season, Title::Crowned, fixed)},
            {"teams", TitleToJson(season, Title::Teams, fixed)}};
}

bool ReadFix(const std::string& text, FixedResult& fix) {
    fix = {};
    const char* p = text.data();
    const char* end = p + text.size();
    auto number = [&](int& out) {
        auto [next, ec] = std::from_chars(p, end, out);
        if (ec != std::errc() || next == p) return false;
        p = next;
        return true;
    };
    if (!number(fix.gp) || p == end || *p++ != ':') return false;
    for (;;) {
        int d = 0;
        if (!number(d)) return false;
        fix.drivers.push_back(d);
        if (p == end) return true;
        if (*p++ != ',') return false;
    }
}

} // namespace karven::sim
