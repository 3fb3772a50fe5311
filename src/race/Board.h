#pragma once
// The moves that change places. Each tells the observer which positions now show other cars.

namespace karven {

struct RaceState;

// The car in k falls back behind every following car with a lower or equal Time; its new position.
int DropBack(RaceState& race, int k);
// The car in k retires behind the running cars; its new position.
int Retire(RaceState& race, int k);
// The cars in k - 1 and k change places.
void Swap(RaceState& race, int k);
// The car in k moves up g places.
void Jump(RaceState& race, int k, int g);

} // namespace karven
