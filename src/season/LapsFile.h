#pragma once
// One race's lap records as a section of the history: a head, the grid, a line per lap, the stops
// and the retirements. Cars are written as their grid places, Times as whole hundredths.

#include <vector>

#include "season/HistoryLines.h"
#include "season/RaceLaps.h"

namespace karven {

inline constexpr const char* LapsMark = "#KARVEN-LAPS-1#";

void WriteLaps(history_lines::Writer& w, const RaceLaps& laps);
// False when the lines are not a whole and consistent record: every lap's order a permutation of
// the grid, every car, lap and weather in range.
bool ReadLaps(const std::vector<history_lines::Line>& lines, RaceLaps& laps);

} // namespace karven
