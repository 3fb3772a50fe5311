#pragma once
// The living world beside the rules: each driver's age and what he may become, the fractional
// ratings behind the whole ones the rules read, the machines as they develop, the drivers who
// retired, and what each closed season brought. Empty and off until the player turns it on; it
// is kept after the last team line of the season file, like the history.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace karven {

struct Season;
struct DrvRecord;
struct TimRecord;

// The four ratings of a driver and the three of a machine, in the rules' order.
namespace rating {
inline constexpr int Technique = 0, Roughness = 1, Block = 2, DriverStability = 3, Drivers = 4;
inline constexpr int Speed = 0, Aero = 1, TeamStability = 2, Teams = 3;
} // namespace rating

inline constexpr int MaxAge = 199;

struct WorldDriver {
    std::string DrvNm; // whose record this is: the driver table may have changed since
    int age = 0; // at most MaxAge, the oldest the file carries
    // How good he can become at his best, per rating: a quality from 0 (worst) to 1 (best).
    std::array<double, rating::Drivers> potential{};
    // His skill behind each rating, fractional, in the rules' scales; and the whole ratings the
    // world last gave him: his place in the field by that skill (a whole rating that differs was
    // set by the player).
    std::array<double, rating::Drivers> ratings{};
    std::array<int, rating::Drivers> whole{};

    bool operator==(const WorldDriver&) const = default;
};

struct WorldTeam {
    std::string TimNm;
    std::array<double, rating::Teams> ratings{};
    std::array<int, rating::Teams> whole{};

    bool operator==(const WorldTeam&) const = default;
};

// A driver who left the table, with the record he left it with.
struct RetiredDriver {
    std::string DrvNm;
    int age = 0;
    int season = 0; // the history's number of the last season he raced
    std::array<int, rating::Drivers> ratings{};
    // CareerGp, CareerWc, CareerWins, CareerPp, CareerFl, CareerBest, CareerPoints, as stored.
    std::array<std::string, 7> career;

    bool operator==(const RetiredDriver&) const = default;
};

// A driver or a team as the season raced them: whole ratings.
struct RatedDriver {
    std::string DrvNm;
    int age = 0;
    std::array<int, rating::Drivers> ratings{};

    bool operator==(const RatedDriver&) const = default;
};

struct RatedTeam {
    std::string TimNm;
    std::array<int, rating::Teams> ratings{};

    bool operator==(const RatedTeam&) const = default;
};

// What the world did when a season closed, by the history's number of that season.
struct WorldSeason {
    int season = 0;
    bool regulations = false; // new regulations shook every machine
    std::vector<std::string> retired;
    std::vector<std::string> debuts;
    std::vector<RatedDriver> drivers; // every driver of the table, as he raced that season
    std::vector<RatedTeam> teams;

    bool operator==(const WorldSeason&) const = default;
};

struct WorldState {
    bool enabled = false;
    uint64_t seed = 0; // every draw of the world comes from it, never from the rules' generator
    int turns = 0;     // seasons the world has turned
    int fieldSize = 0; // the field the rookies keep it at
    int lastRegulations = 0; // the turn of the last change of regulations
    // The field as it stood when the world was turned on, which it is kept at: the mean and spread
    // of each driver rating's quality, each machine rating's mean quality, and the whole ratings
    // of the field, best first: every season the field takes them again by rank, so that talent
    // neither inflates nor deflates over the centuries.
    std::array<double, rating::Drivers> driverLevel{}, driverSpread{};
    std::array<double, rating::Teams> machineLevel{};
    std::array<std::vector<int>, rating::Drivers> driverScale;
    std::array<std::vector<int>, rating::Teams> machineScale;
    std::vector<WorldDriver> drivers; // in the driver table's order, [0] unused
    std::vector<WorldTeam> teams;     // in the team table's order, [0] unused
    std::vector<RetiredDriver> retired;
    std::vector<WorldSeason> seasons;
    // Records a file held of drivers and teams the season does not have: kept as they came, and
    // taken again by a driver or team of that name when the world next meets the tables.
    std::vector<WorldDriver> unmatchedDrivers;
    std::vector<WorldTeam> unmatchedTeams;

    bool Empty() const { return *this == WorldState{}; }
    // The facts of a closed season, nullptr when the world did not turn at its close.
    const WorldSeason* SeasonOf(int number) const;
    bool operator==(const WorldState&) const = default;
};

// A record of the world belongs to a driver (or a team) by name, not by its place: the n-th driver
// of a name in the table has the n-th record of that name. For each of the table's drivers
// (1-based, [0] unused) the index of his record in `drivers`, 0 where the world has not met him;
// likewise for the teams.
std::vector<size_t> WorldDriverIndex(const WorldState& world, const Season& season);
std::vector<size_t> WorldTeamIndex(const WorldState& world, const Season& season);

// The records follow the tables through an edit: `driverFrom[k]` and `teamFrom[t]` tell where
// the new table's driver k and team t stood in the old one (0: new). A driver or team renamed
// keeps his record under his new name, a deleted one's goes with him, and one added is met at
// the world's next turn.
void FollowTables(WorldState& world, const std::vector<DrvRecord>& drivers, const std::vector<TimRecord>& teams,
                  const Season& after, const std::vector<int>& driverFrom, const std::vector<int>& teamFrom);

} // namespace karven
