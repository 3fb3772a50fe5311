#pragma once
// The team principal beside the rules: the team the player runs, the target its board set for
// the season, and his record season by season. Empty until the player first takes a team; kept
// after the last team line of the season file, like the history.

#include <string>
#include <vector>

namespace karven {

enum class Verdict { Missed = 0, Met = 1, Exceeded = 2 };

// Three targets missed in a row end the job.
inline constexpr int MissesToDismissal = 3;

// One season in charge, judged at its close.
struct PrincipalSeason {
    int season = 0;   // the history's number of the closed season
    std::string TimNm; // the team, as it was named
    int target = 0;    // the constructors' place the board asked for
    int place = 0;     // the place the team reached (0 without one)
    Verdict verdict = Verdict::Missed;
    bool driversTitle = false; // a driver of the team was crowned
    bool dismissed = false;    // the board ended the job

    bool operator==(const PrincipalSeason&) const = default;
};

struct PrincipalState {
    std::string TimNo; // the team in charge, "" for none
    std::string TimNm; // its name when taken, to tell it in the record
    int target = 0;    // this season's target: a constructors' place, 0 before the board set it
    int misses = 0;    // targets missed in a row
    std::vector<PrincipalSeason> seasons;

    bool InCharge() const { return !TimNo.empty(); }
    // Whether the team with this number is the one the player runs.
    bool Runs(const std::string& no) const { return InCharge() && no == TimNo; }
    bool Empty() const { return TimNo.empty() && TimNm.empty() && target == 0 && misses == 0 && seasons.empty(); }
    bool operator==(const PrincipalState&) const = default;
};

} // namespace karven
