#pragma once
// The three titles as a problem of places: who competes, what each has, which cars can still score
// and what places the coming Grands Prix hand out. Read from the season (with results fixed in
// advance for a what-if), and never changing it.

#include <string>
#include <vector>

namespace karven {

struct Season;

// The drivers' standings, the market's crowned champion (its evaluation points), the constructors.
enum class Title { Drivers, Crowned, Teams };

// A coming Grand Prix whose first places are decided in advance: drivers (DrvTable positions) in
// finishing order from first.
struct FixedResult {
    int gp = 0;
    std::vector<int> drivers;
};

// Grids qualifying can give: every grid that holds each car of `must` and none outside `can`.
struct GridSet {
    std::vector<char> must, can; // [car]
    bool operator==(const GridSet&) const = default;
    bool operator<(const GridSet& other) const { return must != other.must ? must < other.must : can < other.can; }
};

// One Grand Prix still to run.
struct RaceAhead {
    int gp = 0;
    std::vector<int> fixedCars; // entrants in places 1..m, decided in advance
    std::vector<int> open;      // the scores of places m+1.. that score, best first
    // Together every grid its qualifying can give, the fixed cars on each: one set where any car
    // that can qualify may stand in for another, several where times bind some cars together.
    std::vector<GridSet> grids;
};

struct TitleField {
    Title title = Title::Drivers;
    int units = 0;                    // competitors 1..units: DrvTable or TimTable positions
    std::vector<double> base;         // [unit] what he has, with the fixed results of the coming races
    std::vector<char> eligible;       // [unit] can be first at all (the crown needs a seat)
    std::vector<int> cars;            // [unit] entrants that score for him
    std::vector<int> entrantDriver;   // [car] the DrvTable position of each entrant, driver order
    std::vector<int> entrantUnit;     // [car] the competitor the car scores for, 0 for nobody
    std::vector<RaceAhead> races;     // the Grands Prix still to run, in calendar order
    int grid = 0;                     // cars on each grid
    // Whether a car in the points can score nothing: a retired car's result counts nothing in the
    // drivers' standings and the market, and retirements happen at the rules' race distances.
    bool retire = false;
    std::vector<int> scale;           // [place] the title's points for a place, 0 past the last

    int Cars() const { return int(entrantDriver.size()); }
    // The places of a race's grid that score nothing.
    int ZeroPlaces(const RaceAhead& race) const { return grid - int(race.fixedCars.size()) - int(race.open.size()); }
    // The cars of `unit` fixed in race `r`.
    int FixedCarsOf(int unit, const RaceAhead& race) const;
    // Whether `a` would stand ahead of `b` on equal points: the earlier in its table.
    static bool AheadOnTie(int a, int b) { return a < b; }
};

// The Grands Prix after EndGp; fixes for other Grands Prix are ignored, a fixed driver who cannot
// race that day is left out of the fix.
TitleField ReadTitleField(const Season& season, Title title, const std::vector<FixedResult>& fixed = {});

// The points of the title for a place (1-based), 0 for any other.
int TitleScore(Title title, int place);

} // namespace karven
