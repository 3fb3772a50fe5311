#include "season/Season.h"

#include <algorithm>

#include "season/Numbers.h"
#include "season/Translate.h"

namespace karven {

GpRecord NewGpRecord(int n) { return {Format00(n), "", "3"}; }

TimRecord NewTimRecord(int n) { return {Format00(n), "New", "0000", "5", "5", "1", "0"}; }

DrvRecord NewDrvRecord(int n) {
    DrvRecord d;
    d.DrvNo = Format00(n);
    d.DrvNm = "New";
    d.Technique = "5";
    d.Roughness = d.Block = d.Stability = "1";
    d.CareerGp = d.CareerWc = d.CareerWins = d.CareerPp = d.CareerFl = d.CareerBest = d.CareerPoints = "0";
    return d;
}

void RestoreNumbers(Season& season) {
    for (size_t d = 1; d < season.DrvTable.size(); ++d) {
        DrvRecord& driver = season.DrvTable[d];
        driver.DrvNo = Format00(int(d));
        if (const TimRecord* team = TeamOf(season, driver))
            driver.TimNo = Format00(int(team - &season.TimTable[0]));
    }
    for (size_t t = 1; t < season.TimTable.size(); ++t) season.TimTable[t].TimNo = Format00(int(t));
}

void FollowTableEdits(Season& season, const std::vector<DrvRecord>& drivers, const std::vector<TimRecord>& teams,
                      const std::vector<int>& driverFrom, const std::vector<int>& teamFrom) {
    WorldState& w = season.history.world;
    if (!w.Empty()) FollowTables(w, drivers, teams, season, driverFrom, teamFrom);
    PrincipalState& p = season.history.principal;
    if (!p.InCharge()) return;
    int was = 0;
    for (size_t t = 1; t < teams.size() && !was; ++t)
        if (teams[t].TimNo == p.TimNo) was = int(t);
    const int field = int(season.TimTable.size()) - 1;
    for (int t = 1; t <= field && was; ++t)
        if (t < int(teamFrom.size()) && teamFrom[size_t(t)] == was) {
            p.TimNo = season.TimTable[size_t(t)].TimNo;
            p.TimNm = season.TimTable[size_t(t)].TimNm;
            p.target = std::min(p.target, field);
            return;
        }
    // His team is gone: he has given it up, as when he leaves it.
    PrincipalState none;
    none.seasons = std::move(p.seasons);
    p = std::move(none);
}

TimRecord* TeamOf(Season& season, const DrvRecord& driver) {
    if (driver.TimNo.empty()) return nullptr;
    int t = ReadCount(driver.TimNo);
    if (t < 1 || t >= int(season.TimTable.size())) return nullptr;
    return &season.TimTable[t];
}

const TimRecord* TeamOf(const Season& season, const DrvRecord& driver) {
    return TeamOf(const_cast<Season&>(season), driver);
}

std::string CourseCaption(const std::string& courseType) {
    if (courseType == "1") return Tr("超高速サーキット");
    if (courseType == "2") return Tr("高速サーキット");
    if (courseType == "4") return Tr("テクニカルサーキット");
    if (courseType == "5") return Tr("超テクニカルサーキット");
    return "";
}

} // namespace karven
