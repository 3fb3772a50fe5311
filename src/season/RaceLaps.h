#pragma once
// How a race of the season in progress unfolded, lap by lap: the grid, the board at the end of
// every lap, the stops, the retirements and the fastest lap. Cars are named by their place on the
// grid (1 for the pole), Times kept as whole hundredths of a second, as the board's "0.00" shows them.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "season/Numbers.h"
#include "season/SharedText.h"

namespace karven {

// A car of the grid, named as the race board names it.
struct LapCar {
    std::string DrvNo;
    SharedText DrvNm;
    SharedText TimNm; // the team alone, without its engine
    std::string ColorNo;

    bool operator==(const LapCar&) const = default;
};

// The whole board at the end of a lap.
struct LapBoard {
    int weather = 1;                  // 1 fine, 2 cloudy, 3 rain
    std::span<const int> order;       // grid places, first to last
    std::span<const int64_t> time;    // the Time of each car of `order`, in hundredths
};

// Room for a new lap's board, to be filled.
struct LapRow {
    std::span<int> order;
    std::span<int64_t> time;
};

enum class StopKind { Pit = 1, Penalty = 2 };

struct RaceStop {
    int car = 0; // grid place
    int lap = 0;
    StopKind kind = StopKind::Pit;
    bool rainTyre = false; // the tyres it left on (a penalty fits none)

    bool operator==(const RaceStop&) const = default;
};

struct RaceRetirement {
    int car = 0;   // grid place
    int lap = 0;
    int place = 0; // where it stood when it broke

    bool operator==(const RaceRetirement&) const = default;
};

struct RaceLaps {
    int gp = 0;            // its place in the calendar
    int startWeather = 1;  // as announced at the start
    std::vector<LapCar> grid;  // [0] is the pole sitter
    // The boards of all laps one after another, every lap as wide: a season keeps hundreds of
    // laps, and a vector or two each would cost as many allocations to make and to free.
    std::vector<int> weather;  // [0] is lap 1
    std::vector<int> order;
    std::vector<int64_t> time;
    std::vector<RaceStop> stops;             // in the order they were made
    std::vector<RaceRetirement> retirements; // in the order they happened
    int fastestCar = 0;        // grid place, 0 when nobody set a lap time
    int fastestLap = 0;
    int64_t fastestTime = 0;   // hundredths

    int Cars() const { return int(grid.size()); }
    int Laps() const { return int(weather.size()); }
    // Cars on each lap's board: the grid's, unless the laps were recorded otherwise.
    int BoardWidth() const { return weather.empty() ? 0 : int(order.size() / weather.size()); }
    // The board at the end of lap `lap`, 1 .. Laps().
    LapBoard Board(int lap) const {
        const size_t width = size_t(BoardWidth()), at = size_t(lap - 1) * width;
        return {weather[size_t(lap - 1)], std::span(order).subspan(at, width), std::span(time).subspan(at, width)};
    }
    // A new lap at the end, its board `cars` wide (as wide as the laps before it).
    LapRow AddLap(int lapWeather, int cars);
    bool operator==(const RaceLaps&) const = default;
};

// A Time as the board's "0.00" shows it, in hundredths; times beyond any race saturate.
int64_t HundredthsExactly(double seconds);
// The same, with the usual case inline: the race records every car's Time on every lap.
inline int64_t Hundredths(double seconds) {
    // The nearest whole number of hundredths by the 2^52 sum; the halves (where llround rounds
    // away from zero, the sum to even), undefined and huge values left to the exact path.
    const double scaled = Round0_00(seconds) * 100;
    const double magnitude = std::fabs(scaled);
    const double nearest = (magnitude + 0x1p52) - 0x1p52;
    if (magnitude < 0x1p51 && std::fabs(magnitude - nearest) != 0.5) return scaled < 0 ? -int64_t(nearest) : int64_t(nearest);
    return HundredthsExactly(seconds);
}
// "12.34", "-0.05", "999.99": the text of a Time in hundredths, as the board shows it.
std::string TimeText(int64_t hundredths);

} // namespace karven
