#include "season/Points.h"

#include "season/Numbers.h"

namespace karven {

int PointsForPlace(int place) {
    static constexpr int Table[] = {0, 10, 8, 6, 5, 4, 3, 2, 1};
    return place >= 1 && place <= 8 ? Table[place] : 0;
}

int EvalPointsForPlace(double place) {
    static constexpr int Scale[] = {0, 10, 6, 4, 3, 2, 1};
    for (int p = 1; p <= 6; ++p)
        if (place == p) return Scale[p];
    return 0;
}

int PointsForResult(std::string_view result) {
    if (result.empty()) return 0;
    double place = ReadNumber(result);
    int whole = RoundHalfEven(place);
    return whole == place ? PointsForPlace(whole) : 0;
}

} // namespace karven
