#include "odds/ChampionshipOdds.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "odds/FixedFinish.h"
#include "offseason/OffTables.h"
#include "race/SilentWeekend.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/Random.h"
#include "standings/Rankings.h"

namespace karven {

namespace {
// What one run leaves: final points and standings place of every driver and team.
struct RunOutcome {
    std::vector<int> driverPoints, driverPlace; // place 0: not in the standings
    std::vector<double> teamPoints;
    std::vector<int> teamPlace;
    int crowned = 0;
};

int Bounded(const std::string& count, size_t tableSize) {
    return std::clamp(ReadCount(count), 0, int(tableSize) - 1);
}

uint64_t RunSeed(uint64_t seed, int run) {
    uint64_t z = seed + 0x9E3779B97F4A7C15ull * (uint64_t(run) + 1);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// Places in the standings' own order; as there, only totals above 0 are listed.
void Place(const std::vector<double>& totals, std::vector<int>& place) {
    std::vector<double> listed;
    std::vector<int> who;
    for (size_t i = 1; i < totals.size(); ++i) {
        if (totals[i] <= 0) continue;
        listed.push_back(totals[i]);
        who.push_back(int(i));
    }
    place.assign(totals.size(), 0);
    std::vector<int> order = RankOrder(listed);
    for (size_t r = 0; r < order.size(); ++r) place[who[order[r]]] = int(r) + 1;
}

RunOutcome PlayOut(const Season& start, uint64_t seed, const EventSwitches& switches,
                   const std::vector<FixedResult>& fixed) {
    Season season = start;
    GameRandom random(seed);
    if (fixed.empty()) {
        while (PlayGrandPrix(season, random, switches, LapRecords::Skip)) {
        }
    } else {
        // The Grand Prix being run is the one after EndGp when the hook is called.
        BeforeBooking fix = [&](RaceState& race, const std::vector<Entrant>& entrants) {
            for (const FixedResult& f : fixed)
                if (f.gp == race.setup.N) FixFinish(race, entrants, f.drivers);
        };
        while (PlayGrandPrix(season, random, switches, LapRecords::Skip, fix)) {
        }
    }
    RunOutcome out;
    int drivers = Bounded(season.DrvCount, season.DrvTable.size());
    std::vector<double> totals(drivers + 1);
    out.driverPoints.assign(drivers + 1, 0);
    for (int d = 1; d <= drivers; ++d) totals[d] = out.driverPoints[d] = DriverPoints(season.DrvTable[d]);
    Place(totals, out.driverPlace);
    int teams = Bounded(season.TimCount, season.TimTable.size());
    out.teamPoints.assign(teams + 1, 0);
    for (int t = 1; t <= teams; ++t) out.teamPoints[t] = ReadNumber(season.TimTable[t].Points);
    Place(out.teamPoints, out.teamPlace);
    out.crowned = MarketChampion(season);
    return out;
}

// How often each total came out. The totals of one driver or team lie within the points the rest
// of a season can give, so they take a few hundred entries at most, however many runs are played.
class TotalCounts {
public:
    void Add(double total) {
        auto at = std::lower_bound(counts_.begin(), counts_.end(), total,
                                   [](const std::pair<double, int64_t>& c, double t) { return c.first < t; });
        if (at != counts_.end() && at->first == total) ++at->second;
        else counts_.insert(at, {total, 1});
        ++n_;
    }
    // The total at rank ceil(share × runs) (the first at least) in ascending order, as a whole number.
    double Percentile(double share) const {
        if (n_ == 0) return 0;
        int64_t rank = std::min(int64_t(std::max(1.0, std::ceil(share * double(n_)))), n_);
        int64_t seen = 0;
        for (const auto& [total, count] : counts_)
            if ((seen += count) >= rank) return std::trunc(total);
        return 0;
    }

private:
    std::vector<std::pair<double, int64_t>> counts_; // ascending totals
    int64_t n_ = 0;
};

// One driver's or team's runs, added up as they are played.
struct Tally {
    double sum = 0;
    long double wideSum = 0; // for totals so large that their sum leaves the range of a double
    double place[4] = {0, 0, 0, 0};
    double crowned = 0;
    TotalCounts totals;

    void Add(double points, int placed, bool champion) {
        sum += points;
        wideSum += points;
        if (placed >= 1 && placed <= 3) place[placed] += 1;
        if (champion) crowned += 1;
        totals.Add(points);
    }
    void Summarise(OddsEntry& e, int runs) const {
        if (runs == 0) return;
        double n = double(runs);
        for (int p = 0; p < 4; ++p) e.place[p] = place[p] / n;
        e.title = e.place[1];
        e.crowned = crowned / n;
        e.meanPoints = std::isfinite(sum) ? sum / n : double(wideSum / n);
        e.p5Points = totals.Percentile(0.05);
        e.p95Points = totals.Percentile(0.95);
    }
};

// Runs are played in blocks and added up in run order, so that the sums do not depend on the
// threads, and only a block of outcomes is ever held.
constexpr int BlockRuns = 1024;
constexpr int FirstBlockRuns = 128;
} // namespace

OddsResult ChampionshipOdds(const Season& season, int runs, int threads, uint64_t seed,
                            const EventSwitches& switches, OddsProgress* progress,
                            const std::vector<FixedResult>& fixed) {
    runs = std::max(0, runs);
    threads = std::clamp(threads, 1, std::max(1, std::min(runs, BlockRuns)));
    Season start = season;
    start.history = {}; // copied for every run, and no run reads it
    const int drivers = Bounded(season.DrvCount, season.DrvTable.size());
    const int teams = Bounded(season.TimCount, season.TimTable.size());
    std::vector<Tally> driverTally(drivers + 1), teamTally(teams + 1);
    int played = 0;

    auto Summary = [&](int played) {
        OddsResult result;
        result.runs = played;
        for (int d = 1; d <= drivers; ++d) {
            OddsEntry& e = result.drivers.emplace_back();
            e.index = d;
            e.No = season.DrvTable[d].DrvNo;
            e.Nm = season.DrvTable[d].DrvNm;
            driverTally[d].Summarise(e, played);
        }
        for (int t = 1; t <= teams; ++t) {
            OddsEntry& e = result.teams.emplace_back();
            e.index = t;
            e.No = season.TimTable[t].TimNo;
            e.Nm = season.TimTable[t].TimNm;
            teamTally[t].Summarise(e, played);
        }
        return result;
    };

    std::vector<RunOutcome> outcomes(std::min(runs, BlockRuns));
    std::vector<char> finished(outcomes.size());
    // Small blocks first, so that the first figures come soon; the sums stay in run order.
    for (int first = 0, block = FirstBlockRuns; first < runs && !(progress && progress->cancel.load());
         first += block, block = std::min(BlockRuns, block * 2)) {
        const int count = std::min(block, runs - first);
        std::fill(finished.begin(), finished.end(), 0);
        std::atomic<int> next{0};
        auto work = [&] {
            for (int i; (i = next.fetch_add(1)) < count;) {
                if (progress && progress->cancel.load()) return;
                outcomes[i] = PlayOut(start, RunSeed(seed, first + i), switches, fixed);
                finished[i] = 1;
                if (progress) progress->done.fetch_add(1);
            }
        };
        std::vector<std::thread> workers;
        for (int t = 1; t < threads; ++t) workers.emplace_back(work);
        work();
        for (std::thread& w : workers) w.join();

        for (int i = 0; i < count; ++i) {
            if (!finished[i]) continue;
            const RunOutcome& run = outcomes[i];
            for (int d = 1; d <= drivers; ++d)
                driverTally[d].Add(run.driverPoints[d], run.driverPlace[d], run.crowned == d);
            for (int t = 1; t <= teams; ++t) teamTally[t].Add(run.teamPoints[t], run.teamPlace[t], false);
            ++played;
        }
        if (progress && progress->partial && first + count < runs) progress->partial(Summary(played));
    }
    return Summary(played);
}

} // namespace karven
