#include "odds/ChampionshipOdds.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "odds/FixedFinish.h"
#include "race/LapLoop.h"
#include "race/RaceStart.h"
#include "race/SilentWeekend.h"
#include "season/Numbers.h"
#include "season/Points.h"
#include "season/Season.h"
#include "shell/Random.h"
#include "standings/Rankings.h"
#include "weekend/Qualifying.h"

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

} // namespace

uint64_t OddsRunSeed(uint64_t seed, int run) {
    uint64_t z = seed + 0x9E3779B97F4A7C15ull * (uint64_t(run) + 1);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

namespace {

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

// The rest of the season as plain numbers, read once: the weekends ahead do not change while it
// is played (qualifying reads nothing the races book), so no run copies the season.
class SeasonAhead {
public:
    SeasonAhead(const Season& season, const EventSwitches& switches)
        : slots_(season.DrvTable.size() * Slots), empty_(season.DrvTable.size() * Slots),
          drivers_(Bounded(season.DrvCount, season.DrvTable.size())),
          marketDrivers_(std::clamp(ReadCount(season.DrvCount), 0,
                                    std::min(int(season.DrvTable.size()) - 1, MaxDrvCount))) {
        for (size_t d = 0; d < season.DrvTable.size(); ++d) {
            const DrvRecord& driver = season.DrvTable[d];
            seated_.push_back(!driver.TimNo.empty());
            for (int g = 1; g <= ResultSlots; ++g) {
                slots_[d * Slots + g] = ReadNumber(driver.Result[g]);
                empty_[d * Slots + g] = driver.Result[g].empty();
            }
        }
        for (const TimRecord& team : season.TimTable) teamPoints_.push_back(ReadNumber(team.Points));
        teams_ = Bounded(season.TimCount, season.TimTable.size());
        // The Grands Prix PlayGrandPrix would run, each with its entrants and settings.
        for (int g = ReadCount(season.Sis.EndGp) + 1;
             g >= 1 && g <= ReadCount(season.Sis.GpCount) && g < int(season.GpTable.size()); ++g) {
            Weekend& w = weekends_.emplace_back();
            w.gp = g;
            w.entrants = QualifyingEntrants(season, g);
            w.setup = SetupOf(season, g, int(w.entrants.size()) - 1, switches);
        }
    }

    // One run from its own seed; `fix` may change a classification before it is booked.
    RunOutcome Play(uint64_t seed, const BeforeBooking& fix) const {
        std::vector<double> slots = slots_;
        std::vector<char> empty = empty_;
        std::vector<double> teamPoints = teamPoints_;
        GameRandom random(seed);
        std::vector<Entrant> entrants;
        for (const Weekend& w : weekends_) {
            // As PlayGrandPrix: qualifying, then the race from its grid, every draw in its place.
            random.Reseed();
            entrants = w.entrants;
            QualifyingTimes(entrants, random);
            std::vector<int> order = QualifyingOrder(entrants);
            if (entrants.size() < 2) break;
            random.Reseed();
            SilentRace nobody;
            RaceState race(w.setup, random, nobody);
            ConfirmStart(race);
            std::vector<RaceCar> grid(race.setup.nin + 1);
            for (int k = 1; k <= race.setup.nin; ++k) grid[k] = CarOf(entrants[order[k]], k);
            StartRace(race, std::move(grid));
            RunLaps(race);
            if (fix) fix(race, entrants);
            // Booked as FinishRace books it, on the numbers its texts would read back as.
            for (int k = 1; k <= race.Cars(); ++k) {
                const RaceCar& car = race.car[k];
                if (car.driver >= 1 && car.driver < int(seated_.size()) && w.gp <= ResultSlots) {
                    slots[size_t(car.driver) * Slots + w.gp] = car.retired ? 0 : k;
                    empty[size_t(car.driver) * Slots + w.gp] = false;
                }
                if (car.team >= 1 && car.team < int(teamPoints.size())) AddPoints(teamPoints[car.team], PointsForPlace(k));
            }
        }

        RunOutcome out;
        std::vector<double> totals(drivers_ + 1);
        out.driverPoints.assign(drivers_ + 1, 0);
        for (int d = 1; d <= drivers_; ++d) {
            int points = 0;
            for (int g = 1; g <= ResultSlots; ++g) {
                const size_t at = size_t(d) * Slots + g;
                // PointsForResult on the slot's text.
                if (empty[at]) continue;
                const double place = slots[at];
                const int whole = RoundHalfEven(place);
                if (whole == place) points += PointsForPlace(whole);
            }
            totals[d] = out.driverPoints[d] = points;
        }
        Place(totals, out.driverPlace);
        out.teamPoints.assign(teams_ + 1, 0);
        for (int t = 1; t <= teams_; ++t) out.teamPoints[t] = teamPoints[t];
        Place(out.teamPoints, out.teamPlace);
        // MarketChampion: the first who beats every earlier one on the market's scale.
        double best = 0;
        for (int d = 1; d <= marketDrivers_; ++d) {
            double eval = 0;
            if (seated_[d]) {
                int points = 0;
                for (int g = 1; g <= ResultSlots; ++g) {
                    const double place = slots[size_t(d) * Slots + g];
                    if (place > 0) points += EvalPointsForPlace(place);
                }
                eval = points;
            }
            if (eval > best) {
                best = eval;
                out.crowned = d;
            }
        }
        return out;
    }

private:
    static constexpr size_t Slots = ResultSlots + 1;
    struct Weekend {
        int gp = 0;
        std::vector<Entrant> entrants;
        RaceSetup setup;
    };

    // Points[team] = FormatPlain(ReadNumber(Points) + points), read back.
    static void AddPoints(double& total, int points) {
        const double sum = total + points;
        // A whole total is written as its digits and reads back as itself (never as -0).
        if (sum == std::trunc(sum) && std::fabs(sum) < 1e15) total = sum + 0.0;
        else total = ReadNumber(FormatPlain(sum));
    }

    std::vector<double> slots_;  // ReadNumber of each driver's Result slots, [driver * Slots + gp]
    std::vector<char> empty_;    // the slot's text is empty
    std::vector<char> seated_;   // TimNo not empty, for the market's champion
    std::vector<double> teamPoints_;
    int drivers_ = 0, marketDrivers_ = 0, teams_ = 0;
    std::vector<Weekend> weekends_;
};

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
    const SeasonAhead ahead(season, switches);
    // The Grand Prix being run is the one after EndGp when the hook is called.
    BeforeBooking fix;
    if (!fixed.empty())
        fix = [&fixed](RaceState& race, const std::vector<Entrant>& entrants) {
            for (const FixedResult& f : fixed)
                if (f.gp == race.setup.N) FixFinish(race, entrants, f.drivers);
        };
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
    for (int first = 0, block = FirstBlockRuns; first < runs && !(progress && progress->Cancelled());
         first += block, block = std::min(BlockRuns, block * 2)) {
        const int count = std::min(block, runs - first);
        std::fill(finished.begin(), finished.end(), 0);
        std::atomic<int> next{0};
        auto work = [&] {
            for (int i; (i = next.fetch_add(1)) < count;) {
                if (progress && progress->Cancelled()) return;
                outcomes[i] = ahead.Play(OddsRunSeed(seed, first + i), fix);
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
