#pragma once
// The laps of a race nobody watches, in one function: the same draws in the same order and the
// same numbers as the lap loop's steps, without a call per step or per event.

namespace karven {

struct RaceState;

// Runs every lap when the observer does not watch and every rating a roll takes is a plain
// non-negative number; otherwise changes nothing and returns false, for the lap loop's own steps.
bool RunSilentLaps(RaceState& race);

} // namespace karven
