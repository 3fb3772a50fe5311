#pragma once
// The living world as a section of the season file's additions:
//
//   W  enabled, seed, turns, field size, turn of the last change of regulations, the field's level
//      (four driver qualities and their spreads, three machine qualities)
//   F  seven lines: the field's whole ratings best first, for each driver rating, then each machine's
//   D  one per driver of the table: name, age, four potentials, four fractional ratings, four whole
//   T  one per team: name, three fractional ratings, three whole
//   X  one per retired driver: name, age, last season, four ratings, seven career values
//   S  one per season the world closed: its number, new regulations; then its lines
//   O  the drivers who retired, I the drivers who made their debut,
//   R  six values per driver (name, age, four ratings), M four per team (name, three ratings)

#include <vector>

#include "season/HistoryLines.h"
#include "season/WorldState.h"

namespace karven {

inline constexpr const char* WorldMark = "#KARVEN-WORLD-1#";

void WriteWorld(history_lines::Writer& w, const WorldState& world);
// False unless the lines are a whole world: every value in its scale, every season's lines whole.
bool ReadWorld(const std::vector<history_lines::Line>& lines, WorldState& world);

} // namespace karven
