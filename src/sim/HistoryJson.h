#pragma once
// karven-sim's JSON of the history: the seasons closed, oldest first, and the all-time records.

#include <vector>

#include "season/History.h"
#include "sim/SeasonJson.h"

namespace karven::sim {

// {"season", "name", "complete", "champion", "standingsLeader", "constructorsChampion", "gps",
//  "drivers", "constructors", "moves"}; names as they were, null for nobody.
Json ArchivedSeasonToJson(const ArchivedSeason& season);
// {"drivers": [...], "teams": [...]} over the seasons given (the history and the season in progress).
Json RecordsToJson(const std::vector<ArchivedSeason>& seasons);

} // namespace karven::sim
