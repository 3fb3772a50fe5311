#pragma once
// The numbers of the teams' economy and of machine development, in one place. Money in units
// (百万, "M"); set by playing careers of the default season headless (scripts/manage-balance)
// until a well-run team rose, a reckless one fell, and champions still came and went.

namespace karven::management::tuning {

// Income: an equal share for every team, a pool each race split by the points scored in it,
// prize money by the constructors' place, and the sponsor.
inline constexpr double SeasonShare = 45;
inline constexpr double PointsPool = 8;
inline constexpr double PrizeFirst = 25, PrizeLast = 12;
inline constexpr double SponsorFirst = 30, SponsorLast = 8;
inline constexpr double SponsorBonus = 0.5; // of the deal's money
// A missed target costs the next offer; a met one wins back some of it.
inline constexpr int StandingMissed = 80, StandingMet = 110, StandingLow = 50, StandingHigh = 100;

// Costs: running a team for a season, and what drivers ask.
inline constexpr double RunningCost = 30;
inline constexpr double SalaryFloor = 1, SalaryTop = 20;
inline constexpr double SalaryCurve = 3; // the best ask far more than the rest
inline constexpr int ShortestContract = 1, LongestContract = 3;
// A driver asks less of the constructors' champion, more of the last; he asks for more when
// offered at least this share of what he asks, and refuses less.
inline constexpr double FrontDiscount = 1.15, StandingWeight = 0.3, AsksMoreFrom = 0.8;

// A team's money when the management starts, by its place on paper.
inline constexpr double StartFirst = 40, StartLast = 15;
// A team may spend on credit down to this debt, paying interest on it every race; beyond it its
// money has run out. In debt by more than Bankruptcy at a season's close, it is bankrupt and its
// principal goes.
inline constexpr double Credit = 40;
inline constexpr double Interest = 0.03;
inline constexpr double Bankruptcy = 30;

// Development: each race a programme may find progress, the more the more is spent but with
// diminishing returns, and it shows a few races later.
inline constexpr double MaxSpend = 6; // per programme and race
inline constexpr double Gain = 0.035; // quality per race for the square root of the spending
inline constexpr double Success = 0.6;
// What a programme finds, by the team's place in the last constructors' standings: the front has
// less left to find, so no team's lead, a principal's or the game's, lasts for ever.
inline constexpr double FrontFinds = 0.6, BackFinds = 1.2;
inline constexpr int ShortestDelay = 1, LongestDelay = 3;
// During a season the machine takes a whole step for this much progress beyond the field's.
inline constexpr double Step = 0.08;
inline constexpr int MostSteps = 2;
// New regulations undo this share of what each team found since the last.
inline constexpr double RegulationsUndo = 0.4;

// The game's own teams spend this share of what they can spare, conservatively, so that a
// well-run team can rise; a sensible principal nearly all.
inline constexpr double GameShare = 0.12;
inline constexpr double SensibleShare = 0.8;
// How a sensible principal shares it out: speed decides the lap time on most circuits, the
// aerodynamics less, reliability only now and then.
inline constexpr double SensibleSplit[] = {0.7, 0.2, 0.1};
// ... each the more by this share for every step its rating stands from the best.
inline constexpr double SensibleCatchUp = 1.0;
// What a team keeps aside beyond the season's costs still to pay.
inline constexpr double Cushion = 10;
// A sensible principal pays one driver at most this share of a season's income.
inline constexpr double SalaryShare = 0.25;
// A sensible principal keeps a driver whose ratings only this many of the market's better.
inline constexpr int SensibleKeepBest = 8;
// A sensible principal pays buy-outs in a market up to this share of his money, the rest kept
// for the machine.
inline constexpr double SensibleBuyOuts = 0.5;
// A reckless principal pays his drivers this much over what they ask.
inline constexpr double RecklessPay = 1.5;

} // namespace karven::management::tuning
