#pragma once
// The game's pictures, drawn rather than stored: machine swatches, weather and race scenes.
// Each has its own size; given another `size`, the same drawing is stretched to fill it, sharp.

#include <QColor>
#include <QImage>

#include "shell/Liveries.h"

namespace karven::pictures {

using Pattern = LiveryPattern;

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
