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

template <class Standing> std::vector<Standing> Ranked(const std::vector<Standing>& table) {
    std::vector<double> points;
    for (const Standing& s : table) points.push_back(s.points);
    std::vector<int> order = RankOrder(points);
    std::vector<Standing> sorted;
    for (size_t r = 0; r < order.size(); ++r) {
        sorted.push_back(table[order[r]]);
        sorted.back().rank = int(r) + 1;
    }
    return sorted;
}
} // namespace

// Record j goes to 1 + (records with more points) + (records before j with equal points):
// equal points keep table order.
std::vector<int> RankOrder(const std::vector<double>& points) {
    std::vector<int> order(points.size());
    for (size_t j = 0; j < points.size(); ++j) {
        size_t rank = 0;
        for (size_t i = 0; i < points.size(); ++i)
            if (points[i] > points[j] || (i < j && points[i] == points[j])) ++rank;
        order[rank] = int(j);
    }
    return order;
}

int DriverPoints(const DrvRecord& driver) {
    int total = 0;
    for (int k = 1; k <= ResultSlots; ++k) total += PointsForResult(driver.Result[k]);
    return total;
}

std::vector<DriverStanding> DriverStandings(const Season& season) {
    std::vector<DriverStanding> table;
    int drivers = Bounded(season.DrvCount, season.DrvTable.size());
    for (int d = 1; d <= drivers; ++d) {
        const DrvRecord& driver = season.DrvTable[d];
        int total = DriverPoints(driver);
        if (total < 1) continue;
        DriverStanding s;
        s.DrvNm = driver.DrvNm;
        s.Points = FormatPlain(total);
        s.points = total;
        // The team of today, not necessarily the one the points were scored with.
        if (const TimRecord* team = TeamOf(season, driver)) {
            s.TimNm = team->TimNm;
            s.ColorNo = team->ColorNo;
            s.TimNo = team->TimNo;
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
        const double points = ReadNumber(team.Points);
        if (points > 0) table.push_back({0, team.TimNm, team.Points, team.ColorNo, team.TimNo, points});
    }
    return Ranked(table);
}

} // namespace karven
