#include "management/Parts.h"
#include "management/Tuning.h"

namespace karven::management {

using namespace tuning;

namespace {
// Each team's place in the closed season's constructors' standings, by name; a team that scored
// nothing finished behind every team that did.
std::vector<int> ClosedPlaces(const Season& season) {
    std::vector<int> places(size_t(Teams(season)) + 1, 0);
    if (season.history.seasons.empty()) return StandingPlaces(season);
    const ArchivedSeason& closed = season.history.seasons.back();
    int last = 0;
    for (const ArchivedTeam& a : closed.constructors) last = std::max(last, a.place);
    for (int t = 1; t <= Teams(season); ++t) {
        for (const ArchivedTeam& a : closed.constructors)
            if (closed.Name(a.team) == season.TimTable[size_t(t)].TimNm) places[size_t(t)] = a.place;
        if (places[size_t(t)] == 0) places[size_t(t)] = std::max(last + 1, Teams(season));
    }
    return places;
}

} // namespace

std::vector<int> LastPlaces(const Season& season) {
    if (!season.history.seasons.empty()) return ClosedPlaces(season);
    std::vector<int> places(size_t(Teams(season)) + 1, 0);
    for (int t = 1; t <= Teams(season); ++t) places[size_t(t)] = PaperPlace(season, t);
    return places;
}

namespace {
// What belongs to one season only, cleared for the next; progress still to show is carried over.
void Clear(ManagedTeam& books, int races) {
    books.season = {};
    books.steps = {};
    books.scoringRaces = 0;
    books.account = {};
    books.races.clear();
    books.sponsored = false;
    books.sponsor = {};
    for (Pending& p : books.pending) p.due = std::max(0, p.due - races);
}

void OfferTheNext(Season& season, Policy principal) {
    ManagementState& m = season.history.management;
    m.race = 0;
    const int mine = TeamInCharge(season);
    for (int t = 1; t <= Teams(season); ++t) {
        ManagedTeam& books = m.teams[size_t(t)];
        books.offers = OffersFor(season, t, books.standing);
        const Policy policy = PolicyOf(season, t, principal);
        if (t != mine || policy != Policy::Player) TakeOfferOf(season, t, ChooseOffer(season, t, books, policy));
    }
}
} // namespace

void PayTheSeason(Season& season) {
    ManagementState& m = season.history.management;
    const std::vector<int> places = StandingPlaces(season);
    const int teams = Teams(season);
    for (int t = 1; t <= teams; ++t) {
        ManagedTeam& books = m.teams[size_t(t)];
        Account paid;
        paid.income[income::Prize] = ToMoney(ByPlace(PrizeFirst, PrizeLast, places[size_t(t)], teams));
        if (books.sponsored && DealMet(season, books, t, places)) paid.income[income::Bonus] = books.sponsor.bonus;
        books.cash += paid.In();
        books.account.Add(paid);
        if (!books.races.empty()) books.races.back().Add(paid);
    }
}

void CloseSeason(Season& season, Policy principal, const std::vector<Contract>& signings) {
    if (!Running(season)) return;
    Follow(season);
    ManagementState& m = season.history.management;
    const std::vector<int> places = ClosedPlaces(season);
    const int teams = Teams(season), mine = TeamInCharge(season);
    const int races = GpCount(season);
    const int number = season.history.seasons.empty() ? 0 : season.history.seasons.back().number;
    // The market belongs to the season it closes: its buy-outs are in the books the board reads.
    SettleContracts(season, principal, signings);
    std::erase_if(m.seasons, [&](const ManagedSeason& o) { return o.season == number; });
    for (int t = 1; t <= teams; ++t) {
        ManagedTeam& books = m.teams[size_t(t)];
        const bool met = books.sponsored && DealMet(season, books, t, places);
        if (number > 0) {
            ManagedSeason s;
            s.season = number;
            s.TimNm = books.TimNm;
            s.inCharge = t == mine;
            s.end = books.cash;
            s.start = books.cash - books.account.In() + books.account.Out();
            s.account = books.account;
            s.progress = books.season;
            s.sponsored = books.sponsored;
            s.sponsorMet = met;
            s.bankrupt = books.cash < -ToMoney(Bankruptcy);
            m.seasons.push_back(s);
        }
        if (books.sponsored)
            books.standing = std::clamp(books.standing * (met ? StandingMet : StandingMissed) / 100, StandingLow, StandingHigh);
        Clear(books, races);
    }
    OfferTheNext(season, principal);
}

const ManagedSeason* BooksOf(const Season& season, int number, const std::string& TimNm) {
    const ManagementState& m = season.history.management;
    for (auto s = m.seasons.rbegin(); s != m.seasons.rend(); ++s)
        if (s->season == number && s->TimNm == TimNm) return &*s;
    return nullptr;
}

void NewSeason(Season& season) {
    if (!Running(season)) return;
    Follow(season);
    ManagementState& m = season.history.management;
    for (int t = 1; t <= Teams(season); ++t) Clear(m.teams[size_t(t)], GpCount(season));
    OfferTheNext(season, Policy::Player);
}

} // namespace karven::management
