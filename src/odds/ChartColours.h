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
// Apart for every eye: not alike, and CIEDE2000 10 or more apart as normal, protan, deutan and
// tritan eyes see them.
bool ApartForEveryEye(ChartRgb a, ChartRgb b);

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
// every eye tells from those handed out so far; where none is, the first that at least looks like
// none (or its own where all do), and its lines are told apart from the look-alike's by their look
// (dashes and markers) as well.
class ShadeChooser {
public:
    // `shades`: the machine's colour, then the shades to try; the index of the one taken. `key`
    // names the machine (its colour number).
    int Choose(const std::vector<ChartRgb>& shades, const std::string& key = "");
    // Whose lines the machine's lines take their looks after: the first machine its colour looks
    // like where no shade of it was free, else its own key.
    std::string LookKey(const std::string& key) const;

private:
    struct Given {
        ChartRgb rgb;
        std::string key, lookKey;
    };
    std::vector<Given> given_;
};

// The n-th line of one look key (a colour, and the colours that look like it), 0 first and 14 at
// most: five kinds of line (solid, dashed, dotted, dash-dotted, dash-dot-dotted) with three kinds
// of marker (round, square, diamond), no two of the fifteen alike.
class LookCounter {
public:
    static constexpr int LastLook = 14;
    int Next(const std::string& colorNo);

private:
    std::vector<std::pair<std::string, int>> used_;
};

} // namespace karven
