#pragma once
// Running a team beside the rules: while a principal is in charge every team has money, spends
// it on its machine and its drivers, and takes a sponsor; the principal's team by his choices
// (or a headless policy), every other by the game's own policy, so the world has one economy.
// Nothing here draws from the rules' generator: its chance is the world's.

#include <string>
#include <vector>

#include "season/ManagementState.h"

namespace karven {
struct Season;
}

namespace karven::management {

// Who makes the choices of the team in charge: the player (his choices stand until he changes
// them), or a headless policy. The game's own policy runs every other team and is karven-sim's
// "rules".
enum class Policy { Player, Game, Sensible, Reckless };

// Whether the management runs: a principal in charge, and it turned on.
bool Running(const Season& season);
// A principal took a team: the management runs, the first time meeting every team with money by
// its strength, a contract for every seated driver and sponsors' offers for the season.
void Start(Season& season);
// Nobody in charge: the management rests, its records kept.
void Rest(Season& season);
// The records follow the team table: a team renamed, added or deleted by an editor.
void Follow(Season& season);

// The team table's position of the team in charge; 0 for none.
int TeamInCharge(const Season& season);

// Each team's points before a race, to book what the race brought.
std::vector<double> PointsBefore(const Season& season);
// After a race: every team's income and costs, its programmes' spending and progress, and the
// machines' whole ratings where the progress shows.
void BookRace(Season& season, const std::vector<double>& pointsBefore, Policy principal);

// The world's turn, before it gives the machines their whole ratings: the field's progress of the
// season becomes the level every team is measured from, and new regulations undo part of each
// team's lead.
void BeforeRanking(Season& season, bool regulations);

// After a confirmed market: prize money, the sponsors' verdicts, contracts for the new seats and
// buy-outs for the drivers who moved, the closed season's record, and the next season's offers.
// `signings`: the contracts the team in charge agreed in the market.
void CloseSeason(Season& season, Policy principal, const std::vector<Contract>& signings = {});
// A season started afresh from the settings: everyone's season accounts cleared, new offers.
void NewSeason(Season& season);

// What a driver asks for a season, from his whole ratings (technique, roughness, block, stability).
Money Demand(const std::array<int, 4>& ratings);
Money DemandOf(const Season& season, int driver);
// Whether the team can sign a driver now: money left, its credit included. What he costs (a
// buy-out at once, his salary race by race) may take it into debt: the principal sees it first.
bool CanSign(const Season& season, int team);
// What a driver asks of a team for a season: his demand, less from a team at the front of the
// standings (`place` of `teams`), more from one at the back.
Money Asking(Money demand, int place, int teams);
// A driver's answer to an offer of `offered` a season when he asks `asking`.
enum class Reply { Accepts, AsksMore, Refuses };
Reply ReplyTo(Money offered, Money asking);

// What another team asks to release a driver under contract: the salary of his seasons left
// after this one.
Money BuyOut(const Season& season, const std::string& DrvNm, const std::string& toTimNm);

// The closed season's books of a team in charge; nullptr when there are none.
const ManagedSeason* BooksOf(const Season& season, int number, const std::string& TimNm);

// Money as the windows show it: "12.5百万", "-3.0百万" / "12.5M".
std::string MoneyText(Money money);

// The most a sensible principal pays one driver a season: a share of what the season brought in.
Money SalaryRoom(const ManagedTeam& books);
// How much over what they ask a reckless principal pays his drivers.
double RecklessPay();

// A sponsor's target, as the windows show it: "12レースで入賞", "○○ より上位".
std::string DealText(const SponsorDeal& deal);

// Takes a sponsor's offer for the team in charge; false when there is no such offer.
bool TakeOffer(Season& season, int offer);
// Sets what the team in charge spends on a programme each race.
void SetSpend(Season& season, int programme, Money spend);

} // namespace karven::management
