#pragma once
// What the off-season just closed did, for the season summary: who retired, who made his debut,
// and the biggest rises and falls of drivers and machines between the season raced and the next.

#include <string>
#include <vector>

#include "season/Season.h"

namespace karven::world {

// Rows of three texts: what happened (引退, デビュー, 上昇, 下降, マシン上昇, マシン下降), to whom, and
// how ("38歳", "テクニック B→A、安定性 D→C"). Empty when the world did not turn at the last close.
std::vector<std::vector<std::string>> OffSeasonChanges(const Season& season, size_t most = 3);

} // namespace karven::world
