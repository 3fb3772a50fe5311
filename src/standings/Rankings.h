#pragma once
// The championship tables, computed once here for the main window's grid and for karven-sim.

#include <string>
#include <vector>

namespace karven {

struct Season;
struct DrvRecord;

struct DriverStanding {
    int rank = 0;
    std::string DrvNm;
    std::string TimNm;   // current team as stored, "" without a seat
    std::string Points;  // decimal text
    std::string ColorNo; // "" without a seat
    std::string TimNo;   // "" without a seat
    double points = 0;   // what Points reads as, ranked and archived without reading it back
};

struct TeamStanding {
    int rank = 0;
    std::string TimNm;
    std::string Points; // as stored
    std::string ColorNo;
    std::string TimNo;
    double points = 0;  // what Points reads as
};

// The order of these totals, best first, as indexes into them; equal totals keep their order.
std::vector<int> RankOrder(const std::vector<double>& points);
// A driver's points over the season's Result slots.
int DriverPoints(const DrvRecord& driver);

// Drivers with at least one point, best first; ties keep driver order.
std::vector<DriverStanding> DriverStandings(const Season& season);
// Teams with more than 0 points, best first; ties keep team order.
std::vector<TeamStanding> TeamStandings(const Season& season);

} // namespace karven
