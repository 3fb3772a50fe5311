#pragma once
// The start of a race: weather and confirmation, the board and the grid, the top of every lap.

namespace karven {

struct RaceState;
struct RaceWeekend;

// Draws the start weather and asks; false when the player cancelled (nothing has changed).
bool ConfirmStart(RaceState& race);
// Race view, board, KesyouTable from the qualifying order, start announcement.
void SetUpRace(RaceState& race, const RaceWeekend& weekend);
// Title, weather change and the lap's heading.
void TopOfLap(RaceState& race, int lap);

} // namespace karven
