#include "history/Archive.h"

#include <algorithm>
#include <functional>
#include <string_view>

#include "season/HistoryFile.h"
#include "season/HistoryLines.h"
#include "season/Numbers.h"
#include "season/Points.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "standings/Rankings.h"
#include "standings/Seiseki.h"

namespace karven {

namespace {
int Bounded(const std::string& count, size_t tableSize) {
    return std::clamp(ReadCount(count), 0, int(tableSize) - 1);
}

const RaceRecord* RecordOf(const Season& season, int gp) {
    const RaceRecord* found = nullptr;
    for (const RaceRecord& r : season.history.races)
        if (r.gp == gp) found = &r; // a Grand Prix run again after an edit: the latest counts
    return found;
}

// A Grand Prix run before its race was recorded: finishers by place, then the retired, each with
// the team he has now.
std::vector<ClassifiedCar> FromResultSlots(const Season& season, int gp) {
    std::vector<ClassifiedCar> finishers, retired;
    int drivers = Bounded(season.DrvCount, season.DrvTable.size());
    for (int d = 1; d <= drivers; ++d) {
        const DrvRecord& driver = season.DrvTable[d];
        const std::string& slot = driver.Result[gp];
        if (slot.empty()) continue;
        const TimRecord* team = TeamOf(season, driver);
        // A place as the history carries it: a slot a file left at "-1" is no place at all.
        ClassifiedCar car{std::clamp(ReadCount(slot), 0, history_lines::MaxWhole), driver.DrvNm, team ? team->TimNm : "",
                          double(PointsForResult(slot)), ReadNumber(slot) == 0};
        (car.retired ? retired : finishers).push_back(car);
    }
    std::stable_sort(finishers.begin(), finishers.end(),
                     [](const ClassifiedCar& a, const ClassifiedCar& b) { return a.place < b.place; });
    int place = int(finishers.size());
    for (ClassifiedCar& car : retired) car.place = ++place;
    finishers.insert(finishers.end(), retired.begin(), retired.end());
    return finishers;
}

// Wins by name number (index 0 for nobody), of the drivers or of the teams.
std::vector<int> Wins(const ArchivedSeason& season, bool team) {
    std::vector<int> wins(season.names.size() + 1);
    for (const ArchivedGp& gp : season.gps)
        for (const ArchivedCar& c : gp.result)
            if (c.place == 1 && !c.retired) ++wins[size_t(team ? c.team : c.driver)];
    return wins;
}
} // namespace

namespace {
// ArchivedSeason::Ref with the names it has given kept in a hash table: the market closes a
// season of hundreds of names, each looked up many times. The table holds a name's hash and its
// number, the name itself stays in the season's list: a lookup copies and allocates nothing.
class Names {
public:
    explicit Names(ArchivedSeason& season) : season_(season) {
        slots_.resize(64);
        for (size_t i = 0; i < season.names.size(); ++i) Insert(Hash(season.names[i]), NameRef(i) + 1);
    }
    NameRef operator()(const std::string& name) {
        if (name.empty()) return 0;
        const size_t hash = Hash(name);
        for (size_t at = hash & (slots_.size() - 1);; at = (at + 1) & (slots_.size() - 1)) {
            const Slot& slot = slots_[at];
            if (slot.ref == 0) break;
            if (slot.hash == hash && season_.names[size_t(slot.ref - 1)] == name) return slot.ref;
        }
        season_.names.push_back(name);
        const NameRef ref = NameRef(season_.names.size());
        Insert(hash, ref);
        return ref;
    }

private:
    struct Slot {
        size_t hash = 0;
        NameRef ref = 0; // 0: free
    };
    static size_t Hash(std::string_view name) { return std::hash<std::string_view>{}(name); }
    void Insert(size_t hash, NameRef ref) {
        if (2 * ++used_ > slots_.size()) { // at most half full: probes stay short
            std::vector<Slot> old = std::move(slots_);
            slots_.assign(old.size() * 2, {});
            for (const Slot& slot : old)
                if (slot.ref != 0) Place(slot);
        }
        Place({hash, ref});
    }
    void Place(Slot slot) {
        size_t at = slot.hash & (slots_.size() - 1);
        while (slots_[at].ref != 0) at = (at + 1) & (slots_.size() - 1);
        slots_[at] = slot;
    }

    ArchivedSeason& season_;
    std::vector<Slot> slots_; // a power of two long
    size_t used_ = 0;
};
} // namespace

ArchivedSeason SeasonSoFar(const Season& season) {
    ArchivedSeason s;
    Names ref(s);
    int gps = Bounded(season.Sis.GpCount, season.GpTable.size());
    int done = std::min(ReadCount(season.Sis.EndGp), ResultSlots);
    s.complete = done >= ReadCount(season.Sis.GpCount);
    for (int g = 1; g <= gps; ++g) {
        ArchivedGp& gp = s.gps.emplace_back();
        gp.GpNm = season.GpTable[g].GpNm;
        gp.CourseType = season.GpTable[g].CourseType;
        gp.run = g <= done;
        if (!gp.run) continue;
        const RaceRecord* r = RecordOf(season, g);
        std::vector<ClassifiedCar> fromSlots;
        if (!r) fromSlots = FromResultSlots(season, g);
        const std::vector<ClassifiedCar>& result = r ? r->result : fromSlots;
        if (r) {
            gp.pole = ref(r->pole);
            gp.fastestLap = ref(r->fastestLap);
        }
        gp.result.reserve(result.size());
        for (const ClassifiedCar& c : result)
            gp.result.push_back({c.place, ref(c.DrvNm), ref(c.TimNm), c.points, c.retired});
    }
    static const std::string empty;
    for (const TeamSeats& team : SeatsOf(season)) {
        if (!team.team) continue; // element 0
        auto seat = [&](int n) -> const std::string& { return team.drivers[n] ? team.drivers[n]->DrvNm : empty; };
        s.teams.push_back({ref(team.team->TimNm), team.team->ColorNo, ref(seat(0)), ref(seat(1))});
    }
    // Every name a result holds is numbered by now; a standing may add a name that won nothing.
    const std::vector<int> driverWins = Wins(s, false), teamWins = Wins(s, true);
    auto winsOf = [](const std::vector<int>& wins, NameRef who) { return size_t(who) < wins.size() ? wins[size_t(who)] : 0; };
    for (const DriverStanding& d : DriverStandings(season)) {
        NameRef driver = ref(d.DrvNm);
        s.drivers.push_back({d.rank, driver, ref(d.TimNm), d.points, winsOf(driverWins, driver)});
    }
    for (const TeamStanding& t : TeamStandings(season)) {
        NameRef team = ref(t.TimNm);
        s.constructors.push_back({t.rank, team, t.points, winsOf(teamWins, team)});
    }
    return s;
}

void ArchiveSeason(Season& season, ArchivedSeason closed) {
    int last = 0;
    for (const ArchivedSeason& s : season.history.seasons) last = std::max(last, s.number);
    closed.number = history_lines::CountOn(last);
    season.history.seasons.push_back(std::move(closed));
    season.history.ClearSeasonRaces();
    TakeKeptWorld(season);
}

void CloseForNewSeason(Season& season, bool eraseCareers) {
    if (eraseCareers) {
        // Afresh, as the player asked (the autosaves still hold what was); the world goes on, but
        // what it did in the seasons erased goes with them, as does the principal's record of them.
        WorldState world = std::move(season.history.world);
        world.seasons.clear();
        PrincipalState principal = std::move(season.history.principal);
        principal.seasons.clear();
        principal.misses = 0;
        season.history = {};
        season.history.world = std::move(world);
        season.history.principal = std::move(principal);
        return;
    }
    if (ReadCount(season.Sis.EndGp) < 1) {
        season.history.ClearSeasonRaces();
        return;
    }
    ArchiveSeason(season, SeasonSoFar(season));
}

std::string SeasonTitle(const ArchivedSeason& season) {
    std::string title = TrF("第{1}期", season.number);
    return season.name.empty() ? title : title + " " + season.name;
}

} // namespace karven
