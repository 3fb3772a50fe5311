#pragma once
// The machine colours of the analysis charts, read from the machines' colour pictures: the
// commonest colour that shows on white, team-mates alone sharing one on a chart.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "odds/ChartColours.h"

namespace karven {

class Shell;

// The colour a machine is drawn in from its picture's pixels (0xRRGGBB); `fallback` for none.
uint32_t MachineColour(const std::vector<uint32_t>& pixels, uint32_t fallback);
// A colour's shades as the charts take them, in HSV as the desktop's toolkit does: darker and
// lighter by a percentage (150 is half as dark again, or half as light again).
uint32_t Darker(uint32_t rgb, int factor);
uint32_t Lighter(uint32_t rgb, int factor);

class MachinePalette {
public:
    explicit MachinePalette(Shell& shell) : shell_(shell) {}
    uint32_t Of(const std::string& colorNo);
    // Whose looks the colour's lines follow (after Of): its own, or a look-alike's.
    std::string LookKey(const std::string& colorNo) const { return chooser_.LookKey(colorNo); }
    // The look of the next line in this colour, after Of.
    int NextLook(const std::string& colorNo) { return looks_.Next(LookKey(colorNo)); }

private:
    Shell& shell_;
    ShadeChooser chooser_;
    LookCounter looks_;
    std::vector<std::pair<std::string, uint32_t>> given_;
};

} // namespace karven
