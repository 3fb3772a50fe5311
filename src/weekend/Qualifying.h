#pragma once
// Qualifying: every driver with a seat sets a time; the order of the times is the grid.

#include <vector>

#include "weekend/EntryTables.h"

namespace karven {

class Shell;
class Random;
struct Season;
struct DrvRecord;
struct TimRecord;

// cmdYosen: qualifying of Grand Prix EndGp + 1. False when the player cancelled (nothing changed).
bool RunQualifying(Shell& shell, RaceWeekend& weekend);

// The numbers alone, for the same Grand Prix, with the same draws in the same order:
// the drivers of existing teams in driver order, element 0 unused.
std::vector<Entrant> QualifyingEntrants(const Season& season, int gp);
// Each entrant's better attempt, four draws apiece.
void QualifyingTimes(std::vector<Entrant>& entrants, Random& random);
// The best and the worst time an entrant can set, as its two-decimal text reads back: every draw
// of the four is 0 or the largest draw there is, whichever gives the extreme.
struct TimeRange {
    double fastest = 0, slowest = 0;
};
TimeRange QualifyingRange(const Entrant& e);
// Entrant indexes fastest first, element 0 unused; equal times keep driver order.
std::vector<int> QualifyingOrder(const std::vector<Entrant>& entrants);
// The entry of a driver of this team, as qualifying lists it.
EntryRecord EntryOf(const DrvRecord& driver, const TimRecord& team);
void AssignEntry(EntryRecord& entry, const DrvRecord& driver, const TimRecord& team);
// The pole sitter's pole position in his career.
void CreditPole(Season& season, const Entrant& pole);

} // namespace karven
