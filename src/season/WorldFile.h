#pragma once
// The living world as a section of the season file's additions:
//
//   W  enabled, seed, turns, field size, turn of the last change of regulations, the field's level
//      (four driver qualities and their spreads, three machine qualities)
//   F  seven lines: the field's whole ratings best first, for each driver rating, then each machine's
//   D  one per driver the world has met: name, age, four potentials, four fractional ratings, four
//      whole; a driver is the table's driver of that name (the n-th of a name the n-th line of it)
//   T  one per team, the same way: name, three fractional ratings, three whole
//   X  one per retired driver: name, age, last season, four ratings, seven career values
//   S  one per season the world closed: its number, new regulations; then its lines
//   O  the drivers who retired, I the drivers who made their debut,
//   R  six values per driver (name, age, four ratings), M four per team (name, three ratings)

#include <vector>

#include "season/History.h"
#include "season/HistoryLines.h"
#include "season/WorldState.h"

namespace karven {

inline constexpr const char* WorldMark = "#KARVEN-WORLD-1#";

void WriteWorld(history_lines::Writer& w, const WorldState& world);
// False unless the lines are a whole world: every value in its scale, every season's lines whole.
bool ReadWorld(const std::vector<history_lines::Line>& lines, WorldState& world);
// Whether the world's turns agree with the closed seasons: each season it turned at is one of
// them, in their order, and it turned at least once for each (a world turned on late has turned
// less often than the history has seasons, and one whose seasons were erased with the careers
// more often).
bool WorldFitsHistory(const WorldState& world, const std::vector<ArchivedSeason>& seasons);

} // namespace karven
