#pragma once
// Scores handed out over several alike races, turned back into one classification per race: an
// edge colouring of the cars-and-places multigraph, each colour a race.

#include <utility>
#include <vector>

namespace karven {

// Edges (car, place); no car and no place has more than `colours` of them. Returns each edge's
// colour, 0..colours-1, no two edges at a car or at a place sharing one (König: always possible).
std::vector<int> ColourEdges(int cars, int places, const std::vector<std::pair<int, int>>& edges, int colours);

} // namespace karven
