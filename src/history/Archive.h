#pragma once
// Closing a season into the history: what it leaves behind when the market confirms the next one
// or a new season abandons it.

#include <string>

#include "season/History.h"

namespace karven {

struct Season;

// The season as it stands: its calendar with the results of the Grands Prix run (from the race
// records where they exist, else from the drivers' Result slots and current teams) and both
// standings tables as the game ranks them. Not crowned, no moves, number 0.
ArchivedSeason SeasonSoFar(const Season& season);
// Adds the closed season to the history under the next number. The race records of the season,
// now in it, are dropped.
void ArchiveSeason(Season& season, ArchivedSeason closed);
// 新シーズン: a season with at least one race run is kept as abandoned; erasing the careers erases
// the history with them.
void CloseForNewSeason(Season& season, bool eraseCareers);
// The whole history's name for a season: "第N期" or the player's name for it.
std::string SeasonTitle(const ArchivedSeason& season);

} // namespace karven
