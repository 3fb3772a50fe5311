#pragma once
// The lines of the two sections that hold closed seasons and this season's classifications:
// written with the season file's value rules, and read back from the values of their lines.

#include <vector>

#include "season/History.h"
#include "season/HistoryLines.h"

namespace karven {

// The lines of one closed season: S, N, a G per Grand Prix, E, D, C and V.
void WriteSeason(history_lines::Writer& w, const ArchivedSeason& s);
size_t SeasonLineCount(const ArchivedSeason& s);
// False unless the lines are exactly one season, every name number naming one of its names.
bool ReadSeason(const std::vector<history_lines::Line>& lines, ArchivedSeason& s);

// One race's classification: a single R line.
void WriteRace(history_lines::Writer& w, const RaceRecord& r);
bool ReadRace(const history_lines::Line& line, RaceRecord& r);

} // namespace karven
