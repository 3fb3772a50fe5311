#pragma once
// Championship points by finishing place: races book them, standings add them up.

#include <string_view>

namespace karven {

// 10, 8, 6, 5, 4, 3, 2, 1 for places 1..8; 0 for anything else.
int PointsForPlace(int place);
// The market's own scale for a finishing place: 10, 6, 4, 3, 2, 1 for the first six.
int EvalPointsForPlace(double place);
// Points of a stored Result slot: a whole number 1..8 scores, anything else (empty, "0", "9", "x") not.
int PointsForResult(std::string_view result);

} // namespace karven
