#pragma once
// The board of the team the player runs: the target it sets before a season, from the team's
// machine and drivers against the field, and its verdict when the season closes.

#include <optional>
#include <string>
#include <vector>

#include "season/Season.h"

namespace karven::principal {


// The TimTable position of the team in charge; 0 for none (or a team the table no longer holds).
int TeamInCharge(const Season& season);
// 1 for the strongest team on paper: its machine counted twice, then its two drivers.
int StrengthRank(const Season& season, int team);
// The constructors' place the board asks for: the place on paper for the two strongest, one
// place of slack for the rest.
int BoardTarget(const Season& season, int team);

// The player takes the team (its target set for the season under way); "" gives it up.
void TakeCharge(Season& season, const std::string& TimNo);
// The board's target for the season about to run.
void SetTarget(Season& season);
// After a season closed with the team in charge: the verdict, kept in the record; a third miss
// in a row ends the job. Nothing when nobody was in charge.
std::optional<PrincipalSeason> Judge(Season& season);

// "コンストラクターズ5位以内", "コンストラクターズチャンピオン".
std::string TargetText(int target);
// "達成", "目標を上回る", "未達成".
std::string VerdictText(Verdict verdict);
// The board's word on a judged season, for the season summary; with the team's books, its money.
std::string VerdictMessage(const PrincipalSeason& judged, const ManagedSeason* books = nullptr);

} // namespace karven::principal
