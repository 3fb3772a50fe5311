#pragma once
// How the analysis charts tell machines apart, the same in every front end: which colour of its
// picture a machine is drawn in, which shade a colour takes beside the others on one chart, and
// how team-mates sharing a colour differ by line.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace karven {

struct ChartRgb {
    int r = 0, g = 0, b = 0;
};

// Close enough to be taken for one another on a chart.
bool LookAlike(ChartRgb a, ChartRgb b);

// A machine's colour from its picture: `counts` of each pixel value, `pixels` in all, `light` the
// values that do not show on a white chart. The commonest that shows, where it covers a tenth of
// the picture or more (`own`); else the commonest of all, for the front end to draw a shade darker.
// Equal counts go to the lower value.
struct MachinePick {
    uint32_t value = 0;
    bool own = false;
};
MachinePick PickMachineColour(const std::vector<std::pair<uint32_t, int64_t>>& counts, int64_t pixels,
                              const std::function<bool(uint32_t)>& light);

// Only team-mates share a colour on one chart: a machine colour takes the first of its shades that
// looks like none handed out so far, or its own where all of them do.
class ShadeChooser {
public:
    // `shades`: the machine's colour, then the shades to try; the index of the one taken.
    int Choose(const std::vector<ChartRgb>& shades);

private:
    std::vector<ChartRgb> given_;
};

// The n-th line of one colour, 0 first and 2 at most: solid, dashed, dotted.
class LookCounter {
public:
    int Next(const std::string& colorNo);

private:
    std::vector<std::pair<std::string, int>> used_;
};

} // namespace karven
