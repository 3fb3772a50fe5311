#pragma once
// The team principal as a section of the season file's additions:
//
//   P  the team in charge (TimNo, "" for none), its name, this season's target, targets missed in a row
//   J  one per season judged: its number, the team's name, target, place, verdict (0 missed,
//      1 met, 2 exceeded), a driver of the team crowned, dismissed

#include <vector>

#include "season/HistoryLines.h"
#include "season/PrincipalState.h"

namespace karven {

struct Season;

inline constexpr const char* PrincipalMark = "#KARVEN-PRINCIPAL-1#";

void WritePrincipal(history_lines::Writer& w, const PrincipalState& principal);
// False unless the lines are a whole record: one P line first, then J lines, every value in range.
bool ReadPrincipal(const std::vector<history_lines::Line>& lines, PrincipalState& principal);
// Whether the record fits the season whose rules' part was read: the team in charge is one of its
// teams, by its number exactly as stored and by its name; the target is a place of its field, and
// none without a team; every judged season's target and place are places of a field (of at most
// MaxTimCount teams) and its verdict is the one they give, or missed (a team in debt misses).
bool PrincipalFits(const PrincipalState& principal, const Season& season);

} // namespace karven
