#include "world/Ratings.h"

#include <algorithm>
#include <cmath>

#include "season/Numbers.h"
#include "shell/Grades.h"

namespace karven::world {

namespace {
// Lowest and highest value of each scale, and whether a lower value is the better.
struct ScaleOf {
    double low, high;
    bool lowerIsBetter;
};
constexpr ScaleOf DriverScales[rating::Drivers] = {{0, 5, true}, {1, 5, false}, {1, 5, false}, {1, 5, false}};
constexpr ScaleOf TeamScales[rating::Teams] = {{1, 5, true}, {1, 5, true}, {1, 5, false}};

double Quality(const ScaleOf& s, double value) {
    double q = (value - s.low) / (s.high - s.low);
    return std::clamp(s.lowerIsBetter ? 1 - q : q, 0.0, 1.0);
}

double Value(const ScaleOf& s, double quality) {
    double q = std::clamp(quality, 0.0, 1.0);
    return s.low + (s.lowerIsBetter ? 1 - q : q) * (s.high - s.low);
}

int Whole(const ScaleOf& s, double value) {
    return std::clamp(int(std::lround(value)), int(s.low), int(s.high));
}

double Field(const ScaleOf& s, const std::string& field) {
    return std::clamp(double(RoundHalfEven(ReadNumber(field))), s.low, s.high);
}
} // namespace

double DriverQuality(int r, double value) { return Quality(DriverScales[r], value); }
double DriverValue(int r, double quality) { return Value(DriverScales[r], quality); }
double TeamQuality(int r, double value) { return Quality(TeamScales[r], value); }
double TeamValue(int r, double quality) { return Value(TeamScales[r], quality); }
int WholeDriverRating(int r, double value) { return Whole(DriverScales[r], value); }
int WholeTeamRating(int r, double value) { return Whole(TeamScales[r], value); }
double DriverRatingOf(int r, const std::string& field) { return Field(DriverScales[r], field); }
double TeamRatingOf(int r, const std::string& field) { return Field(TeamScales[r], field); }

std::string DriverLetter(int r, int value) {
    return GradeLetter(FormatPlain(value), r == rating::Technique ? Scale::Technique : Scale::High);
}

std::string TeamLetter(int r, int value) {
    return GradeLetter(FormatPlain(value), r == rating::TeamStability ? Scale::High : Scale::Low);
}

double Nudge(double quality, double delta) {
    double q = std::clamp(quality, 0.0, 1.0);
    return q + delta * (delta > 0 ? 1 - q : q);
}

double DriverOverall(const std::array<double, rating::Drivers>& ratings) {
    // Technique adds to every lap; the others decide an attack, a defence, a breakdown.
    constexpr double Weight[rating::Drivers] = {0.55, 0.15, 0.15, 0.15};
    double overall = 0;
    for (int r = 0; r < rating::Drivers; ++r) overall += Weight[r] * DriverQuality(r, ratings[r]);
    return overall;
}

} // namespace karven::world
