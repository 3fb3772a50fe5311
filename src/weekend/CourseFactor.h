#pragma once

#include <string_view>

namespace karven {

// Base seconds of a car on a circuit: course type 1..5 by team Speed 1..5; 0 for anything else.
double CourseFactor(std::string_view courseType, std::string_view speed);

} // namespace karven
