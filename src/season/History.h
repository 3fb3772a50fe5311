#pragma once
// What the game keeps of a season beyond the rules: the seasons closed before it, as they stood
// when they closed, and the record of each race of the season in progress. Both are written after
// the last team line of the season file, where a reader of the rules' layout never looks.

#include <optional>
#include <string>
#include <vector>

namespace karven {

// One car of a race's classification. Names are kept as they were that day.
struct ClassifiedCar {
    int place = 0;
    std::string DrvNm;
    std::string TimNm; // as stored, engine included
    double points = 0;
    bool retired = false;

    bool operator==(const ClassifiedCar&) const = default;
};

// A race of the season in progress, recorded at its flag.
struct RaceRecord {
    int gp = 0; // its place in the calendar, 1..17
    std::string pole;       // DrvNm of the pole sitter, "" when unknown
    std::string fastestLap; // DrvNm, "" when nobody set one
    std::vector<ClassifiedCar> result;

    bool operator==(const RaceRecord&) const = default;
};

struct ArchivedGp {
    std::string GpNm;
    std::string CourseType;
    bool run = false;
    std::string pole;       // "" when not run or not known
    std::string fastestLap; // "" when not run or not known
    std::vector<ClassifiedCar> result;

    bool operator==(const ArchivedGp&) const = default;
};

struct ArchivedDriver {
    int place = 0;
    std::string DrvNm;
    std::string TimNm; // "" without a seat
    double points = 0;
    int wins = 0;

    bool operator==(const ArchivedDriver&) const = default;
};

struct ArchivedTeam {
    int place = 0;
    std::string TimNm;
    double points = 0;
    int wins = 0;

    bool operator==(const ArchivedTeam&) const = default;
};

// A team as it closed the season: its colour and the drivers of its two seats, as the season
// results table shows them ("" for an empty seat).
struct ArchivedEntrant {
    std::string TimNm;
    std::string ColorNo;
    std::string seat1;
    std::string seat2;

    bool operator==(const ArchivedEntrant&) const = default;
};

// A driver whose seat the market changed; "" for no seat.
struct SeatMove {
    std::string DrvNm;
    std::string from;
    std::string to;

    bool operator==(const SeatMove&) const = default;
};

struct ArchivedSeason {
    int number = 0;   // 1, 2, … in order of closing
    std::string name; // the player's, "" until he gives one
    bool complete = false; // every Grand Prix run; false when abandoned by a new season
    std::optional<std::string> champion; // DrvNm the market crowned; none for an abandoned season
    std::string championTeam;
    std::vector<ArchivedGp> gps;            // the calendar, with the results of those run
    std::vector<ArchivedEntrant> teams;     // the teams in their order, with their seats
    std::vector<ArchivedDriver> drivers;    // the drivers' standings as they closed
    std::vector<ArchivedTeam> constructors; // the constructors' standings as they closed
    std::vector<SeatMove> moves;            // the market's changes of seat

    // The leaders of the standings tables ("" when nobody scored). A constructors' champion only
    // for a complete season.
    std::string StandingsLeader() const { return drivers.empty() ? "" : drivers.front().DrvNm; }
    std::optional<std::string> ConstructorsChampion() const;

    bool operator==(const ArchivedSeason&) const = default;
};

struct History {
    std::vector<ArchivedSeason> seasons; // oldest first
    std::vector<RaceRecord> races;       // this season's, in the order they were run
    // What followed the last team but could not be read (damaged, cut short, a newer version):
    // kept as it was, and written back unchanged after what this version writes.
    std::string kept;

    bool Empty() const { return seasons.empty() && races.empty() && kept.empty(); }
    bool operator==(const History&) const = default;
};

} // namespace karven
