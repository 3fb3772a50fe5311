#include "management/Management.h"

#include "management/Parts.h"
#include "management/Tuning.h"
#include "season/Translate.h"

namespace karven::management {

using namespace tuning;

namespace {
ManagedTeam Meet(const Season& season, int team) {
    ManagedTeam books;
    books.TimNm = season.TimTable[size_t(team)].TimNm;
    books.cash = ToMoney(ByPlace(StartFirst, StartLast, PaperPlace(season, team), Teams(season)));
    books.standing = StandingHigh;
    return books;
}

void Offer(Season& season) {
    ManagementState& m = season.history.management;
    for (int t = 1; t <= Teams(season); ++t) {
        ManagedTeam& books = m.teams[size_t(t)];
        books.offers = OffersFor(season, t, books.standing);
    }
}
} // namespace

bool Running(const Season& season) { return season.history.management.enabled && TeamInCharge(season) != 0; }

void Start(Season& season) {
    ManagementState& m = season.history.management;
    const bool first = m.Empty();
    m.enabled = true;
    Follow(season);
    if (!first) return;
    SettleContracts(season, Policy::Game);
    Offer(season);
    // The principal finds the programmes as the team ran them, and at least a little going on in
    // each; he changes them at 本部.
    for (int t = 1; t <= Teams(season); ++t) PlanSpending(season, t, m.teams[size_t(t)], Policy::Game);
    if (const int mine = TeamInCharge(season))
        for (Money& spend : m.teams[size_t(mine)].spend) spend = std::max(spend, MoneyUnit / 2);
    // The game's teams take their sponsors at once; the principal chooses before the next race.
    const int mine = TeamInCharge(season);
    for (int t = 1; t <= Teams(season); ++t)
        if (t != mine) TakeOfferOf(season, t, ChooseOffer(season, t, m.teams[size_t(t)], Policy::Game));
}

void Rest(Season& season) { season.history.management.enabled = false; }

void Follow(Season& season) {
    ManagementState& m = season.history.management;
    if (m.Empty()) return;
    m.race = std::min(m.race, ReadCount(season.Sis.EndGp));
    bool same = m.teams.size() == season.TimTable.size();
    for (size_t t = 1; same && t < m.teams.size(); ++t) same = m.teams[t].TimNm == season.TimTable[t].TimNm;
    if (same) return;
    // A team keeps its books by its name; a new one is met, a deleted one's go with it.
    std::vector<ManagedTeam> old = std::move(m.teams);
    m.teams.assign(1, {});
    std::vector<char> taken(old.size());
    for (int t = 1; t <= Teams(season); ++t) {
        const std::string& name = season.TimTable[size_t(t)].TimNm;
        size_t found = 0;
        for (size_t i = 1; i < old.size() && !found; ++i)
            if (!taken[i] && old[i].TimNm == name) found = i;
        if (found) {
            taken[found] = 1;
            m.teams.push_back(std::move(old[found]));
        } else {
            m.teams.push_back(Meet(season, t));
            m.teams.back().offers = OffersFor(season, t, StandingHigh);
        }
    }
    m.race = std::min(m.race, ReadCount(season.Sis.EndGp));
}

std::vector<double> PointsBefore(const Season& season) {
    std::vector<double> points(season.TimTable.size());
    for (size_t t = 1; t < season.TimTable.size(); ++t) points[t] = ReadNumber(season.TimTable[t].Points);
    return points;
}

void TakeOfferOf(Season& season, int team, int offer) {
    ManagedTeam& books = season.history.management.teams[size_t(team)];
    if (offer < 0 || offer >= int(books.offers.size())) return;
    books.sponsor = books.offers[size_t(offer)];
    books.sponsored = true;
    books.offers.clear();
}

void BookRace(Season& season, const std::vector<double>& pointsBefore, Policy principal) {
    if (!Running(season)) return;
    Follow(season);
    ManagementState& m = season.history.management;
    const int gp = ReadCount(season.Sis.EndGp);
    const double races = GpCount(season);
    double scored = 0;
    std::vector<double> gained(season.TimTable.size());
    for (int t = 1; t <= Teams(season); ++t) {
        double before = size_t(t) < pointsBefore.size() ? pointsBefore[size_t(t)] : 0;
        gained[size_t(t)] = std::max(0.0, ReadNumber(season.TimTable[size_t(t)].Points) - before);
        scored += gained[size_t(t)];
    }
    const std::vector<int> places = LastPlaces(season);
    const std::vector<WorldTeam*> machines = Machines(season);
    for (int t = 1; t <= Teams(season); ++t) {
        ManagedTeam& books = m.teams[size_t(t)];
        const Policy policy = PolicyOf(season, t, principal);
        // A sponsor not chosen before the first race is the first offered.
        if (!books.sponsored && !books.offers.empty())
            TakeOfferOf(season, t, policy == Policy::Player ? 0 : ChooseOffer(season, t, books, policy));
        Account race;
        race.income[income::Share] = ToMoney(SeasonShare / races);
        if (scored > 0) race.income[income::Points] = ToMoney(PointsPool * gained[size_t(t)] / scored);
        if (books.sponsored) race.income[income::Sponsor] = ToMoney(Units(books.sponsor.money) / races);
        race.spending[spending::Salaries] = ToMoney(Units(Salaries(season, t)) / races);
        race.spending[spending::Running] = ToMoney(RunningCost / races);
        if (books.cash < 0) race.spending[spending::Interest] = ToMoney(Units(-books.cash) * Interest);
        books.cash += race.In() - race.Out();
        if (gained[size_t(t)] > 0) ++books.scoringRaces;
        // Then the programmes, as far as the money goes.
        if (policy != Policy::Player) PlanSpending(season, t, books, policy);
        Money before = books.cash;
        RunProgrammes(season, t, gp, places[size_t(t)], machines[size_t(t)]);
        race.spending[spending::Development] = before - books.cash;
        books.account.Add(race);
        books.races.push_back(race);
    }
    ShowProgress(season, gp);
    if (gp >= GpCount(season)) PayTheSeason(season);
    m.race = std::min(m.race + 1, MaxGpCount);
}

std::string MoneyText(Money money) {
    const Money tenths = money < 0 ? -money : money;
    return TrF("{1}百万", (money < 0 ? "-" : "") + std::to_string(tenths / MoneyUnit) + "." + std::to_string(tenths % MoneyUnit));
}

Money SalaryRoom(const ManagedTeam& books) { return Money(double(books.account.In()) * tuning::SalaryShare); }

double RecklessPay() { return tuning::RecklessPay; }

bool CanSign(const Season& season, int team) {
    const ManagementState& m = season.history.management;
    if (!Running(season) || team <= 0 || team >= int(m.teams.size())) return true;
    return m.teams[size_t(team)].cash > -ToMoney(tuning::Credit);
}

bool TakeOffer(Season& season, int offer) {
    const int team = TeamInCharge(season);
    if (!Running(season) || team == 0) return false;
    const ManagedTeam& books = season.history.management.teams[size_t(team)];
    if (offer < 0 || offer >= int(books.offers.size())) return false;
    TakeOfferOf(season, team, offer);
    return true;
}

void SetSpend(Season& season, int programme, Money spend) {
    const int team = TeamInCharge(season);
    if (!Running(season) || team == 0 || programme < 0 || programme >= Programmes) return;
    season.history.management.teams[size_t(team)].spend[size_t(programme)] = std::clamp(spend, Money(0), ToMoney(MaxSpend));
}

} // namespace karven::management
