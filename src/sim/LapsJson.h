#pragma once
// karven-sim's JSON of a race's lap records: cars by DrvNo as the board's entries hold them,
// Times as the board shows them.

#include "season/RaceLaps.h"
#include "sim/SeasonJson.h"

namespace karven::sim {

// {"grid", "laps", "stops", "retirements"}, added to `out`.
void AddLaps(Json& out, const RaceLaps& race);
// One entry of "raceRecords": {"gp", "GpNm", "grid", "laps", "stops", "retirements"}.
Json RaceRecordToJson(const Season& season, const RaceLaps& race);

} // namespace karven::sim
