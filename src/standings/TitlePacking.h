#pragma once
// Whether the places of the coming races can be handed to the rivals so that none of them takes
// more than he may: an assignment problem of scores to rivals, exact. Rivals who cannot catch up
// whatever they get take the best places first; the few left are searched with bounds.

#include <cstdint>
#include <vector>

namespace karven {

// Races alike: the same scores left to the rivals in each.
struct PackGroup {
    int races = 0;
    std::vector<int> scores; // per race, best first
    // A single race whose grid must hold more cars than its places without points can take: of the
    // cars that must be on it, no more than `zero` may go without a score (`idle` of them, the
    // contender's, already do), so some must take points.
    bool tight = false;
    int zero = 0;
    int idle = 0;
};

struct PackRival {
    int64_t cap = 0;       // the points he may still take
    std::vector<int> cars; // [group] his cars in each race of the group
    std::vector<int> must; // [group] of those, the cars on the grid whatever else happens
};

struct PackAnswer {
    bool feasible = false;
    bool exhausted = false; // the search gave up before deciding (never seen; kept honest)
    // [group][rival] the scores the rival takes over the group's races
    std::vector<std::vector<std::vector<int>>> taken;
    // [group] scores nobody needs to take: the cars there retire (only when dropping is allowed)
    std::vector<std::vector<int>> dropped;
};

// Every score must be taken, by a rival with a car in that race (one score per car and race).
// With `dropRest` the scores the unlimited rivals cannot take may go to retired cars instead.
PackAnswer PackScores(const std::vector<PackGroup>& groups, const std::vector<PackRival>& rivals, bool dropRest);

} // namespace karven
