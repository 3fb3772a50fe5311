#pragma once
// What a chart control shows: lines over numbered steps (Grands Prix, laps), each in its colour
// and look, on two axes. Every front end draws the same chart from it; the control's listIndex is
// the line picked out (-1 none).

#include <cstdint>
#include <string>
#include <vector>

namespace karven {

struct ChartLine {
    std::string name;
    uint32_t colour = 0; // 0xRRGGBB
    int look = 0;        // the n-th look of its colour: kind of line and marker, 0 solid and round
    std::vector<double> values; // at steps 0, 1, 2…
};

struct ChartAxis {
    std::string title;
    double top = 0;  // from 0 to here
    double step = 1; // between grid lines
    int labelEvery = 1; // grid lines between the numbers written
};

struct Chart {
    std::vector<ChartLine> lines;
    ChartAxis x, y;
    // A point's words where the pointer rests on it: {1} the line, {2} the step, {3} the value.
    std::string pointTip;
    // What the legend's entries do, for a screen reader and a tool tip.
    std::string legendTip;

    std::string PointTip(size_t line, size_t step) const;
};

// An axis over 0..most: a step of 1, 2, 2.5 or 5 times a power of ten, six steps at most, and its
// top on a step.
ChartAxis NiceAxis(std::string title, double most);
// The numbers of a step axis: every step where there are 20 at most, else every second.
int StepLabelEvery(int steps);
// As a chart writes a number: whole, or with one decimal where it has one.
std::string ChartNumber(double value);

} // namespace karven
