#pragma once
// Ratings as the editors show them: one capital letter per grade, stored as a digit in text.

#include <string>
#include <string_view>

namespace karven {

enum class Scale {
    Low,       // Speed, Aero: 1 "A" .. 5 "E"
    High,      // Roughness, Block, Stability: 5 "A" .. 1 "E"
    Technique, // 0 "S", 1 "A" .. 5 "E"
};

// The letter of a stored value; a value far off the scale shows "?".
std::string GradeLetter(std::string_view stored, Scale scale);

// One step of the letter: up (-1) towards "A" ("S" for technique), down (+1) towards "E".
// Nothing happens at either end; otherwise the new value is stored as decimal text.
void StepGrade(std::string& stored, Scale scale, int step);

} // namespace karven
