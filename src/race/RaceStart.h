#pragma once
// The start of a race: weather and confirmation, the grid, the top of every lap.

#include <vector>

namespace karven {

struct RaceState;
struct RaceCar;
struct Entrant;

// The car an entrant races, as the rules read it from his entry; `id` is his place on the grid.
RaceCar CarOf(const Entrant& e, int id);

// Draws the start weather and asks; false when the player cancelled (nothing has changed).
bool ConfirmStart(RaceState& race);
// The race view opens and the grid takes its places, on the tyres for the start weather.
void StartRace(RaceState& race, std::vector<RaceCar> grid);
// The weather change and the lap's heading.
void TopOfLap(RaceState& race, int lap);

} // namespace karven
