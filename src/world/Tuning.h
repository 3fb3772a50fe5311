#pragma once
// The numbers that keep a long career balanced, in one place. They were set by playing hundreds
// of seasons of the default season (scripts/world-balance) until champions came and went as they
// do in the real championship, and the field neither improved nor declined over the centuries.

namespace karven::world::tuning {

// Ageing: how much of his potential a driver shows at an age. He grows to his best by 27, holds
// it until 30, then loses a little every year.
inline constexpr int GrowthAge = 18, PeakAge = 27, DeclineAge = 29;
inline constexpr double AtGrowthAge = 0.6;
inline constexpr double DeclinePerYear = 0.06;

// Development: each season a rating closes this share of the way to what his age allows, with a
// spread of its own, so two drivers of one age move apart.
inline constexpr double Approach = 0.4;
inline constexpr double DriverSpread = 0.08;
// Form: how much a driver's year varies around his skill when the field is ranked.
inline constexpr double FormSpread = 0.07;
inline constexpr double MachineFormSpread = 0.06;
// A young driver's good season lifts him a little more.
inline constexpr int YoungAge = 25;
inline constexpr double ResultsLift = 0.02;

// Retirement, by age: the chance to stop after a season (index: age - 29, the last holds for all
// older). Rarely before 30, usually between 34 and 40, always by 41.
inline constexpr double RetireBefore30 = 0.004;
inline constexpr double RetireByAge[] = {0.01, 0.02, 0.03, 0.05, 0.08, 0.14, 0.22, 0.32, 0.44, 0.58, 0.75, 0.9, 1.0};
inline constexpr int LastAge = 41;
// Form: a driver without a seat drifts away sooner; the champion stays on.
inline constexpr double UnseatedRetires = 2.5;
inline constexpr double ChampionRetires = 0.4;

// Rookies: between these ages, their potential around the field's own level, now and then an
// exceptional one.
inline constexpr int RookieYoungest = 18, RookieOldest = 22;
inline constexpr double ExceptionalChance = 0.1;
// How strongly the rookies' level follows the field's drift back to where it began.
inline constexpr double LevelFeedback = 1.0;
// Every season, every driver's skill moves alike by this share of the field's drift from the
// level it began at: the field's whole ratings are given by rank, and this keeps the skill
// behind them from running to either end of the scale.
inline constexpr double Recentering = 0.5;

// Machines: the teams at the back of the constructors' standings develop more than those at the
// front; every machine drifts; and now and then new regulations shake every team.
inline constexpr double CatchUp = 0.12;
inline constexpr double TowardsField = 0.04;
inline constexpr double MachineSpread = 0.08;
inline constexpr double RegulationsChance = 0.22;
inline constexpr int RegulationsGap = 3;
inline constexpr double RegulationsSpread = 0.22;
inline constexpr double RegulationsTowardsField = 0.35;

} // namespace karven::world::tuning
