#include "world/Turn.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <set>

#include "offseason/FrmKarvenOff.h"
#include "season/HistoryLines.h"
#include "season/Numbers.h"
#include "world/Drivers.h"
#include "world/Machines.h"
#include "world/Names.h"
#include "world/Ratings.h"
#include "world/Tuning.h"

namespace karven::world {

using namespace tuning;

namespace {
int Drivers(const Season& s) { return int(s.DrvTable.size()) - 1; }
int Teams(const Season& s) { return int(s.TimTable.size()) - 1; }

// The bytes of a name as a number that no library's hash could change: FNV-1a.
uint64_t NameKey(const std::string& name) {
    uint64_t h = 0xCBF29CE484222325ull;
    for (unsigned char c : name) h = (h ^ c) * 0x100000001B3ull;
    return h;
}

std::array<int, rating::Drivers> WholeRatings(const DrvRecord& d) {
    return {int(DriverRatingOf(rating::Technique, d.Technique)), int(DriverRatingOf(rating::Roughness, d.Roughness)),
            int(DriverRatingOf(rating::Block, d.Block)), int(DriverRatingOf(rating::DriverStability, d.Stability))};
}

std::array<int, rating::Teams> WholeRatings(const TimRecord& t) {
    return {int(TeamRatingOf(rating::Speed, t.Speed)), int(TeamRatingOf(rating::Aero, t.Aero)),
            int(TeamRatingOf(rating::TeamStability, t.Stability))};
}

WorldTeam FirstLook(const TimRecord& record) {
    WorldTeam t;
    t.TimNm = record.TimNm;
    t.whole = WholeRatings(record);
    for (int r = 0; r < rating::Teams; ++r) t.ratings[r] = t.whole[r];
    return t;
}

// A whole rating the player set since the world last gave one: his value counts, as the skill.
template <size_t N> void TakeEdits(std::array<double, N>& ratings, std::array<int, N>& whole, const std::array<int, N>& now) {
    for (size_t r = 0; r < N; ++r)
        if (whole[r] != now[r]) {
            whole[r] = now[r];
            ratings[r] = now[r];
        }
}

// The whole rating each of the field takes by rank: the best skill the best value the field
// began with, and so on down, the field's size spread over the values it began with.
std::vector<int> ByRank(const std::vector<double>& qualities, const std::vector<int>& scale) {
    std::vector<int> whole(qualities.size());
    if (scale.empty()) return whole;
    std::vector<size_t> order(qualities.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return qualities[a] > qualities[b]; });
    for (size_t i = 0; i < order.size(); ++i) whole[order[i]] = scale[std::min(scale.size() - 1, i * scale.size() / order.size())];
    return whole;
}

// The field's mean and spread of each rating's quality.
void FieldLevel(const WorldState& w, std::array<double, rating::Drivers>& mean, std::array<double, rating::Drivers>& spread) {
    mean = spread = {};
    const double n = double(w.drivers.size()) - 1;
    if (n <= 0) return;
    for (int r = 0; r < rating::Drivers; ++r) {
        double sum = 0, squares = 0;
        for (size_t k = 1; k < w.drivers.size(); ++k) {
            double q = DriverQuality(r, w.drivers[k].ratings[r]);
            sum += q;
            squares += q * q;
        }
        mean[r] = sum / n;
        spread[r] = std::sqrt(std::max(0.0, squares / n - mean[r] * mean[r]));
    }
}

// The field's whole ratings, best first, as the world keeps them.
template <class Quality> std::vector<int> Scale(std::vector<int> values, Quality quality) {
    std::stable_sort(values.begin(), values.end(), [&](int a, int b) { return quality(a) > quality(b); });
    return values;
}

// The names of the table and of the retired; a name of the history is looked up only for the
// few names the rookies are given (a long history holds the same names season after season).
std::set<std::string> TakenNames(const Season& s) {
    std::set<std::string> taken;
    for (size_t k = 1; k < s.DrvTable.size(); ++k) taken.insert(s.DrvTable[k].DrvNm);
    for (const RetiredDriver& x : s.history.world.retired) taken.insert(x.DrvNm);
    for (size_t t = 1; t < s.TimTable.size(); ++t) taken.insert(s.TimTable[t].TimNm);
    return taken;
}

bool InHistory(const Season& s, const std::string& name) {
    for (const ArchivedSeason& a : s.history.seasons)
        if (std::find(a.names.begin(), a.names.end(), name) != a.names.end()) return true;
    return false;
}

double RetireChance(int age) {
    if (age >= LastAge) return 1;
    if (age < 30) return RetireBefore30;
    constexpr size_t last = std::size(RetireByAge) - 1;
    return RetireByAge[std::min(size_t(age - 29), last)];
}

// The field's whole ratings given again by rank, into the world's records and the rules' fields.
// A driver's rank takes his form of the year with his skill: the best are not the best every year.
void RateByRank(Season& season) {
    WorldState& w = season.history.world;
    const size_t drivers = std::min(season.DrvTable.size(), w.drivers.size()) - 1;
    Draws form(w, Purpose::Form);
    for (int r = 0; r < rating::Drivers; ++r) {
        std::vector<double> quality;
        for (size_t k = 1; k <= drivers; ++k)
            quality.push_back(DriverQuality(r, w.drivers[k].ratings[r]) + form.Normal(FormSpread));
        std::vector<int> whole = ByRank(quality, w.driverScale[size_t(r)]);
        if (w.driverScale[size_t(r)].empty()) continue;
        for (size_t k = 1; k <= drivers; ++k) {
            w.drivers[k].whole[size_t(r)] = whole[k - 1];
            DrvRecord& d = season.DrvTable[k];
            std::string* fields[rating::Drivers] = {&d.Technique, &d.Roughness, &d.Block, &d.Stability};
            *fields[r] = FormatPlain(whole[k - 1]);
        }
    }
    const size_t teams = std::min(season.TimTable.size(), w.teams.size()) - 1;
    for (int r = 0; r < rating::Teams; ++r) {
        std::vector<double> quality;
        for (size_t t = 1; t <= teams; ++t)
            quality.push_back(TeamQuality(r, w.teams[t].ratings[r]) + form.Normal(MachineFormSpread));
        std::vector<int> whole = ByRank(quality, w.machineScale[size_t(r)]);
        if (w.machineScale[size_t(r)].empty()) continue;
        for (size_t t = 1; t <= teams; ++t) {
            w.teams[t].whole[size_t(r)] = whole[t - 1];
            TimRecord& team = season.TimTable[t];
            std::string* fields[rating::Teams] = {&team.Speed, &team.Aero, &team.Stability};
            *fields[r] = FormatPlain(whole[t - 1]);
        }
    }
}
} // namespace

void SyncWorld(Season& season) {
    WorldState& w = season.history.world;
    // Each driver and team takes the record of his name, wherever it stood, one set apart as
    // matching nobody included; what still matches nobody stays apart.
    auto gather = [](auto& records, auto& unmatched) {
        for (auto& r : unmatched) records.push_back(std::move(r));
        unmatched.clear();
    };
    gather(w.drivers, w.unmatchedDrivers);
    gather(w.teams, w.unmatchedTeams);
    const std::vector<size_t> driverAt = WorldDriverIndex(w, season), teamAt = WorldTeamIndex(w, season);
    std::vector<char> taken(w.drivers.size()), takenTeams(w.teams.size());
    std::vector<WorldDriver> old = std::move(w.drivers);
    w.drivers.assign(1, {});
    for (int k = 1; k <= Drivers(season); ++k) {
        const DrvRecord& record = season.DrvTable[k];
        if (size_t found = driverAt[size_t(k)]) {
            taken[found] = 1;
            WorldDriver d = old[found];
            TakeEdits(d.ratings, d.whole, WholeRatings(record));
            w.drivers.push_back(d);
        } else {
            Draws draws(w, Purpose::Newcomer, NameKey(record.DrvNm) ^ uint64_t(k));
            w.drivers.push_back(FirstLook(record, draws));
        }
    }
    std::vector<WorldTeam> oldTeams = std::move(w.teams);
    w.teams.assign(1, {});
    for (int t = 1; t <= Teams(season); ++t) {
        const TimRecord& record = season.TimTable[t];
        WorldTeam team = FirstLook(record);
        if (size_t found = teamAt[size_t(t)]) {
            takenTeams[found] = 1;
            team = oldTeams[found];
            TakeEdits(team.ratings, team.whole, WholeRatings(record));
        }
        w.teams.push_back(team);
    }
    for (size_t i = 1; i < old.size(); ++i)
        if (!taken[i]) w.unmatchedDrivers.push_back(std::move(old[i]));
    for (size_t i = 1; i < oldTeams.size(); ++i)
        if (!takenTeams[i]) w.unmatchedTeams.push_back(std::move(oldTeams[i]));
}

void EnableWorld(Season& season, uint64_t seed) {
    WorldState& w = season.history.world;
    const bool first = w.Empty();
    if (first) w.seed = seed;
    w.enabled = true;
    SyncWorld(season);
    if (!first) return;
    w.fieldSize = Drivers(season);
    FieldLevel(w, w.driverLevel, w.driverSpread);
    for (int r = 0; r < rating::Drivers; ++r) {
        std::vector<int> values;
        for (size_t k = 1; k < w.drivers.size(); ++k) values.push_back(w.drivers[k].whole[size_t(r)]);
        w.driverScale[size_t(r)] = Scale(values, [r](int v) { return DriverQuality(r, v); });
    }
    for (int r = 0; r < rating::Teams; ++r) {
        std::vector<int> values;
        double sum = 0;
        for (size_t t = 1; t < w.teams.size(); ++t) {
            values.push_back(w.teams[t].whole[size_t(r)]);
            sum += TeamQuality(r, w.teams[t].ratings[r]);
        }
        w.machineLevel[r] = values.empty() ? 0.5 : sum / double(values.size());
        w.machineScale[size_t(r)] = Scale(values, [r](int v) { return TeamQuality(r, v); });
    }
}

void DisableWorld(Season& season) { season.history.world.enabled = false; }

MarketNews NewsOf(const Season& season) {
    const WorldState& w = season.history.world;
    MarketNews news;
    Draws draws(w, Purpose::Market);
    const int drivers = std::min(Drivers(season), int(w.drivers.size()) - 1);
    const int champion = MarketChampion(season);
    for (int k = 1; k <= drivers; ++k) {
        double chance = RetireChance(w.drivers[k].age);
        if (season.DrvTable[k].TimNo.empty()) chance *= UnseatedRetires;
        if (k == champion) chance *= ChampionRetires;
        if (w.drivers[k].age >= LastAge) chance = 1;
        if (draws.Chance(chance)) news.retiring.push_back(k);
    }

    // The rookies keep the field at its size, their potential around the level the field began at
    // and following its drift back there.
    const int staying = drivers - int(news.retiring.size());
    const int count = std::clamp(w.fieldSize - staying, 0, MaxDrvCount - Drivers(season));
    std::array<double, rating::Drivers> mean{}, spread{};
    FieldLevel(w, mean, spread);
    double shown = 0;
    for (size_t k = 1; k < w.drivers.size(); ++k) shown += AgeCurve(w.drivers[k].age);
    shown = w.drivers.size() > 1 ? shown / double(w.drivers.size() - 1) : 1;
    std::set<std::string> taken = TakenNames(season);
    std::vector<std::string> names;
    for (int k = 1; k <= Drivers(season); ++k) names.push_back(season.DrvTable[k].DrvNm);
    const Script script = ScriptOf(names);
    const double gpCount = ReadNumber(season.Sis.GpCount);
    for (int i = 0; i < count; ++i) {
        WorldDriver rookie;
        rookie.age = draws.WholeBetween(RookieYoungest, RookieOldest);
        const bool exceptional = draws.Chance(ExceptionalChance);
        const double talent = exceptional ? draws.Between(1.6, 2.6) : draws.Normal(1);
        for (int r = 0; r < rating::Drivers; ++r) {
            double level = w.driverLevel[r] / shown + LevelFeedback * (w.driverLevel[r] - mean[r]);
            double spreadOf = w.driverSpread[r] / shown;
            rookie.potential[r] = std::clamp(level + spreadOf * (0.75 * talent + 0.65 * draws.Normal(1)), 0.02, 1.0);
            rookie.ratings[r] = DriverValue(r, rookie.potential[r] * AgeCurve(rookie.age) + draws.Normal(0.03));
        }
        // A rookie named like a driver of the past would share his records.
        do {
            rookie.DrvNm = NewName(script, taken, draws);
            taken.insert(rookie.DrvNm);
        } while (InHistory(season, rookie.DrvNm));
        news.rookies.push_back(rookie);
        news.rookieScores.push_back(draws.WholeBetween(1, 20) * gpCount);
    }
    // Their whole ratings as the field would rank them now, to tell the news with.
    for (int r = 0; r < rating::Drivers; ++r) {
        std::vector<double> quality;
        for (size_t k = 1; k < w.drivers.size(); ++k) quality.push_back(DriverQuality(r, w.drivers[k].ratings[r]));
        for (const WorldDriver& rookie : news.rookies) quality.push_back(DriverQuality(r, rookie.ratings[r]));
        std::vector<int> whole = ByRank(quality, w.driverScale[size_t(r)]);
        for (size_t i = 0; i < news.rookies.size(); ++i)
            news.rookies[i].whole[size_t(r)] = w.driverScale[size_t(r)].empty()
                                                   ? WholeDriverRating(r, news.rookies[i].ratings[r])
                                                   : whole[w.drivers.size() - 1 + i];
    }
    return news;
}

void EnterTheMarket(const MarketNews& news, FrmKarvenOff& form) {
    std::vector<OffDrvRecord>& table = form.OffDrvTable;
    for (int k : news.retiring) {
        if (k >= int(table.size())) continue;
        OffDrvRecord& o = table[size_t(k)];
        for (std::string& seat : form.SeatNames)
            if (seat == o.DrvNm) seat.clear();
        o.Decided = true;
        o.TimNo.clear();
    }
    form.ShowSeats();
    for (size_t i = 0; i < news.rookies.size(); ++i) {
        OffDrvRecord o;
        o.DrvNo = Format00(int(table.size()));
        o.DrvNm = news.rookies[i].DrvNm;
        o.Score = PlainValue(news.rookieScores[i]);
        table.push_back(o);
    }
    // The ranks over the field the market now negotiates with, by the market's own order.
    std::vector<double> score(table.size()), eval(table.size()), number(table.size());
    for (size_t d = 1; d < table.size(); ++d) {
        score[d] = table[d].Score;
        eval[d] = table[d].EvalPoints;
        number[d] = ReadNumber(table[d].DrvNo);
    }
    for (size_t d = 1; d < table.size(); ++d) {
        table[d].ScoreRank = RankOf(d, score, eval, number);
        table[d].PointsRank = RankOf(d, eval, score, number);
    }
}

void TurnTheWorld(Season& season, const MarketNews& news, const FrmKarvenOff& form,
                  const std::function<void(Season&, bool)>& beforeRanking) {
    WorldState& w = season.history.world;
    if (season.history.seasons.empty()) return;
    ArchivedSeason& closed = season.history.seasons.back();
    const int drivers = std::min(Drivers(season), int(w.drivers.size()) - 1);
    WorldSeason facts;
    facts.season = closed.number;
    for (int k = 1; k <= drivers; ++k)
        facts.drivers.push_back({season.DrvTable[k].DrvNm, w.drivers[k].age, WholeRatings(season.DrvTable[k])});
    for (int t = 1; t <= Teams(season); ++t) facts.teams.push_back({season.TimTable[t].TimNm, WholeRatings(season.TimTable[t])});

    // A year on for everyone: how well he did counts a little.
    std::map<std::string, double> points;
    double best = 0;
    for (const ArchivedDriver& d : closed.drivers) {
        points[closed.Name(d.driver)] = d.points;
        best = std::max(best, d.points);
    }
    std::array<double, rating::Drivers> mean{}, spread{}, shift{};
    FieldLevel(w, mean, spread);
    for (int r = 0; r < rating::Drivers; ++r) shift[r] = Recentering * (w.driverLevel[r] - mean[r]);
    Draws development(w, Purpose::Development);
    for (int k = 1; k <= drivers; ++k) {
        auto at = points.find(season.DrvTable[k].DrvNm);
        double form = at == points.end() || best <= 0 ? 0 : at->second / best;
        // Draw for the retiring as well, so that one more or less retirement moves no one else.
        WorldDriver developed = w.drivers[k];
        Develop(developed, form, shift, development);
        if (!std::binary_search(news.retiring.begin(), news.retiring.end(), k)) w.drivers[k] = developed;
    }
    Draws machines(w, Purpose::Machines);
    facts.regulations = NewRegulations(w, machines);
    for (int t = 1; t <= Teams(season) && t < int(w.teams.size()); ++t) {
        int rank = t < int(form.OffTimTable.size()) ? form.OffTimTable[t].TimRank : t;
        DevelopMachine(w.teams[t], w, rank, Teams(season), facts.regulations, machines);
    }

    // The rookies take the seats the market gave them.
    for (size_t i = 0; i < news.rookies.size(); ++i) {
        const WorldDriver& rookie = news.rookies[i];
        DrvRecord record = NewDrvRecord(int(season.DrvTable.size()));
        record.DrvNm = rookie.DrvNm;
        size_t entry = size_t(Drivers(season)) + 1;
        if (entry < form.OffDrvTable.size() && form.OffDrvTable[entry].Settled()) record.TimNo = form.OffDrvTable[entry].TimNo;
        if (const TimRecord* team = TeamOf(season, record))
            closed.moves.push_back({closed.Ref(record.DrvNm), 0, closed.Ref(team->TimNm)});
        season.DrvTable.push_back(record);
        w.drivers.push_back(rookie);
        facts.debuts.push_back(rookie.DrvNm);
    }
    // The retired leave the table; their records stay with the world and the history.
    const size_t before = w.retired.size();
    for (auto k = news.retiring.rbegin(); k != news.retiring.rend(); ++k) {
        if (*k > drivers) continue;
        const DrvRecord& d = season.DrvTable[size_t(*k)];
        w.retired.push_back({d.DrvNm, w.drivers[size_t(*k)].age, closed.number, WholeRatings(d),
                             {d.CareerGp, d.CareerWc, d.CareerWins, d.CareerPp, d.CareerFl, d.CareerBest, d.CareerPoints}});
        facts.retired.insert(facts.retired.begin(), d.DrvNm);
        season.DrvTable.erase(season.DrvTable.begin() + *k);
        w.drivers.erase(w.drivers.begin() + *k);
    }
    std::reverse(w.retired.begin() + std::ptrdiff_t(before), w.retired.end());
    season.DrvCount = FormatPlain(Drivers(season));
    RestoreNumbers(season);
    if (beforeRanking) beforeRanking(season, facts.regulations);
    RateByRank(season);

    if (facts.regulations) w.lastRegulations = w.turns;
    std::erase_if(w.seasons, [&](const WorldSeason& s) { return s.season == facts.season; });
    w.seasons.push_back(std::move(facts));
    w.turns = history_lines::CountOn(w.turns);
}

} // namespace karven::world
