#pragma once
// The calls a race leaves to a car's own roll, handed instead to whoever runs its team. Every roll
// is drawn first, as the rules draw it, and its answer offered: the other cars' draws never move.

namespace karven {

struct RaceState;

class RaceCalls {
public:
    virtual ~RaceCalls() = default;
    // The car in position k is run by this caller.
    virtual bool Runs(const RaceState& race, int k) const = 0;
    // Whether the car comes in this lap; `rules` what its roll said.
    virtual bool PitIn(RaceState& race, int k, bool rules) = 0;
    // Whether it takes rain tyres at this stop, in the lap the weather turned; `rules` as above.
    virtual bool RainTyres(RaceState& race, int k, bool rules) = 0;
};

} // namespace karven
