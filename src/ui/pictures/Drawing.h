#pragma once
// The game's pictures, drawn rather than stored: machine swatches, weather and race scenes.
// Each has its own size; given another `size`, the same drawing is stretched to fill it, sharp.

#include <QColor>
#include <QImage>

namespace karven::pictures {

// How a swatch lays out its colours. Stripe is the first palette's single band down the middle.
enum class Pattern {
    Stripe,      // body, a band of the second colour along the middle
    TwinStripes, // body, two thin bands of the second colour
    Split,       // the tail in the body colour, the nose in the second
    Halves,      // the upper half in the body colour, the lower in the second
    Band,        // body, an upright band of the second colour across the middle
    Diagonal,    // body, the lower right corner in the second colour
    Edged,       // body, a middle band of the second colour edged by a third
};

struct Livery {
    QColor body;
    QColor stripe;
    Pattern pattern = Pattern::Stripe;
    QColor trim = {};
};

QImage Swatch(const Livery& livery, bool neutral = false, QSize size = {});

// The program's icon: a machine crossing a chequered corner, square, size × size pixels.
QImage AppIcon(int size);

enum class Weather { Fine, Cloudy, Rain };
QImage WeatherPicture(Weather weather, QSize size = {});

// Race scenes; variant (1-based) changes colours, angle and background.
QImage GridScene(int variant, QSize size = {});     // a car on the grid under the start lights
QImage GoScene(int variant, QSize size = {});       // lights out, the field launches
QImage RunScene(int variant, QSize size = {});      // a car at speed
QImage RetireScene(int variant, QSize size = {});   // a stopped car in smoke
QImage PenaltyScene(QSize size = {});             // a flag waved from the marshal post
QImage PitInScene(QSize size = {});               // a car turning into the pit lane
QImage PitOutScene(QSize size = {});              // a car leaving the pit lane
QImage PassScene(int variant, QSize size = {});     // one car passing another

} // namespace karven::pictures
