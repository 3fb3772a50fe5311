#pragma once
// karven-sim's JSON of the team principal: the team in charge and his record season by season.

#include "season/Season.h"
#include "sim/SeasonJson.h"

namespace karven::sim {

// {"TimNo", "TimNm", "target", "misses", "seasons": [{season, TimNm, target, place, points,
//  verdict ("missed"|"met"|"exceeded"), driversTitle, dismissed}]}; points from the history.
Json PrincipalToJson(const Season& season);

} // namespace karven::sim
