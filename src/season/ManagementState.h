#pragma once
// Running a team beside the rules, once a principal is in charge: every team's money and what it
// spends it on, the development of its machine, its sponsor, its drivers' contracts, and the
// principal's standing orders for the race. Empty until a principal first takes a team; kept after
// the last team line of the season file, like the history.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace karven {

// Money is counted in tenths of the unit (百万, "M"): whole numbers, so a sum never drifts.
using Money = int64_t;
inline constexpr Money MoneyUnit = 10;

// The machine's three ratings, in the rules' order: speed, aerodynamics, reliability.
inline constexpr int Programmes = 3;

// Where money comes from and goes, in this order in every account.
namespace income {
inline constexpr int Share = 0, Points = 1, Prize = 2, Sponsor = 3, Bonus = 4, Transfers = 5, Kinds = 6;
}
namespace spending {
inline constexpr int Salaries = 0, Development = 1, Running = 2, Transfers = 3, Interest = 4, Kinds = 5;
}

struct Account {
    std::array<Money, income::Kinds> income{};
    std::array<Money, spending::Kinds> spending{};

    Money In() const;
    Money Out() const;
    void Add(const Account& other);
    bool operator==(const Account&) const = default;
};

// A sponsor's deal: money each season, paid race by race, and a bonus when its target is met.
enum class SponsorGoal { Points = 0, Place = 1, Beat = 2 };
inline constexpr int SponsorGoals = 3;

struct SponsorDeal {
    SponsorGoal goal = SponsorGoal::Points;
    int target = 0;    // Points: races with a point; Place: the constructors' place at most
    std::string rival; // Beat: the team to finish ahead of, by name
    Money money = 0;
    Money bonus = 0;

    bool operator==(const SponsorDeal&) const = default;
};

// Progress a programme found, showing from a later race on.
struct Pending {
    int rating = 0;
    double gain = 0; // quality, 0..1 scale of the world's machines
    int due = 0;     // the race of the season from which it shows

    bool operator==(const Pending&) const = default;
};

struct ManagedTeam {
    std::string TimNm; // whose record this is: the team table may have changed since
    Money cash = 0;
    std::array<Money, Programmes> spend{};     // on each programme, per race
    std::array<double, Programmes> progress{}; // shown since the last regulations, beyond the field's
    std::array<double, Programmes> season{};   // shown this season
    std::array<int, Programmes> steps{};       // whole steps the machine took this season
    std::vector<Pending> pending;
    bool sponsored = false;
    SponsorDeal sponsor;
    std::vector<SponsorDeal> offers; // for the season about to run, until one is taken
    int standing = 100;              // how sponsors see the team, in percent: a missed target costs
    int scoringRaces = 0;            // this season's races with a point
    Account account;                 // this season
    std::vector<Account> races;      // this season, race by race

    bool operator==(const ManagedTeam&) const = default;
};

struct Contract {
    std::string DrvNm;
    std::string TimNm;
    Money salary = 0; // per season
    int seasons = 0;  // left, this one included

    bool operator==(const Contract&) const = default;
};

// What the race calls of the team in charge do without asking.
enum class TyreOrder { Ask = 0, Rules = 1, WrongTyresOnly = 2 };
enum class RainOrder { Ask = 0, Rules = 1, FollowWeather = 2 };

// One closed season of a team, for the record, the summary and the balance of the economy.
struct ManagedSeason {
    int season = 0;
    std::string TimNm;
    bool inCharge = false; // the principal's team
    Money start = 0, end = 0;
    Account account;
    std::array<double, Programmes> progress{};
    bool sponsored = false, sponsorMet = false;
    bool bankrupt = false;

    bool operator==(const ManagedSeason&) const = default;
};

struct ManagementState {
    bool enabled = false;
    int race = 0;                   // races booked this season
    std::vector<ManagedTeam> teams; // in the team table's order, [0] unused
    std::vector<Contract> contracts;
    TyreOrder tyres = TyreOrder::Ask;
    RainOrder rain = RainOrder::Ask;
    std::vector<ManagedSeason> seasons; // every team's, season by season

    bool Empty() const { return *this == ManagementState{}; }
    bool operator==(const ManagementState&) const = default;
};

} // namespace karven
