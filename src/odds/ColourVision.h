#pragma once
// Colours as players with colour-blind eyes see them, and how far apart two colours look: the
// charts' lines must stay apart for every player.

namespace karven {

struct ChartRgb;

struct Lab {
    double L = 0, a = 0, b = 0;
};

// The three kinds of dichromacy, simulated at full strength.
enum class Vision { Protan, Deutan, Tritan };
constexpr Vision Visions[] = {Vision::Protan, Vision::Deutan, Vision::Tritan};

ChartRgb SeenWith(ChartRgb colour, Vision vision);
Lab ToLab(ChartRgb colour); // sRGB under D65
// The CIEDE2000 colour difference; about 2 is just noticeable, 10 and more clearly apart.
double Ciede2000(Lab x, Lab y);
// The smallest difference between the two colours as normal, protan, deutan and tritan eyes see them.
double LeastDifference(ChartRgb x, ChartRgb y);

} // namespace karven
