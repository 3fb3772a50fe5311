#pragma once

#include <ostream>

namespace karven {
struct Season;
}

namespace karven::sim {

// A short text picture of the season: settings, calendar, teams, and the standings once races have run.
void PrintSummary(std::ostream& out, const Season& season);

} // namespace karven::sim
