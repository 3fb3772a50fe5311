#pragma once
// How likely each driver and team is to take the title: the rest of the season played out many
// times with the game's own full rules, nobody watching.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "race/RaceState.h"
#include "standings/TitleField.h"

namespace karven {

struct Season;

struct OddsEntry {
    int index = 0;  // place in DrvTable or TimTable
    std::string No; // DrvNo or TimNo
    std::string Nm; // DrvNm or TimNm
    double title = 0;              // first in the standings
    double place[4] = {0, 0, 0, 0}; // [p]: finishing p-th, p = 1..3
    double meanPoints = 0;
    double p5Points = 0, p95Points = 0; // whole numbers: the totals at 5% and 95%, cut to a whole
    double crowned = 0; // drivers: champion by the market's own rule
};

struct OddsResult {
    int runs = 0; // runs played; fewer than asked when cancelled
    std::vector<OddsEntry> drivers;
    std::vector<OddsEntry> teams;
};

// Read and set from other threads while the odds are computed.
struct OddsProgress {
    std::atomic<int> done{0};
    std::atomic<bool> cancel{false};
    // Cancels too once it says so (a time limit, a stop from elsewhere); called by every worker.
    std::function<bool()> stopNow;
    bool Cancelled() const { return cancel.load() || (stopNow && stopNow()); }
    // Called on the computing thread with the odds of the runs added up so far, block by block.
    std::function<void(const OddsResult&)> partial;
};

// Plays Grands Prix EndGp + 1 .. GpCount `runs` times on copies of the season, spread over `threads`
// workers. Run r draws from its own seed, derived from `seed`, so the odds do not depend on the
// number of threads.
// `fixed` decides first places of coming Grands Prix in advance (a what-if): every run plays them
// as it would and then puts the fixed drivers in their places.
// The seed of run `run` of the odds drawn from `seed`.
uint64_t OddsRunSeed(uint64_t seed, int run);

OddsResult ChampionshipOdds(const Season& season, int runs, int threads, uint64_t seed,
                            const EventSwitches& switches, OddsProgress* progress = nullptr,
                            const std::vector<FixedResult>& fixed = {});

} // namespace karven
