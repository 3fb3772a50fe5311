#include "season/WorldState.h"

namespace karven {

const WorldSeason* WorldState::SeasonOf(int number) const {
    for (const WorldSeason& s : seasons)
        if (s.season == number) return &s;
    return nullptr;
}

} // namespace karven
