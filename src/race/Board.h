#pragma once
// The race board and the moves that change places: every move rewrites the rows it touched.

namespace karven {

struct RaceState;

// Row k shows the car in position k (the "No" column keeps the position).
void WriteRow(RaceState& race, int k);
void WriteRows(RaceState& race, int from, int to);

// The car in k falls back behind every following car with a lower or equal Time; its new position.
int DropBack(RaceState& race, int k);
// The car in k retires behind the running cars; its new position.
int Retire(RaceState& race, int k);
// The cars in k - 1 and k change places.
void Swap(RaceState& race, int k);
// The car in k moves up g places.
void Jump(RaceState& race, int k, int g);

} // namespace karven
