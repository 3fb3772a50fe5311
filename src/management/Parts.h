#pragma once
// The management's parts, as its procedures call them.

#include <vector>

#include "management/Field.h"
#include "management/Management.h"

namespace karven::management {

// Whose choices run a team: the team in charge by the principal's policy, every other by the game's.
Policy PolicyOf(const Season& season, int team, Policy principal);

// Development: what each programme found in this race, what shows from it, and the whole steps
// the machines take during the season.
// `place`: the team's place at the front of the field (LastPlaces).
void RunProgrammes(Season& season, int team, int gp, int place, WorldTeam* machine);
// Each team's machine as the world keeps it, by table position; nullptr where it keeps none.
std::vector<WorldTeam*> Machines(Season& season);
void ShowProgress(Season& season, int gp);

// Each team's place in the last closed season's constructors' standings, [0] unused; before
// the first, its place on paper.
std::vector<int> LastPlaces(const Season& season);

// After the season's last race: the prize money by the constructors' place, and the sponsors'
// bonuses of the targets met.
void PayTheSeason(Season& season);

// Sponsors: the offers of a season to a team, and whether a deal's target was met.
std::vector<SponsorDeal> OffersFor(const Season& season, int team, int standing);
bool DealMet(const Season& season, const ManagedTeam& books, int team, const std::vector<int>& places);

// A team takes one of its sponsors' offers (its position among them).
void TakeOfferOf(Season& season, int team, int offer);

// Policies: each race's spending on the programmes, and the offer taken.
void PlanSpending(const Season& season, int team, ManagedTeam& books, Policy policy);
int ChooseOffer(const Season& season, int team, const ManagedTeam& books, Policy policy);

// Contracts: a contract for every seated driver without one of his team, buy-outs of those who
// moved while under contract, and the seasons counted down.
void SettleContracts(Season& season, Policy principal, const std::vector<Contract>& signings = {});
// The season's salaries of a team.
Money Salaries(const Season& season, int team);
// The costs a team still has to pay this season, after `gp`.
Money CostsAhead(const Season& season, int team, int gp);

} // namespace karven::management
