#pragma once
// What passed while a principal played on to his next call without watching: his cars' places
// then and now, the cars that retired, the weather's turns. Read from the race's own lap records.

#include <string>

#include "shell/Shell.h"

namespace karven {
struct RaceState;
struct Season;
} // namespace karven

namespace karven::principal {

// Lines ending with CR LF, "" where nothing is known (a race that keeps no records) or nothing
// passed. `team` is the TimTable position of his team.
std::string UnseenSince(const RaceState& race, int team, const Shell::RaceSeen& seen);

// Where the race stands now, as the next summary starts from it.
Shell::RaceSeen SeenNow(const RaceState& race);

} // namespace karven::principal
