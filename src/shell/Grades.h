#pragma once
// Ratings as the editors show them: one capital letter per grade, stored as a digit in text.

#include <string>
#include <string_view>

#include "shell/Form.h"

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

// A grade of a team or driver as its editor shows it: the row's caption, the letter's label and
// the field behind it.
template <class Record> struct GradeField {
    const char* caption;
    const char* label;
    std::string Record::*field;
    Scale scale;
    const char* toolTip; // what the grade does in a race, and its range

    void Show(Form& form, const Record& r) const { form(label).text = GradeLetter(r.*field, scale); }
    void Step(Form& form, Record& r, int step) const {
        StepGrade(r.*field, scale, step);
        Show(form, r);
    }
};

} // namespace karven
