#include "odds/PointsHistory.h"

#include <algorithm>

#include "season/Numbers.h"
#include "season/Points.h"
#include "season/Season.h"
#include "standings/Rankings.h"

namespace karven {

namespace {
int Bounded(const std::string& count, size_t tableSize, int most) {
    return std::clamp(ReadCount(count), 0, std::min(int(tableSize) - 1, most));
}

// The lines with a final total above 0, best first.
std::vector<PointsLine> Ranked(std::vector<PointsLine> lines, int most) {
    std::vector<double> totals;
    for (const PointsLine& l : lines) totals.push_back(l.points.back());
    std::vector<PointsLine> ranked;
    for (int i : RankOrder(totals)) {
        if (totals[i] <= 0 || int(ranked.size()) >= most) break;
        ranked.push_back(std::move(lines[i]));
    }
    return ranked;
}

void AddResults(PointsLine& line, const DrvRecord& driver, int gps) {
    for (int g = 1; g <= gps; ++g) line.points[g] += PointsForResult(driver.Result[g]);
}

void Accumulate(PointsLine& line) {
    for (size_t g = 1; g < line.points.size(); ++g) line.points[g] += line.points[g - 1];
}
} // namespace

std::vector<PointsLine> DriverPointsLines(const Season& season, int most) {
    int gps = Bounded(season.Sis.EndGp, ResultSlots + 1, ResultSlots);
    std::vector<PointsLine> lines;
    for (int d = 1; d <= Bounded(season.DrvCount, season.DrvTable.size(), MaxDrvCount); ++d) {
        const DrvRecord& driver = season.DrvTable[d];
        PointsLine& line = lines.emplace_back();
        line.name = driver.DrvNm;
        if (const TimRecord* team = TeamOf(season, driver)) line.colorNo = team->ColorNo;
        line.points.assign(gps + 1, 0);
        AddResults(line, driver, gps);
        Accumulate(line);
    }
    return Ranked(std::move(lines), most);
}

std::vector<PointsLine> TeamPointsLines(const Season& season) {
    int gps = Bounded(season.Sis.EndGp, ResultSlots + 1, ResultSlots);
    int teams = Bounded(season.TimCount, season.TimTable.size(), MaxTimCount);
    std::vector<PointsLine> lines(teams);
    for (int t = 1; t <= teams; ++t) {
        lines[t - 1].name = season.TimTable[t].TimNm;
        lines[t - 1].colorNo = season.TimTable[t].ColorNo;
        lines[t - 1].points.assign(gps + 1, 0);
    }
    for (int d = 1; d <= Bounded(season.DrvCount, season.DrvTable.size(), MaxDrvCount); ++d) {
        const DrvRecord& driver = season.DrvTable[d];
        const TimRecord* team = TeamOf(season, driver);
        int t = team ? int(team - season.TimTable.data()) : 0;
        if (t >= 1 && t <= teams) AddResults(lines[t - 1], driver, gps);
    }
    for (PointsLine& line : lines) Accumulate(line);
    return Ranked(std::move(lines), MaxTimCount);
}

} // namespace karven
