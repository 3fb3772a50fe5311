#include "management/Parts.h"
#include "management/Tuning.h"
#include "world/Draws.h"
#include "world/Ratings.h"

namespace karven::management {

using namespace tuning;

namespace {
std::array<int, 4> WholeRatings(const DrvRecord& d) {
    return {int(world::DriverRatingOf(rating::Technique, d.Technique)), int(world::DriverRatingOf(rating::Roughness, d.Roughness)),
            int(world::DriverRatingOf(rating::Block, d.Block)), int(world::DriverRatingOf(rating::DriverStability, d.Stability))};
}

Contract* ContractOf(ManagementState& m, const std::string& DrvNm) {
    for (Contract& c : m.contracts)
        if (c.DrvNm == DrvNm) return &c;
    return nullptr;
}

int TeamNamed(const Season& season, const std::string& TimNm) {
    for (int t = 1; t <= Teams(season); ++t)
        if (season.TimTable[size_t(t)].TimNm == TimNm) return t;
    return 0;
}
} // namespace

Money Demand(const std::array<int, 4>& ratings) {
    std::array<double, rating::Drivers> values{};
    for (int r = 0; r < rating::Drivers; ++r) values[size_t(r)] = ratings[size_t(r)];
    const double q = std::clamp(world::DriverOverall(values), 0.0, 1.0);
    return ToMoney(SalaryFloor + (SalaryTop - SalaryFloor) * std::pow(q, SalaryCurve));
}

Money DemandOf(const Season& season, int driver) { return Demand(WholeRatings(season.DrvTable[size_t(driver)])); }

Money Salaries(const Season& season, int team) {
    Money sum = 0;
    const std::string& name = season.TimTable[size_t(team)].TimNm;
    for (const Contract& c : season.history.management.contracts)
        if (c.TimNm == name) sum += c.salary;
    return sum;
}

Money CostsAhead(const Season& season, int team, int gp) {
    const int races = GpCount(season), left = std::max(0, races - gp);
    return ToMoney((Units(Salaries(season, team)) + RunningCost) * left / races);
}

Money BuyOut(const Season& season, const std::string& DrvNm, const std::string& toTimNm) {
    for (const Contract& c : season.history.management.contracts)
        if (c.DrvNm == DrvNm && c.TimNm != toTimNm && !c.TimNm.empty()) return c.salary * std::max(0, c.seasons - 1);
    return 0;
}

namespace {
// Who drives for which team, by name ("" without a seat).
struct Seats {
    std::vector<std::pair<std::string, std::string>> drivers;
};

Seats SeatsOf(const Season& season) {
    Seats seats;
    for (size_t d = 1; d < season.DrvTable.size(); ++d) {
        const DrvRecord& r = season.DrvTable[d];
        std::string team;
        for (int t = 1; t <= Teams(season) && !r.TimNo.empty(); ++t)
            if (season.TimTable[size_t(t)].TimNo == r.TimNo) team = season.TimTable[size_t(t)].TimNm;
        seats.drivers.emplace_back(r.DrvNm, team);
    }
    return seats;
}
} // namespace

Money Asking(Money demand, int place, int teams) {
    return ToMoney(Units(demand) / (FrontDiscount - StandingWeight * Behind(place, teams)));
}

Reply ReplyTo(Money offered, Money asking) {
    if (offered >= asking) return Reply::Accepts;
    return double(offered) >= AsksMoreFrom * double(asking) ? Reply::AsksMore : Reply::Refuses;
}

void SettleContracts(Season& season, Policy principal, const std::vector<Contract>& signings) {
    ManagementState& m = season.history.management;
    const bool closing = !m.contracts.empty();
    std::vector<Contract> kept;
    const int mine = TeamInCharge(season);
    world::Draws draws(season.history.world, world::Purpose::Contracts);
    for (const auto& seat : SeatsOf(season).drivers) {
        const std::string& name = seat.first;
        const std::string& team = seat.second;
        const int length = draws.WholeBetween(ShortestContract, LongestContract);
        if (team.empty()) continue;
        const int t = TeamNamed(season, team);
        Contract* old = ContractOf(m, name);
        if (old && old->TimNm == team && (!closing || old->seasons > 1)) {
            Contract c = *old;
            if (closing) --c.seasons;
            kept.push_back(c);
            continue;
        }
        // Bought out of a contract that still ran: the new team pays the old.
        if (closing && old && old->TimNm != team && old->seasons > 1) {
            const Money price = old->salary * (old->seasons - 1);
            ManagedTeam& buyer = m.teams[size_t(t)];
            buyer.cash -= price;
            buyer.account.spending[spending::Transfers] += price;
            if (int seller = TeamNamed(season, old->TimNm)) {
                m.teams[size_t(seller)].cash += price;
                m.teams[size_t(seller)].account.income[income::Transfers] += price;
            }
        }
        // What the principal agreed holds; anyone else signs for what he asks.
        auto agreed = std::find_if(signings.begin(), signings.end(),
                                   [&](const Contract& s) { return s.DrvNm == name && s.TimNm == team; });
        if (agreed != signings.end()) {
            kept.push_back(*agreed);
            continue;
        }
        Contract c{name, team, 0, length};
        for (size_t d = 1; d < season.DrvTable.size(); ++d)
            if (season.DrvTable[d].DrvNm == name) c.salary = DemandOf(season, int(d));
        if (t == mine && principal == Policy::Reckless) {
            c.salary = ToMoney(Units(c.salary) * tuning::RecklessPay);
            c.seasons = LongestContract;
        }
        kept.push_back(c);
    }
    m.contracts = std::move(kept);
}

} // namespace karven::management
