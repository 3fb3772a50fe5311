#pragma once
// The rules' rating scales as qualities from 0 (worst) to 1 (best), so the world can move every
// rating the same way whichever direction its scale runs: Technique 0 best .. 5 worst; Roughness,
// Block and a driver's Stability 5 best .. 1 worst; a machine's Speed and Aero 1 best .. 5 worst,
// its Stability 5 best .. 1 worst.

#include <string>

#include "season/WorldState.h"

namespace karven::world {

double DriverQuality(int rating, double value);
double DriverValue(int rating, double quality);
double TeamQuality(int rating, double value);
double TeamValue(int rating, double quality);

// The whole rating the rules read: the nearest in its scale.
int WholeDriverRating(int rating, double value);
int WholeTeamRating(int rating, double value);

// The rating of a season field, read as the rules read it and kept in its scale.
double DriverRatingOf(int rating, const std::string& field);
double TeamRatingOf(int rating, const std::string& field);

// "S", "A" .. "E", as the editors show a whole rating.
std::string DriverLetter(int rating, int value);
std::string TeamLetter(int rating, int value);

// A quality moved by `delta`, less the nearer it is to the end it moves towards, so that it never
// reaches either end: two of the best never tie at the top of the scale.
double Nudge(double quality, double delta);

// How good a driver is overall: his Technique counts most, as it does in every lap.
double DriverOverall(const std::array<double, rating::Drivers>& ratings);

} // namespace karven::world
