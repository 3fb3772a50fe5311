#include "sim/ManagementJson.h"

#include "management/Management.h"

namespace karven::sim {

namespace {
double Units(Money m) { return double(m) / double(MoneyUnit); }

Json AccountToJson(const Account& a) {
    constexpr const char* In[income::Kinds] = {"share", "points", "prize", "sponsor", "bonus", "transfers"};
    constexpr const char* Out[spending::Kinds] = {"salaries", "development", "running", "transfers", "interest"};
    Json income = Json::object(), spending = Json::object();
    for (int i = 0; i < income::Kinds; ++i) income[In[i]] = Units(a.income[size_t(i)]);
    for (int i = 0; i < spending::Kinds; ++i) spending[Out[i]] = Units(a.spending[size_t(i)]);
    return {{"income", income}, {"spending", spending}};
}

Json DealToJson(const SponsorDeal& d) {
    constexpr const char* Goal[SponsorGoals] = {"points", "place", "beat"};
    return {{"goal", Goal[int(d.goal)]}, {"target", d.target}, {"rival", d.rival}, {"money", Units(d.money)}, {"bonus", Units(d.bonus)}};
}

template <size_t N, class T> Json Array(const std::array<T, N>& values, double scale = 1) {
    Json out = Json::array();
    for (T v : values) out.push_back(double(v) * scale);
    return out;
}
} // namespace

Json ManagementToJson(const Season& season) {
    const ManagementState& m = season.history.management;
    const int mine = management::TeamInCharge(season);
    Json teams = Json::array();
    for (size_t t = 1; t < m.teams.size() && t < season.TimTable.size(); ++t) {
        const ManagedTeam& b = m.teams[t];
        const TimRecord& r = season.TimTable[t];
        Json offers = Json::array();
        for (const SponsorDeal& d : b.offers) offers.push_back(DealToJson(d));
        Json team = {{"TimNm", b.TimNm},
                     {"inCharge", int(t) == mine},
                     {"cash", Units(b.cash)},
                     {"spend", Array(b.spend, 1.0 / MoneyUnit)},
                     {"progress", Array(b.progress)},
                     {"thisSeason", Array(b.season)},
                     {"machine", Json::array({r.Speed, r.Aero, r.Stability})},
                     {"sponsor", b.sponsored ? DealToJson(b.sponsor) : Json(nullptr)},
                     {"offers", offers},
                     {"standing", b.standing},
                     {"scoringRaces", b.scoringRaces}};
        team.update(AccountToJson(b.account));
        teams.push_back(team);
    }
    Json contracts = Json::array();
    for (const Contract& c : m.contracts)
        contracts.push_back({{"DrvNm", c.DrvNm}, {"TimNm", c.TimNm}, {"salary", Units(c.salary)}, {"seasons", c.seasons}});
    Json seasons = Json::array();
    for (const ManagedSeason& s : m.seasons) {
        if (!s.inCharge) continue;
        Json record = {{"season", s.season},         {"TimNm", s.TimNm},         {"start", Units(s.start)},
                       {"end", Units(s.end)},         {"progress", Array(s.progress)}, {"sponsored", s.sponsored},
                       {"sponsorMet", s.sponsorMet},  {"bankrupt", s.bankrupt}};
        record.update(AccountToJson(s.account));
        seasons.push_back(record);
    }
    return {{"running", management::Running(season)},
            {"tyres", int(m.tyres)},
            {"rain", int(m.rain)},
            {"teams", teams},
            {"contracts", contracts},
            {"seasons", seasons}};
}

Json ClosedBooksToJson(const ManagementState& m, int season) {
    Json teams = Json::array();
    for (const ManagedSeason& s : m.seasons)
        if (s.season == season)
            teams.push_back({{"TimNm", s.TimNm},
                             {"income", Units(s.account.In())},
                             {"spending", Units(s.account.Out())},
                             {"development", Units(s.account.spending[spending::Development])},
                             {"cash", Units(s.end)}});
    return teams;
}

} // namespace karven::sim
