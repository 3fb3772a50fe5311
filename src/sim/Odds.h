#pragma once
// karven-sim's championship odds: a table for people, or the "odds" object of the JSON.

#include <ostream>

#include "sim/SeasonJson.h"

namespace karven {
struct OddsResult;
}

namespace karven::sim {

Json OddsToJson(const OddsResult& odds);
void PrintOdds(std::ostream& out, const OddsResult& odds);

} // namespace karven::sim
