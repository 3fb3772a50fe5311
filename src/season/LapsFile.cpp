#include "season/LapsFile.h"

#include "season/Season.h"

namespace karven {

using namespace history_lines;

void WriteLaps(Writer& w, const RaceLaps& r) {
    w.Begin('R') << r.gp << r.startWeather << r.fastestCar << r.fastestLap << r.fastestTime;
    w.End();
    w.Begin('G');
    for (const LapCar& c : r.grid) w << c.DrvNo << c.DrvNm << c.TimNm << c.ColorNo;
    w.End();
    for (int L = 1; L <= r.Laps(); ++L) {
        const LapBoard lap = r.Board(L);
        w.Begin('L') << lap.weather;
        for (int car : lap.order) w << car;
        for (int64_t time : lap.time) w << time;
        w.End();
    }
    w.Begin('P');
    for (const RaceStop& s : r.stops) w << s.car << s.lap << int(s.kind) << s.rainTyre;
    w.End();
    w.Begin('X');
    for (const RaceRetirement& x : r.retirements) w << x.car << x.lap << x.place;
    w.End();
}

namespace {
bool InRange(std::string_view text, int low, int high, int& value) {
    return Whole(text, value) && value >= low && value <= high;
}

// A lap: its weather, then the board's order as grid places and a Time for each.
bool ReadLap(const Line& l, int cars, RaceLaps& r) {
    int weather = 0;
    if (l.size() != size_t(2 + 2 * cars) || !InRange(l[1], 1, 3, weather)) return false;
    const LapRow lap = r.AddLap(weather, cars);
    std::vector<char> seen(size_t(cars) + 1);
    for (int i = 0; i < cars; ++i) {
        int& car = lap.order[size_t(i)];
        if (!InRange(l[size_t(2 + i)], 1, cars, car) || seen[size_t(car)]) return false;
        seen[size_t(car)] = 1;
        if (!Signed(l[size_t(2 + cars + i)], lap.time[size_t(i)])) return false;
    }
    return true;
}
} // namespace

bool ReadLaps(const std::vector<Line>& lines, RaceLaps& r) {
    r = {};
    if (lines.size() < 4) return false;
    const Line& head = lines.front();
    const Line& grid = lines[1];
    const Line& stops = lines[lines.size() - 2];
    const Line& retired = lines.back();
    if (head.size() != 6 || head[0] != "R" || grid.empty() || grid[0] != "G" || (grid.size() - 1) % 4 != 0 ||
        stops.empty() || stops[0] != "P" || (stops.size() - 1) % 4 != 0 || retired.empty() || retired[0] != "X" ||
        (retired.size() - 1) % 3 != 0)
        return false;
    for (size_t i = 1; i < grid.size(); i += 4)
        r.grid.push_back({std::string(grid[i]), std::string(grid[i + 1]), std::string(grid[i + 2]), std::string(grid[i + 3])});
    const int cars = r.Cars();
    const int laps = int(lines.size()) - 4;
    if (!InRange(head[1], 1, MaxGpCount, r.gp) || !InRange(head[2], 1, 3, r.startWeather) ||
        !InRange(head[3], 0, cars, r.fastestCar) || !InRange(head[4], 0, laps, r.fastestLap) ||
        !Signed(head[5], r.fastestTime) || (r.fastestCar == 0) != (r.fastestLap == 0))
        return false;
    // Room for the laps only as their lines prove it: a damaged file's count of lines times its
    // grid is no size to reserve.
    r.weather.reserve(size_t(laps));
    for (int i = 0; i < laps; ++i) {
        const Line& l = lines[size_t(2 + i)];
        if (l.empty() || l[0] != "L" || !ReadLap(l, cars, r)) return false;
    }
    for (size_t i = 1; i < stops.size(); i += 4) {
        RaceStop& s = r.stops.emplace_back();
        int kind = 0;
        if (!InRange(stops[i], 1, cars, s.car) || !InRange(stops[i + 1], 1, laps, s.lap) ||
            !InRange(stops[i + 2], 1, 2, kind) || !Flag(stops[i + 3], s.rainTyre))
            return false;
        s.kind = StopKind(kind);
    }
    for (size_t i = 1; i < retired.size(); i += 3) {
        RaceRetirement& x = r.retirements.emplace_back();
        if (!InRange(retired[i], 1, cars, x.car) || !InRange(retired[i + 1], 1, laps, x.lap) ||
            !InRange(retired[i + 2], 1, cars, x.place))
            return false;
    }
    return true;
}

} // namespace karven
