#include "management/Parts.h"
#include "management/Tuning.h"
#include "world/Ratings.h"

namespace karven::management {

using namespace tuning;

Policy PolicyOf(const Season& season, int team, Policy principal) {
    return team == TeamInCharge(season) ? principal : Policy::Game;
}

void PlanSpending(const Season& season, int team, ManagedTeam& books, Policy policy) {
    if (policy == Policy::Player) return;
    if (policy == Policy::Reckless) {
        books.spend.fill(ToMoney(MaxSpend));
        return;
    }
    const int gp = ReadCount(season.Sis.EndGp);
    const int left = std::max(1, GpCount(season) - gp + 1); // this race's spending included
    const double share = policy == Policy::Sensible ? SensibleShare : GameShare;
    const double spare = Units(books.cash - CostsAhead(season, team, gp)) - Cushion;
    const double perRace = std::max(0.0, share * spare / left);
    // The game spreads its money evenly; a sensible principal puts it where the lap times are made,
    // the more the further the machine's rating is from the best: a rating at the top of the
    // scale gains little from more.
    std::array<double, Programmes> part{};
    double parts = 0;
    for (int r = 0; r < Programmes; ++r) {
        const TimRecord& machine = season.TimTable[size_t(team)];
        const std::string& field = r == rating::Speed ? machine.Speed : r == rating::Aero ? machine.Aero : machine.Stability;
        const double behind = std::clamp(r == rating::TeamStability ? 5 - world::TeamRatingOf(r, field)
                                                                     : world::TeamRatingOf(r, field) - 1, 0.0, 4.0);
        part[size_t(r)] = SensibleSplit[r] * (1 + SensibleCatchUp * behind);
        parts += part[size_t(r)];
    }
    for (int r = 0; r < Programmes; ++r) {
        const double money = policy == Policy::Sensible ? perRace * part[size_t(r)] / parts : perRace * (1.0 / Programmes);
        books.spend[size_t(r)] = std::min(ToMoney(MaxSpend), ToMoney(money));
    }
}

int ChooseOffer(const Season&, int, const ManagedTeam& books, Policy policy) {
    // The game takes the surest money, a sensible principal what he may expect with the bonus,
    // a reckless one the biggest bonus.
    constexpr double Likely[SponsorGoals] = {0.75, 0.5, 0.45};
    int best = -1;
    double bestValue = 0;
    for (size_t i = 0; i < books.offers.size(); ++i) {
        const SponsorDeal& d = books.offers[i];
        double value = policy == Policy::Reckless   ? Units(d.bonus)
                       : policy == Policy::Sensible ? Units(d.money) + Likely[int(d.goal)] * Units(d.bonus)
                                                    : Units(d.money) + Units(d.bonus) * (d.goal == SponsorGoal::Points);
        if (best < 0 || value > bestValue) {
            best = int(i);
            bestValue = value;
        }
    }
    return best;
}

} // namespace karven::management
