#pragma once
// What the game keeps of a season beyond the rules: the seasons closed before it, as they stood
// when they closed, and the record of each race of the season in progress. Both are written after
// the last team line of the season file, where a reader of the rules' layout never looks.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "season/ManagementState.h"
#include "season/PrincipalState.h"
#include "season/RaceLaps.h"
#include "season/SharedRecords.h"
#include "season/SharedText.h"
#include "season/WorldState.h"

namespace karven {

// One car of a race's classification. Names are kept as they were that day.
struct ClassifiedCar {
    int place = 0;
    SharedText DrvNm;
    SharedText TimNm; // as stored, engine included
    double points = 0;
    bool retired = false;

    bool operator==(const ClassifiedCar&) const = default;
};

// A race of the season in progress, recorded at its flag.
struct RaceRecord {
    int gp = 0; // its place in the calendar, 1..17
    SharedText pole;       // DrvNm of the pole sitter, "" when unknown
    SharedText fastestLap; // DrvNm, "" when nobody set one
    std::vector<ClassifiedCar> result;

    bool operator==(const RaceRecord&) const = default;
};

// A closed season names each driver and team once, in its `names`; everything else refers to a
// name by its number there, 1 for the first, 0 for nobody. A hundred seasons stay small so.
using NameRef = int;

// The bulk of a long history: kept in 16 bytes. Places run to 999, and a car's points are the
// few whole numbers of the points table (a value a float cannot hold exactly does not read back
// as itself, and its section is then kept as it came).
struct ArchivedCar {
    ArchivedCar() = default;
    ArchivedCar(int place, NameRef driver, NameRef team, double points, bool retired)
        : points(float(std::clamp(points, -3e38, 3e38))), driver(driver), team(team),
          place(int16_t(std::clamp(place, -32768, 32767))), retired(retired) {}

    float points = 0;
    NameRef driver = 0;
    NameRef team = 0;
    int16_t place = 0;
    bool retired = false;

    bool operator==(const ArchivedCar&) const = default;
};
static_assert(sizeof(ArchivedCar) == 16);

struct ArchivedGp {
    std::string GpNm;
    std::string CourseType;
    bool run = false;
    NameRef pole = 0;       // 0 when not run or not known
    NameRef fastestLap = 0; // 0 when not run or not known
    std::vector<ArchivedCar> result;

    bool operator==(const ArchivedGp&) const = default;
};

struct ArchivedDriver {
    int place = 0;
    NameRef driver = 0;
    NameRef team = 0; // 0 without a seat
    double points = 0;
    int wins = 0;

    bool operator==(const ArchivedDriver&) const = default;
};

struct ArchivedTeam {
    int place = 0;
    NameRef team = 0;
    double points = 0;
    int wins = 0;

    bool operator==(const ArchivedTeam&) const = default;
};

// A team as it closed the season: its colour and the drivers of its two seats, as the season
// results table shows them (0 for an empty seat).
struct ArchivedEntrant {
    NameRef team = 0;
    std::string ColorNo;
    NameRef seat1 = 0;
    NameRef seat2 = 0;

    bool operator==(const ArchivedEntrant&) const = default;
};

// A driver whose seat the market changed; 0 for no seat.
struct SeatMove {
    NameRef driver = 0;
    NameRef from = 0;
    NameRef to = 0;

    bool operator==(const SeatMove&) const = default;
};

struct ArchivedSeason {
    int number = 0;   // 1, 2, … in order of closing
    std::string name; // the player's, "" until he gives one
    bool complete = false;  // every Grand Prix run; false when abandoned by a new season
    bool crowned = false;   // the market crowned a champion
    NameRef champion = 0;   // the driver the market crowned
    NameRef championTeam = 0;
    std::vector<std::string> names;         // every driver and team the season names
    std::vector<ArchivedGp> gps;            // the calendar, with the results of those run
    std::vector<ArchivedEntrant> teams;     // the teams in their order, with their seats
    std::vector<ArchivedDriver> drivers;    // the drivers' standings as they closed
    std::vector<ArchivedTeam> constructors; // the constructors' standings as they closed
    std::vector<SeatMove> moves;            // the market's changes of seat

    // The name a number refers to; "" for 0 or a number out of range.
    const std::string& Name(NameRef ref) const;
    // The number of a name, added to `names` when new; 0 for "".
    NameRef Ref(const std::string& name);
    // The leaders of the standings tables ("" when nobody scored). A constructors' champion only
    // for a complete season.
    std::string StandingsLeader() const { return drivers.empty() ? "" : Name(drivers.front().driver); }
    std::optional<std::string> ConstructorsChampion() const;
    std::optional<std::string> Champion() const;

    bool operator==(const ArchivedSeason&) const = default;
};

struct History {
    std::vector<ArchivedSeason> seasons; // oldest first
    SharedRecords<RaceRecord> races;     // this season's, in the order they were run
    SharedRecords<RaceLaps> laps;        // how this season's races unfolded, in the order run
    // The living world, when the player has ever turned it on.
    WorldState world;
    // The team the player runs and his record, when he has ever taken one.
    PrincipalState principal;
    // His team's money, machine, sponsor and contracts, and every other team's, once he took one.
    ManagementState management;
    // What followed the last team but could not be read (damaged, cut short, a newer version):
    // kept as it was, and written back unchanged after what this version writes.
    std::string kept;

    bool Empty() const { return seasons.empty() && races.empty() && laps.empty() && world.Empty() && principal.Empty() &&
                                management.Empty() &&
                                kept.empty(); }
    // A season closed or started afresh: its races belong to it alone.
    void ClearSeasonRaces() {
        races.clear();
        laps.clear();
    }
    bool operator==(const History&) const = default;
};

} // namespace karven
