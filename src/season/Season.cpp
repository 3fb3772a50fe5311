#include "season/Season.h"

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
