#pragma once
// karven-sim's JSON: every value is the stored text, field names as in the season.

#include <nlohmann/json.hpp>

namespace karven {
struct Season;
struct RaceWeekend;
struct RaceOutcome;
} // namespace karven

namespace karven::sim {

using Json = nlohmann::ordered_json;

// {"settings", "gps", "teams", "drivers"}
Json SeasonToJson(const Season& season);
// One Grand Prix: qualifying order, final order, fastest lap and penalties.
Json RaceToJson(const Season& season, const RaceWeekend& weekend, const RaceOutcome& outcome);
// {"drivers": [...], "constructors": [...]}
Json StandingsToJson(const Season& season);

} // namespace karven::sim
