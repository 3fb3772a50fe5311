#pragma once
// Points Grand Prix by Grand Prix, added up, from the Result slots the season keeps.

#include <string>
#include <vector>

namespace karven {

struct Season;

struct PointsLine {
    std::string name;
    std::string colorNo;     // the machine colour of the driver's team today; "" without a seat
    std::vector<int> points; // [g]: the total after Grand Prix g, g = 0..EndGp ([0] is 0)
};

// The `most` drivers with the most points after the Grands Prix run, best first (the standings'
// own order); drivers without points are left out.
std::vector<PointsLine> DriverPointsLines(const Season& season, int most);
// Every team with points, best first, from the results of its drivers of today.
std::vector<PointsLine> TeamPointsLines(const Season& season);

} // namespace karven
