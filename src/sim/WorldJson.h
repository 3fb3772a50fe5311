#pragma once
// karven-sim's JSON of the living world: what it did at each closed season, and where it stands.

#include <cstdint>

#include "season/Season.h"
#include "sim/SeasonJson.h"

namespace karven::sim {

// The world's seed for a run of --seed: its own, so it never follows the rules' draws.
uint64_t WorldSeedOf(uint64_t seed);
// A history entry with the world's facts of that season added when it turned then: "retired" and
// "debuts" (names), "ratings" ({"drivers": [{DrvNm, age, Technique, Roughness, Block, Stability}],
// "teams": [{TimNm, Speed, Aero, Stability}]}, as they stood that season), "regulations".
Json WithWorld(Json entry, const WorldState& world, int season);
// {"enabled", "turns", "drivers": [{DrvNm, age, Technique, Roughness, Block, Stability}],
//  "teams": [...], "retired": [{DrvNm, age, season, CareerWc, CareerWins}]}: the ratings now.
Json WorldToJson(const Season& season);

} // namespace karven::sim
