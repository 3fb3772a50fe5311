#include "standings/Rankings.h"

#include <algorithm>

#include "season/Numbers.h"
#include "season/Points.h"
#include "season/Season.h"

namespace karven {

namespace {
int Bounded(const std::string& count, size_t tableSize) {
    return std::clamp(ReadCount(count), 0, int(tableSize) - 1);
}

// Record j goes to 1 + (records with more points) + (records before j with equal points):
// equal points keep table order.
template <class Standing> std::vector<Standing> Ranked(const std::vector<Standing>& table) {
    std::vector<double> points;
    for (const Standing& s : table) points.push_back(ReadNumber(s.Points));
    std::vector<Standing> sorted(table.size());
    for (size_t j = 0; j < table.size(); ++j) {
        int rank = 1;
        for (size_t i = 0; i < table.size(); ++i) {
            if (points[i] > points[j] || (i < j && points[i] == points[j])) ++rank;
        }
        sorted[rank - 1] = table[j];
        sorted[rank - 1].rank = rank;
    }
    return sorted;
}
} // namespace

std::vector<DriverStanding> DriverStandings(const Season& season) {
    std::vector<DriverStanding> table;
    int drivers = Bounded(season.DrvCount, season.DrvTable.size());
    for (int d = 1; d <= drivers; ++d) {
        const DrvRecord& driver = season.DrvTable[d];
        int total = 0;
        for (int k = 1; k <= ResultSlots; ++k) total += PointsForResult(driver.Result[k]);
        if (total < 1) continue;
        DriverStanding s;
        s.DrvNm = driver.DrvNm;
        s.Points = FormatPlain(total);
        // The team of today, not necessarily the one the points were scored with.
        if (const TimRecord* team = TeamOf(season, driver)) {
            s.TimNm = team->TimNm;
            s.ColorNo = team->ColorNo;
        }
        table.push_back(std::move(s));
    }
    return Ranked(table);
}

std::vector<TeamStanding> TeamStandings(const Season& season) {
    std::vector<TeamStanding> table;
    int teams = Bounded(season.TimCount, season.TimTable.size());
    for (int t = 1; t <= teams; ++t) {
        const TimRecord& team = season.TimTable[t];
        if (ReadNumber(team.Points) > 0) table.push_back({0, team.TimNm, team.Points, team.ColorNo});
    }
    return Ranked(table);
}

} // namespace karven
