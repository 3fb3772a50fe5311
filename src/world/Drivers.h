#pragma once
// A driver's life in the world: what his age lets him show of his potential, a season's
// development, and the first look at a driver the world had not met.

#include "season/Season.h"
#include "season/WorldState.h"
#include "world/Draws.h"

namespace karven::world {

// The share of his potential a driver shows at an age: growing to 1 at 27, held until 30,
// falling after.
double AgeCurve(int age);

// One season on: a year older, each rating closer to what his age allows. `form` is how well he
// did, 0 (nothing) .. 1 (the best of the field); `shift` moves every driver's skill alike, to hold
// the field's level where it began.
void Develop(WorldDriver& driver, double form, const std::array<double, rating::Drivers>& shift, Draws& draws);

// A driver of the table the world meets for the first time: his ratings as they stand, an age
// drawn (19 to 38, most in their twenties), and the potential those ratings show at that age.
WorldDriver FirstLook(const DrvRecord& record, Draws& draws);

} // namespace karven::world
