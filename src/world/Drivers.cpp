#include "world/Drivers.h"

#include <algorithm>

#include "world/Ratings.h"
#include "world/Tuning.h"

namespace karven::world {

using namespace tuning;

double AgeCurve(int age) {
    if (age <= GrowthAge) return AtGrowthAge;
    if (age < PeakAge) return AtGrowthAge + (1 - AtGrowthAge) * (age - GrowthAge) / double(PeakAge - GrowthAge);
    if (age < DeclineAge) return 1;
    return std::max(0.0, 1 - DeclinePerYear * (age - DeclineAge + 1));
}

void Develop(WorldDriver& d, double form, const std::array<double, rating::Drivers>& shift, Draws& draws) {
    d.age = std::min(d.age + 1, MaxAge);
    const double shown = AgeCurve(d.age);
    for (int r = 0; r < rating::Drivers; ++r) {
        double q = DriverQuality(r, d.ratings[r]);
        double delta = shift[r] + Approach * (d.potential[r] * shown + shift[r] - q) + draws.Normal(DriverSpread);
        // A young driver's results on the track teach him what a season of testing cannot.
        if (r == rating::Technique && d.age <= YoungAge) delta += ResultsLift * std::clamp(form, 0.0, 1.0);
        d.ratings[r] = DriverValue(r, Nudge(q, delta));
    }
}

WorldDriver FirstLook(const DrvRecord& record, Draws& draws) {
    WorldDriver d;
    d.DrvNm = record.DrvNm;
    // Ages of a field: most in their twenties, a few veterans.
    d.age = std::clamp(int(27 + draws.Normal(4.5) + 0.5), 19, 38);
    const double shown = AgeCurve(d.age);
    d.ratings = {DriverRatingOf(rating::Technique, record.Technique), DriverRatingOf(rating::Roughness, record.Roughness),
                 DriverRatingOf(rating::Block, record.Block), DriverRatingOf(rating::DriverStability, record.Stability)};
    for (int r = 0; r < rating::Drivers; ++r) d.whole[r] = int(d.ratings[r]);
    for (int r = 0; r < rating::Drivers; ++r) {
        // A young driver has more to come; a veteran was better once.
        double q = DriverQuality(r, d.ratings[r]);
        d.potential[r] = std::clamp(q / std::max(shown, 0.05) + draws.Normal(0.04), q, 1.0);
    }
    return d;
}

} // namespace karven::world
