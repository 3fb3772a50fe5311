#pragma once
// karven-sim's off-season: the market played as a player who answers every question with OK.

#include <ostream>

#include "sim/SeasonJson.h"

namespace karven {
class Game;
}

namespace karven::sim {

class AutoPlatform;

// Opens the market through the main window's button, presses START, then confirms. Returns
// {"champion", "teams", "unseated", "announcements"} of the line-up it settled, or null when
// the season was not over.
Json RunMarket(Game& game, AutoPlatform& platform);

// The same in words: the champion and each team's drivers for next season.
void PrintMarket(std::ostream& out, const Json& market);

} // namespace karven::sim
