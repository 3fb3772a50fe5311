#pragma once
// A Grand Prix weekend nobody watches: qualifying and race on their numbers alone, with the same
// draws in the same order as in the game's windows, booked into the season the same way.

#include <functional>
#include <vector>

namespace karven {

class Random;
struct Season;
struct EventSwitches;
struct Entrant;
struct RaceState;

// Whether the race keeps its lap records in the season, as the game's races do. The odds, which
// play thousands of seasons nobody will look at, leave them out.
enum class LapRecords { Keep, Skip };

// Qualifying and race of Grand Prix EndGp + 1, every question answered OK. False when there is no
// Grand Prix left or nobody to race (the season is then as the windows would leave it).
bool PlayGrandPrix(Season& season, Random& random, const EventSwitches& switches,
                   LapRecords records = LapRecords::Keep);

// What may change the classification at the flag, before it is booked: the odds' what-if. It sees
// the race and the entrants of the weekend (element 0 unused).
using BeforeBooking = std::function<void(RaceState&, const std::vector<Entrant>&)>;
bool PlayGrandPrix(Season& season, Random& random, const EventSwitches& switches, LapRecords records,
                   const BeforeBooking& beforeBooking);

} // namespace karven
