#pragma once

#include <optional>
#include <string>

namespace karven {

class Shell;
struct RaceWeekend;

// What a race leaves behind besides the season and KesyouTable.
struct RaceOutcome {
    int gp = 0;          // the Grand Prix just run
    std::string FlDrvNo; // fastest lap
    int PenCount = 0;    // penalties given
};

// cmdKesyou: the final race of Grand Prix EndGp + 1 after qualifying; nullopt when cancelled.
std::optional<RaceOutcome> RunKesyou(Shell& shell, RaceWeekend& weekend);

} // namespace karven
