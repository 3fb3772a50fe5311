#include "management/Parts.h"
#include "management/Tuning.h"
#include "season/Translate.h"
#include "world/Draws.h"

namespace karven::management {

using namespace tuning;

std::vector<SponsorDeal> OffersFor(const Season& season, int team, int standing) {
    const int teams = Teams(season);
    const int place = PaperPlace(season, team);
    const double behind = Behind(place, teams);
    world::Draws draws(season.history.world, world::Purpose::Sponsors, uint64_t(team));
    const double base = ByPlace(SponsorFirst, SponsorLast, place, teams) * std::clamp(standing, 0, 1000) / 100.0;
    auto deal = [&](SponsorGoal goal, int target, double money, double bonus) {
        const double luck = draws.Between(0.9, 1.1);
        return SponsorDeal{goal, target, "", ToMoney(base * money * luck), ToMoney(base * SponsorBonus * bonus * luck)};
    };
    std::vector<SponsorDeal> offers;
    // Points in most races for the front of the field, in a few for the back: a safe deal.
    const int races = std::clamp(int(std::lround(GpCount(season) * (0.85 - 0.8 * behind))), 1, GpCount(season));
    offers.push_back(deal(SponsorGoal::Points, races, 0.85, 0.8));
    // A place in the standings: the team's place on paper.
    offers.push_back(deal(SponsorGoal::Place, std::min(teams, place), 1.0, 1.2));
    // Beating the team above on paper (the second for the strongest): the boldest.
    SponsorDeal beat = deal(SponsorGoal::Beat, 0, 1.1, 1.8);
    int rival = 0;
    for (int t = 1; t <= teams && teams > 1; ++t)
        if (t != team && PaperPlace(season, t) == (place == 1 ? 2 : place - 1)) rival = t;
    if (rival) {
        beat.rival = season.TimTable[size_t(rival)].TimNm;
        offers.push_back(beat);
    }
    return offers;
}

bool DealMet(const Season& season, const ManagedTeam& books, int team, const std::vector<int>& places) {
    const SponsorDeal& d = books.sponsor;
    switch (d.goal) {
    case SponsorGoal::Points: return books.scoringRaces >= d.target;
    case SponsorGoal::Place: return places[size_t(team)] <= d.target;
    case SponsorGoal::Beat:
        for (int t = 1; t <= Teams(season); ++t)
            if (season.TimTable[size_t(t)].TimNm == d.rival) return places[size_t(team)] < places[size_t(t)];
        return true; // the rival is gone: nobody to lose to
    }
    return false;
}

std::string DealText(const SponsorDeal& d) {
    switch (d.goal) {
    case SponsorGoal::Points: return TrF("{1}レースで入賞", FormatPlain(d.target));
    case SponsorGoal::Place: return d.target == 1 ? Tr("コンストラクターズチャンピオン") : TrF("コンストラクターズ{1}位以内", FormatPlain(d.target));
    case SponsorGoal::Beat: return TrF("{1} より上位", d.rival);
    }
    return "";
}

} // namespace karven::management
