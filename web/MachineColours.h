#pragma once
// The machine colours of the analysis charts, read from the colour pictures as the desktop reads
// them: the commonest colour that shows on white, team-mates alone sharing one on a chart.

#include <string>
#include <utility>
#include <vector>

#include "odds/ChartColours.h"

namespace karven {
class Shell;
}

namespace karven::web {

struct Rgb {
    int r = 0, g = 0, b = 0;
    std::string Css() const;
};

// The colour of the bitmap at `path`; `fallback` where there is none to read.
Rgb MachineColour(const std::string& path, Rgb fallback);

class ChartPalette {
public:
    explicit ChartPalette(Shell& shell) : shell_(shell) {}
    Rgb Of(const std::string& colorNo);
    // Whose looks the colour's lines follow (after Of): its own, or a look-alike's.
    std::string LookKey(const std::string& colorNo) const { return chooser_.LookKey(colorNo); }

private:
    Shell& shell_;
    ShadeChooser chooser_;
    std::vector<std::pair<std::string, Rgb>> given_;
};

} // namespace karven::web
