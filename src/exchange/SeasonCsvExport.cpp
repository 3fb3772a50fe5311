#include "exchange/Csv.h"
#include "exchange/SeasonColumns.h"
#include "exchange/SeasonCsv.h"
#include "editors/GpSet.h"
#include "season/Translate.h"

namespace karven {

using namespace exchange;

namespace {
std::string Begin(std::vector<std::string> header) { return std::string(csv::ByteOrderMark) + csv::Line(header); }
} // namespace

std::string TeamsToCsv(const Season& season) {
    std::string out = Begin({"TimNm", "ColorNo", "Speed", "Aero", "Stability"});
    for (int t = 1; t <= HeldTeams(season); ++t) {
        const TimRecord& team = season.TimTable[t];
        std::vector<std::string> values{team.TimNm, team.ColorNo};
        for (const auto& g : TeamGrades) values.push_back(GradeLetter(team.*g.field, g.scale));
        out += csv::Line(values);
    }
    return out;
}

std::string DriversToCsv(const Season& season) {
    std::string out = Begin({"DrvNm", "TimNm", "Technique", "Roughness", "Block", "Stability"});
    for (int d = 1; d <= HeldDrivers(season); ++d) {
        const DrvRecord& driver = season.DrvTable[d];
        std::vector<std::string> values{driver.DrvNm, ShownTeam(season, driver)};
        for (const auto& g : DriverGrades) values.push_back(GradeLetter(driver.*g.field, g.scale));
        out += csv::Line(values);
    }
    return out;
}

std::string CalendarToCsv(const Season& season) {
    std::string out = Begin({"GpNm", "CourseType"});
    for (int g = 1; g <= HeldGps(season); ++g)
        out += csv::Line({season.GpTable[g].GpNm, Tr(CourseTypeText(season.GpTable[g].CourseType).c_str())});
    return out;
}

} // namespace karven
