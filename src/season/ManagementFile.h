#pragma once
// Running a team as a section of the season file's additions (money in tenths of the unit):
//
//   M  on, races booked this season, tyre order, rain order
//   T  a team: name, cash, spending per race on each programme, progress since the regulations,
//      progress this season, steps this season, sponsored, standing, races with a point, account;
//      then its sponsor's deal: goal, target, rival, money, bonus
//   O  a sponsor's offer to the team above          Q  progress still to show, of the team above
//   R  the account of one race of the team above    C  a contract: driver, team, salary, seasons left
//   H  a closed season of a team: number, team, in charge, cash at start and end, account,
//      progress, sponsored, target met, bankrupt
// An account is its income by kind, then its spending by kind.

#include <vector>

#include "season/HistoryLines.h"
#include "season/ManagementState.h"

namespace karven {

struct Season;

inline constexpr const char* ManagementMark = "#KARVEN-MANAGEMENT-1#";

void WriteManagement(history_lines::Writer& w, const ManagementState& management);
// False unless the lines are a whole record: one M line first, every value in range.
bool ReadManagement(const std::vector<history_lines::Line>& lines, ManagementState& management);
// Whether the record fits the season read: a record per team of the table, by name in its
// order, and no more races booked than the season has run.
bool ManagementFits(const ManagementState& management, const Season& season);

} // namespace karven
