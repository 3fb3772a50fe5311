#include "weekend/CourseFactor.h"

#include <cmath>

#include "season/Numbers.h"

namespace karven {

double CourseFactor(std::string_view courseType, std::string_view speed) {
    // Fast circuits spread the field by speed; technical ones hardly do.
    static constexpr double Table[5][5] = {
        {0.0, 1.5, 2.5, 4.5, 6.0},
        {1.0, 2.0, 3.5, 4.5, 5.5},
        {1.0, 2.0, 3.0, 4.0, 5.0},
        {1.0, 1.5, 2.0, 2.5, 3.0},
        {1.0, 1.3, 1.6, 1.9, 2.2},
    };
    double row = ReadNumber(courseType);
    double column = ReadNumber(speed);
    auto valid = [](double v) { return v >= 1 && v <= 5 && v == std::floor(v); };
    if (!valid(row) || !valid(column)) return 0.0;
    return Table[int(row) - 1][int(column) - 1];
}

} // namespace karven
