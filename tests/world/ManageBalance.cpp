// Whether running a team matters and the economy stays alive: karven-sim plays careers of the
// default season with --manage under each policy, and the seasons it saves are measured.
//
//   karven_manage_balance --sim PATH --work DIR [--careers 1-40] [--economy 1,2,3,4,5]
//                         [--economy-seasons 300] [--window 30]
//
// Careers, one per seed: how often a sensible principal, and the game's own policy in his place,
// takes team 08 to a constructors' title within 10 seasons and team 16 within 15; how often a
// reckless one is dismissed or bankrupt within 5. The economy, over long careers of a sensible
// principal of team 08: distinct constructors' champions in every window, the budgets' spread,
// and the drift of money and machines. Exit status 0 when every target holds.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iomanip>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "SimRun.h"
#include "season/SeasonFile.h"

using namespace karven;

namespace {

std::string sim, work;

bool Career(int seed, const std::string& team, const std::string& policy, int seasons, Season& s) {
    const std::string path = work + "/manage-" + team + "-" + policy + "-" + std::to_string(seed) + ".krv";
    bool ok = balance::Run({sim, "--seed", std::to_string(seed), "--seasons", std::to_string(seasons), "--manage", team,
                            "--manage-policy", policy, "--quiet", "--save", path}) &&
              ReadSeasonFile(s, path);
    std::remove(path.c_str());
    return ok;
}

// The first season (from 1) the team was constructors' champion; 0 for none.
int FirstTitle(const Season& s, const std::string& TimNm) {
    for (size_t i = 0; i < s.history.seasons.size(); ++i)
        if (s.history.seasons[i].ConstructorsChampion() == TimNm) return int(i) + 1;
    return 0;
}

// The first season the principal was dismissed (or his team bankrupt); 0 for none.
int FirstFall(const Season& s) {
    for (size_t i = 0; i < s.history.principal.seasons.size(); ++i)
        if (s.history.principal.seasons[i].dismissed) return int(i) + 1;
    return 0;
}

std::string TeamName(const Season& s, const std::string& no) {
    for (const TimRecord& t : s.TimTable)
        if (!t.TimNo.empty() && t.TimNo == no) return t.TimNm;
    return "";
}

double Titles(const std::vector<int>& seeds, const std::string& team, const std::string& policy, int within) {
    int won = 0, runs = 0;
    for (int seed : seeds) {
        Season s;
        if (!Career(seed, team, policy, within, s)) continue;
        ++runs;
        won += FirstTitle(s, TeamName(s, team)) != 0;
    }
    return runs ? double(won) / runs : 0;
}

struct Economy {
    int minConstructors = 1000;
    int longestWide = 0; // seasons in a row with one team's income above 4 times another's
    double widest = 0;
    double cashFirst = 0, cashLast = 0;
    double machineFirst = 0, machineLast = 0;
};

Economy Measure(const Season& s, int window) {
    Economy e;
    std::vector<std::string> constructors;
    for (const ArchivedSeason& a : s.history.seasons) constructors.push_back(a.ConstructorsChampion().value_or(""));
    for (size_t from = 0; from + size_t(window) <= constructors.size(); ++from) {
        std::set<std::string> teams(constructors.begin() + long(from), constructors.begin() + long(from + size_t(window)));
        teams.erase("");
        e.minConstructors = std::min(e.minConstructors, int(teams.size()));
    }
    const ManagementState& m = s.history.management;
    std::vector<double> low, high, cash;
    for (const ManagedSeason& b : m.seasons) {
        size_t i = size_t(b.season);
        if (low.size() < i) {
            low.resize(i, 1e18);
            high.resize(i, -1e18);
            cash.resize(i, 0);
        }
        double income = double(b.account.In()) / MoneyUnit;
        low[i - 1] = std::min(low[i - 1], income);
        high[i - 1] = std::max(high[i - 1], income);
        cash[i - 1] += double(b.end) / MoneyUnit;
    }
    int run = 0;
    for (size_t i = 0; i < low.size(); ++i) {
        if (low[i] > 1e17) continue;
        double ratio = low[i] > 0 ? high[i] / low[i] : 1e9;
        e.widest = std::max(e.widest, ratio);
        run = ratio > 4 ? run + 1 : 0;
        e.longestWide = std::max(e.longestWide, run);
    }
    auto mean = [](const std::vector<double>& v, size_t from, size_t to) {
        double sum = 0;
        for (size_t i = from; i < to && i < v.size(); ++i) sum += v[i];
        return to > from ? sum / double(std::min(to, v.size()) - from) : 0;
    };
    const size_t n = cash.size(), tail = n >= 30 ? n - 30 : 0;
    e.cashFirst = mean(cash, 0, std::min<size_t>(30, n)) / 16;
    e.cashLast = mean(cash, tail, n) / 16;
    std::vector<double> machine;
    for (const WorldSeason& f : s.history.world.seasons) {
        double sum = 0;
        for (const RatedTeam& t : f.teams) sum += (6 - t.ratings[0]) + (6 - t.ratings[1]) + t.ratings[2];
        machine.push_back(f.teams.empty() ? 0 : sum / double(f.teams.size()));
    }
    const size_t k = machine.size();
    e.machineFirst = mean(machine, 0, std::min<size_t>(30, k));
    e.machineLast = mean(machine, k >= 30 ? k - 30 : 0, k);
    return e;
}

} // namespace

int main(int argc, char** argv) {
    std::string careers = "1-40", economy = "1,2,3,4,5";
    int economySeasons = 300, window = 30;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string option = argv[i];
        if (option == "--sim") sim = argv[i + 1];
        else if (option == "--work") work = argv[i + 1];
        else if (option == "--careers") careers = argv[i + 1];
        else if (option == "--economy") economy = argv[i + 1];
        else if (option == "--economy-seasons") economySeasons = std::stoi(argv[i + 1]);
        else if (option == "--window") window = std::stoi(argv[i + 1]);
    }
    if (sim.empty() || work.empty() || economySeasons < window) {
        std::cerr << "usage: karven_manage_balance --sim PATH --work DIR [--careers 1-40] [--economy 1,2,...] "
                     "[--economy-seasons N] [--window W]\n";
        return 2;
    }
    bool ok = true;
    const std::vector<int> seeds = balance::Seeds(careers);
    std::cout << std::fixed << std::setprecision(0) << "careers: " << seeds.size() << " seeds\n";
    struct Goal {
        std::string team;
        int within;
        double share;
    };
    for (const Goal& g : {Goal{"08", 10, 0.5}, Goal{"16", 15, 0.25}}) {
        double sensible = Titles(seeds, g.team, "sensible", g.within), rules = Titles(seeds, g.team, "rules", g.within);
        bool holds = sensible >= g.share && rules < sensible;
        ok = ok && holds;
        std::cout << "  team " << g.team << ", a constructors' title within " << g.within << " seasons: sensible "
                  << sensible * 100 << " % (" << g.share * 100 << "), the game's policy " << rules * 100 << " %"
                  << (holds ? "" : "   <- MISSED") << "\n";
    }
    int fallen = 0, runs = 0;
    for (int seed : seeds) {
        Season s;
        if (!Career(seed, "08", "reckless", 5, s)) continue;
        ++runs;
        int fall = FirstFall(s);
        fallen += fall != 0 && fall <= 5;
    }
    const double reckless = runs ? double(fallen) / runs : 0;
    ok = ok && reckless > 0.5;
    std::cout << "  reckless, team 08: dismissed or bankrupt within 5 seasons in " << reckless * 100 << " % (more than 50)"
              << (reckless > 0.5 ? "" : "   <- MISSED") << "\n";

    std::cout << std::setprecision(1);
    for (int seed : balance::Seeds(economy)) {
        Season s;
        if (!Career(seed, "08", "sensible", economySeasons, s)) {
            std::cerr << "manage balance: seed " << seed << ": no career\n";
            ok = false;
            continue;
        }
        Economy e = Measure(s, window);
        bool holds = e.minConstructors >= 8 && e.longestWide <= 3 &&
                     std::fabs(e.cashLast - e.cashFirst) <= 0.25 * std::max(10.0, std::fabs(e.cashFirst)) &&
                     std::fabs(e.machineLast - e.machineFirst) <= 0.1 * e.machineFirst;
        ok = ok && holds;
        std::cout << "economy, seed " << seed << ", " << s.history.seasons.size() << " seasons: at least " << e.minConstructors
                  << " constructors' champions in every " << window << " (8); budgets at most " << e.widest
                  << " times apart, over 4 for " << e.longestWide << " seasons in a row (3); mean cash " << e.cashFirst
                  << " -> " << e.cashLast << "; machines " << e.machineFirst << " -> " << e.machineLast
                  << (holds ? "" : "   <- MISSED") << "\n";
    }
    std::cout << (ok ? "every target holds\n" : "A TARGET IS MISSED\n");
    return ok ? 0 : 1;
}
