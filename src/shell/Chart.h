#pragma once
// What a chart control shows: lines over numbered steps (Grands Prix, laps), each in its colour
// and look, on two axes, with marks on them where something happened. Every front end draws the
// same chart from it; the control's listIndex is the line picked out (-1 none) and, where the
// legend has check boxes, its `checks` the lines drawn.

#include <cstdint>
#include <string>
#include <vector>

namespace karven {

struct ChartLine {
    std::string name;    // its legend entry
    std::string who;     // whose line, in a tip where it says more than the name; "" the name
    std::string summary; // the words under the chart while the line is picked out; "" who
    uint32_t colour = 0; // 0xRRGGBB
    int look = 0;        // the n-th look of its colour: kind of line and marker, 0 solid and round
    int first = 0;       // the step of values[0]: a line may start later and end early
    std::vector<double> values;

    const std::string& Who() const { return who.empty() ? name : who; }
    // The value at a step, the nearest one drawn where the line does not reach it.
    double At(int step) const;
};

struct ChartAxis {
    std::string title;
    double from = 0, top = 0;
    double step = 1;       // the grid lines are on the multiples of step between from and top
    int labelEvery = 1;    // grid lines between the numbers written (counted from 0)
    bool fitLabels = false; // the front end writes every 1st, 2nd, 5th, 10th… number as the height allows, always the first
    bool reversed = false;  // the axis runs from the top down: first place at the top
    int decimals = -1;      // how a value is written in the words: -1 whole or with one decimal
    std::string unit;       // written after each number ("%")
};

// Something that happened to a line at a step: a stop, a penalty, a retirement.
struct ChartMark {
    int line = 0;
    int step = 0;
    double value = 0;
    int kind = 0; // the index of its name in Chart::markNames: 0 ○, 1 ▲, 2 ✕
};

struct Chart {
    // Lines, or where `barSets` names sets of bars, a row of bars for each line, the first on top:
    // its values one bar of each set, paler set by set, measured on the x axis, each with its number.
    std::vector<ChartLine> lines;
    std::vector<std::string> barSets; // the sets' names, shown in a key under the chart where more than one
    ChartAxis x, y;
    // A point's words where the pointer rests on it (Japanese, translated at use): {1} whose line,
    // {2} the step, {3} the value. Or, where `stepWords` is set, whose line over a line of those.
    std::string pointTip;
    // The step and its value in words (Japanese, translated at use): {1} the step, {2} the value.
    std::string stepWords;
    std::string legendTip; // what the legend's entries do, for a screen reader and a tool tip
    // The legend as a list of its own beside the plot that the keyboard moves in (its entry the line
    // picked out), rather than drawn in the chart.
    bool legendList = false;
    bool markers = true; // a marker on every point of a line (where the steps are few)
    // The words under the chart while no line is picked out; "" no words under the chart. Bars have
    // no words under them: theirs (BarsInWords) are what a screen reader says of the chart.
    std::string info;
    std::vector<ChartMark> marks;
    std::vector<std::string> markNames; // their names, shown in a key under the chart
    std::string markTip; // a mark's words (Japanese, translated at use): {1} whose, {2} the step, {3} its name

    std::string PointTip(size_t line, int step) const;
    // The words under the chart: the line's summary (and its value at `step`, -1 none), or `info`
    // while no line is picked out (line -1).
    std::string Words(int line, int step) const;
    std::string MarkTip(const ChartMark& mark) const;
    std::string Value(double value) const; // as the words write a value of the y axis
    bool Bars() const { return !barSets.empty(); }
    // A bar's tip: whose row, its set and its number.
    std::string BarTip(size_t line, size_t set) const;
    // Every row of bars in words, one row a line ("A：タイトル 53.8%、王座 73.6%"), for a screen reader.
    std::string BarsInWords() const;
};

// An axis over 0..most: a step of 1, 2, 2.5 or 5 times a power of ten, six steps at most, and its
// top on a step.
ChartAxis NiceAxis(std::string title, double most);
// The numbers of a step axis: every step where there are 20 at most, else every second.
int StepLabelEvery(int steps);
// As a chart writes a number: whole, or with one decimal where it has one.
std::string ChartNumber(double value);
// Which numbers of a fitted axis are written: every one where `room` (pixels per step) holds
// `needed`, else every 2nd, 5th, 10th…
int FittedLabelEvery(double room, double needed);

} // namespace karven
