#include "world/Changes.h"

#include <algorithm>
#include <map>

#include "season/Numbers.h"
#include "season/Translate.h"
#include "world/Ratings.h"

namespace karven::world {

namespace {
constexpr const char* DriverRatingNames[rating::Drivers] = {"テクニック", "荒さ", "ブロック", "安定性"};
constexpr const char* TeamRatingNames[rating::Teams] = {"スピード", "空力", "安定性"};

struct Change {
    std::string name, text;
    double amount = 0; // qualities gained, negative when lost
};

// The ratings that changed, as the editors' letters, and how much better or worse they are.
template <size_t N, class Quality, class Letter>
Change Compare(const std::string& name, const std::array<int, N>& was, const std::array<int, N>& now,
               const char* const (&names)[N], Quality quality, Letter letter) {
    Change c{name, "", 0};
    for (size_t r = 0; r < N; ++r) {
        if (was[r] == now[r]) continue;
        c.amount += quality(int(r), now[r]) - quality(int(r), was[r]);
        if (!c.text.empty()) c.text += Tr("、");
        c.text += TrF("{1} {2}→{3}", Tr(names[r]), letter(int(r), was[r]), letter(int(r), now[r]));
    }
    return c;
}

void AddMost(std::vector<std::vector<std::string>>& rows, std::vector<Change> changes, size_t most, const char* rise,
             const char* fall) {
    std::stable_sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) { return a.amount > b.amount; });
    for (size_t i = 0; i < changes.size() && i < most && changes[i].amount > 0; ++i)
        rows.push_back({Tr(rise), changes[i].name, changes[i].text});
    for (size_t i = 0; i < changes.size() && i < most; ++i) {
        const Change& c = changes[changes.size() - 1 - i];
        if (c.amount < 0) rows.push_back({Tr(fall), c.name, c.text});
    }
}
} // namespace

std::vector<std::vector<std::string>> OffSeasonChanges(const Season& season, size_t most) {
    std::vector<std::vector<std::string>> rows;
    const WorldState& w = season.history.world;
    if (season.history.seasons.empty()) return rows;
    const WorldSeason* facts = w.SeasonOf(season.history.seasons.back().number);
    if (!facts) return rows;
    for (const RetiredDriver& x : w.retired)
        if (x.season == facts->season) rows.push_back({Tr("引退"), x.DrvNm, TrF("{1}歳", x.age)});
    const std::vector<size_t> driverAt = WorldDriverIndex(w, season), teamAt = WorldTeamIndex(w, season);
    for (const std::string& name : facts->debuts)
        for (size_t k = 1; k < season.DrvTable.size(); ++k)
            if (season.DrvTable[k].DrvNm == name && driverAt[k])
                rows.push_back({Tr("デビュー"), name, TrF("{1}歳", w.drivers[driverAt[k]].age)});

    std::map<std::string, const RatedDriver*> raced;
    for (const RatedDriver& d : facts->drivers) raced[d.DrvNm] = &d;
    std::vector<Change> drivers;
    for (size_t k = 1; k < season.DrvTable.size(); ++k) {
        auto at = raced.find(season.DrvTable[k].DrvNm);
        if (at == raced.end() || !driverAt[k]) continue;
        drivers.push_back(Compare(at->first, at->second->ratings, w.drivers[driverAt[k]].whole, DriverRatingNames,
                                  DriverQuality, DriverLetter));
    }
    AddMost(rows, drivers, most, "上昇", "下降");
    std::vector<Change> teams;
    for (const RatedTeam& t : facts->teams)
        for (size_t i = 1; i < season.TimTable.size(); ++i)
            if (season.TimTable[i].TimNm == t.TimNm && teamAt[i])
                teams.push_back(Compare(t.TimNm, t.ratings, w.teams[teamAt[i]].whole, TeamRatingNames, TeamQuality, TeamLetter));
    AddMost(rows, teams, most, "マシン上昇", "マシン下降");
    if (facts->regulations) rows.insert(rows.begin(), {Tr("新レギュレーション"), Tr("全チーム"), Tr("マシンの勢力図が大きく変わりました。")});
    return rows;
}

} // namespace karven::world
