#pragma once
// The game's pictures, drawn rather than stored: machine swatches, weather and race scenes.

#include <QColor>
#include <QImage>

namespace karven::pictures {

struct Livery {
    QColor body;
    QColor stripe;
};

QImage Swatch(const Livery& livery, bool neutral = false);

enum class Weather { Fine, Cloudy, Rain };
QImage WeatherPicture(Weather weather);

// Race scenes; variant (1-based) changes colours, angle and background.
QImage GridScene(int variant);     // a car on the grid under the start lights
QImage GoScene(int variant);       // lights out, the field launches
QImage RunScene(int variant);      // a car at speed
QImage RetireScene(int variant);   // a stopped car in smoke
QImage PenaltyScene();             // a flag waved from the marshal post
QImage PitInScene();               // a car turning into the pit lane
QImage PitOutScene();              // a car leaving the pit lane
QImage PassScene(int variant);     // one car passing another

} // namespace karven::pictures
