#pragma once
// What the management's parts share about the field: money in units, the teams' places on paper
// and in the standings, and the world's records of the machines.

#include <algorithm>
#include <cmath>
#include <vector>

#include "season/ManagementState.h"
#include "season/Numbers.h"
#include "season/Season.h"

namespace karven::management {

inline Money ToMoney(double units) { return Money(std::llround(units * double(MoneyUnit))); }
inline double Units(Money money) { return double(money) / double(MoneyUnit); }

inline int Teams(const Season& season) { return int(season.TimTable.size()) - 1; }
inline int GpCount(const Season& season) { return std::max(1, ReadCount(season.Sis.GpCount)); }

// From the first of `teams` places (0) to the last (1).
inline double Behind(int place, int teams) { return teams > 1 ? double(std::clamp(place, 1, teams) - 1) / (teams - 1) : 0.5; }
// Between `first` and `last` by a place.
inline double ByPlace(double first, double last, int place, int teams) { return first + (last - first) * Behind(place, teams); }

// A team's place on paper, 1 for the strongest: its machine counted twice, then its two best
// drivers, every rating's step alike; a tie goes to the team higher in the table.
int PaperPlace(const Season& season, int team);
// Each team's place in the constructors' standings as they stand, [0] unused: those without a
// point after those with, in table order.
std::vector<int> StandingPlaces(const Season& season);

// The seated drivers of a team, as positions of the driver table.
std::vector<int> DriversOf(const Season& season, int team);

} // namespace karven::management
