#pragma once
// The negotiation: retention and offer cycles until every team is full or every driver settled.

namespace karven {

class Shell;
class Random;
class FrmKarvenOff;

// The cycle number stops growing here.
constexpr int MaxCycleNumber = 99999998;

// cmdStart. Continues on the current working state; asks first. False when the player declined.
bool OffStart(FrmKarvenOff& form, Shell& shell);
// Every team with a free seat offers its own drivers to stay.
void OffRetainCycle(FrmKarvenOff& form, Shell& shell, int R);
// Every team with a free seat approaches one driver of another team or without a team.
void OffOfferCycle(FrmKarvenOff& form, Shell& shell, int R);

// The four decisions, each drawing from `random` in the order the rules give.
bool TeamRetains(Random& random, int pointsRank, int scoreRank, int timRank, int R);
bool DriverStays(Random& random, int pointsRank, int scoreRank, int timRank, int R);
bool TeamOffers(Random& random, int scoreRank, int position, int timRank, int R);
bool DriverAccepts(Random& random, int scoreRank, int timRank, int R);

} // namespace karven
