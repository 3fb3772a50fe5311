#pragma once
// What a race writes down as it runs, for the analysis after it: read from the race's own state
// at the moments it changes, never by a draw of its own. The odds' races leave it off.

#include <vector>

#include "season/RaceLaps.h"

namespace karven {

struct RaceState;
struct EntryRecord;

// The car of this entry as the board names it.
LapCar LapCarOf(const EntryRecord& entry);

// From here on the race keeps its lap records; `grid` names its cars in grid order (element 0 unused),
// the start weather is the one just drawn.
void StartRecording(RaceState& race, const std::vector<EntryRecord>& grid);
// The same with the grid's cars already named, pole sitter first.
void StartRecording(RaceState& race, std::vector<LapCar> grid);

// Each called only while the race records (race.laps set).
void RecordLap(RaceState& race);                  // the board at the end of the lap
void RecordStop(RaceState& race, int k, StopKind kind); // the car in k stops
void RecordRetirement(RaceState& race, int k);   // the car in k breaks
void RecordFastestLap(RaceState& race, int k, double lapTime);

} // namespace karven
