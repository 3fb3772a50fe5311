#pragma once
// karven-sim's JSON of running a team: money in units (百万), every team's books, the contracts,
// the sponsors and the programmes, and season by season how the economy went.

#include "season/Season.h"
#include "sim/SeasonJson.h"

namespace karven::sim {

// {"tyres", "rain", "teams": [{TimNm, inCharge, cash, spend[3], progress[3], thisSeason[3],
//  machine[3], sponsor|null, offers, standing, scoringRaces, income{}, spending{}}], "contracts",
//  "seasons": [the team in charge's closed seasons]}.
Json ManagementToJson(const Season& season);

// Every team's books of a closed season: {TimNm, income, spending, development, cash}, the
// market's buy-outs counted as it closed the season.
Json ClosedBooksToJson(const ManagementState& management, int season);

} // namespace karven::sim
