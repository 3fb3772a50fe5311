#include "odds/ChampionshipOdds.h"

#include <algorithm>
#include <cmath>
#include <thread>

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

RunOutcome PlayOut(const Season& start, uint64_t seed, const EventSwitches& switches) {
    Season season = start;
    GameRandom random(seed);
    while (PlayGrandPrix(season, random, switches)) {
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

int Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    size_t rank = size_t(std::max(1.0, std::ceil(share * double(values.size()))));
    return int(values[std::min(rank, values.size()) - 1]);
}

// Title, places, mean and spread of one driver or team over the runs played.
void Summarise(OddsEntry& e, const std::vector<const RunOutcome*>& played, bool team) {
    std::vector<double> points;
    double sum = 0;
    for (const RunOutcome* run : played) {
        double p = team ? run->teamPoints[e.index] : run->driverPoints[e.index];
        int place = team ? run->teamPlace[e.index] : run->driverPlace[e.index];
        points.push_back(p);
        sum += p;
        if (place >= 1 && place <= 3) e.place[place] += 1;
        if (!team && run->crowned == e.index) e.crowned += 1;
    }
    double n = double(played.size());
    if (n == 0) return;
    for (double& p : e.place) p /= n;
    e.title = e.place[1];
    e.crowned /= n;
    e.meanPoints = sum / n;
    e.p5Points = Percentile(points, 0.05);
    e.p95Points = Percentile(points, 0.95);
}
} // namespace

OddsResult ChampionshipOdds(const Season& season, int runs, int threads, uint64_t seed,
                            const EventSwitches& switches, OddsProgress* progress) {
    runs = std::max(0, runs);
    threads = std::clamp(threads, 1, std::max(1, runs));
    std::vector<RunOutcome> outcomes(runs);
    std::vector<char> finished(runs, 0);
    std::atomic<int> next{0};
    auto work = [&] {
        for (int r; (r = next.fetch_add(1)) < runs;) {
            if (progress && progress->cancel.load()) return;
            outcomes[r] = PlayOut(season, RunSeed(seed, r), switches);
            finished[r] = 1;
            if (progress) progress->done.fetch_add(1);
        }
    };
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t) workers.emplace_back(work);
    work();
    for (std::thread& w : workers) w.join();

    std::vector<const RunOutcome*> played;
    for (int r = 0; r < runs; ++r)
        if (finished[r]) played.push_back(&outcomes[r]);

    OddsResult result;
    result.runs = int(played.size());
    int drivers = Bounded(season.DrvCount, season.DrvTable.size());
    for (int d = 1; d <= drivers; ++d) {
        OddsEntry& e = result.drivers.emplace_back();
        e.index = d;
        e.No = season.DrvTable[d].DrvNo;
        e.Nm = season.DrvTable[d].DrvNm;
        Summarise(e, played, false);
    }
    int teams = Bounded(season.TimCount, season.TimTable.size());
    for (int t = 1; t <= teams; ++t) {
        OddsEntry& e = result.teams.emplace_back();
        e.index = t;
        e.No = season.TimTable[t].TimNo;
        e.Nm = season.TimTable[t].TimNm;
        Summarise(e, played, true);
    }
    return result;
}

} // namespace karven
