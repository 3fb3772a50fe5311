// Whether the living world stays balanced over a long career: karven-sim plays the default season
// with --world for many seasons and several seeds, and the history it saves is measured.
//
//   karven_world_balance --sim PATH --work DIR [--seasons 300] [--seeds 1,2,3,4,5] [--window 30]
//
// Per seed: distinct champions and constructors' champions in every window of seasons, the most
// titles one driver holds in a window, the longest run of titles; each rating's field mean and
// spread in the first and the last ten seasons; the mean age and the field's size. Exit status 0
// when every target holds for every seed.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iomanip>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "season/SeasonFile.h"
#include "SimRun.h"

using namespace karven;
using balance::Run;
using balance::Seeds;

namespace {

struct Stats {
    double mean = 0, spread = 0;
};

// Mean and spread of one rating over the seasons [from, to) of the world's facts.
Stats RatingStats(const WorldState& w, size_t from, size_t to, bool team, int r) {
    double sum = 0, squares = 0, n = 0;
    for (size_t s = from; s < to && s < w.seasons.size(); ++s) {
        if (team) {
            for (const RatedTeam& t : w.seasons[s].teams) {
                sum += t.ratings[r];
                squares += double(t.ratings[r]) * t.ratings[r];
                ++n;
            }
        } else {
            for (const RatedDriver& d : w.seasons[s].drivers) {
                sum += d.ratings[r];
                squares += double(d.ratings[r]) * d.ratings[r];
                ++n;
            }
        }
    }
    Stats st;
    if (n == 0) return st;
    st.mean = sum / n;
    st.spread = std::sqrt(std::max(0.0, squares / n - st.mean * st.mean));
    return st;
}

double MeanAge(const WorldState& w, size_t from, size_t to) {
    double sum = 0, n = 0;
    for (size_t s = from; s < to && s < w.seasons.size(); ++s)
        for (const RatedDriver& d : w.seasons[s].drivers) {
            sum += d.age;
            ++n;
        }
    return n ? sum / n : 0;
}

double FieldSize(const WorldState& w, size_t from, size_t to) {
    double sum = 0, n = 0;
    for (size_t s = from; s < to && s < w.seasons.size(); ++s) {
        sum += double(w.seasons[s].drivers.size());
        ++n;
    }
    return n ? sum / n : 0;
}

struct Report {
    int minChampions = 1 << 30, minConstructors = 1 << 30, mostTitles = 0, longestRun = 0;
    std::string mostTitlesHolder, longestRunHolder;
    int distinctChampions = 0;
    double meanChampions = 0; // distinct champions per window, on average
    std::vector<std::string> drift; // ratings whose mean or spread moved more than the target allows
    double ageFirst = 0, ageLast = 0, fieldFirst = 0, fieldLast = 0;
    int youngest = 1 << 30, oldest = 0;  // of anyone who raced
    int retirements = 0, before30 = 0, oldestRetired = 0;
    double retiredAge = 0;               // the mean age at retirement
    int repeatedNames = 0;               // rookies named like anyone before them
    std::vector<std::string> lines; // the ratings, first ten against last ten
    bool ok = true;
};

Report Measure(const Season& s, int window) {
    Report r;
    std::vector<std::string> champions, constructors;
    for (const ArchivedSeason& a : s.history.seasons) {
        champions.push_back(a.Champion().value_or(""));
        constructors.push_back(a.ConstructorsChampion().value_or(""));
    }
    std::set<std::string> all(champions.begin(), champions.end());
    all.erase("");
    r.distinctChampions = int(all.size());
    for (size_t from = 0; from + size_t(window) <= champions.size(); ++from) {
        std::map<std::string, int> titles;
        std::set<std::string> teams;
        for (size_t i = from; i < from + size_t(window); ++i) {
            if (!champions[i].empty()) ++titles[champions[i]];
            if (!constructors[i].empty()) teams.insert(constructors[i]);
        }
        r.minChampions = std::min(r.minChampions, int(titles.size()));
        r.meanChampions += double(titles.size()) / double(champions.size() - size_t(window) + 1);
        r.minConstructors = std::min(r.minConstructors, int(teams.size()));
        for (const auto& [name, count] : titles)
            if (count > r.mostTitles) {
                r.mostTitles = count;
                r.mostTitlesHolder = name;
            }
    }
    for (size_t i = 0; i < champions.size();) {
        size_t j = i;
        while (j < champions.size() && champions[j] == champions[i]) ++j;
        if (!champions[i].empty() && int(j - i) > r.longestRun) {
            r.longestRun = int(j - i);
            r.longestRunHolder = champions[i];
        }
        i = j;
    }
    const WorldState& w = s.history.world;
    const size_t n = w.seasons.size();
    const char* names[] = {"Technique", "Roughness", "Block", "Stability", "Speed", "Aero", "machine Stability"};
    for (int k = 0; k < 7; ++k) {
        bool team = k >= 4;
        int rating = team ? k - 4 : k;
        Stats first = RatingStats(w, 0, 10, team, rating), last = RatingStats(w, n >= 10 ? n - 10 : 0, n, team, rating);
        std::ostringstream line;
        line << std::fixed << std::setprecision(2) << "    " << std::left << std::setw(18) << names[k] << " mean "
             << first.mean << " -> " << last.mean << ", spread " << first.spread << " -> " << last.spread;
        bool meanOk = std::fabs(last.mean - first.mean) <= 0.1 * first.mean;
        bool spreadOk = std::fabs(last.spread - first.spread) <= 0.1 * first.spread;
        if (!meanOk || !spreadOk) {
            line << "   <- beyond 10 %";
            r.drift.push_back(names[k]);
        }
        r.lines.push_back(line.str());
    }
    r.ageFirst = MeanAge(w, 0, 10);
    r.ageLast = MeanAge(w, n >= 10 ? n - 10 : 0, n);
    r.fieldFirst = FieldSize(w, 0, 10);
    r.fieldLast = FieldSize(w, n >= 10 ? n - 10 : 0, n);
    for (const WorldSeason& f : w.seasons)
        for (const RatedDriver& d : f.drivers) {
            r.youngest = std::min(r.youngest, d.age);
            r.oldest = std::max(r.oldest, d.age);
        }
    for (const RetiredDriver& x : w.retired) {
        ++r.retirements;
        r.before30 += x.age < 30;
        r.oldestRetired = std::max(r.oldestRetired, x.age);
        r.retiredAge += x.age;
    }
    if (r.retirements) r.retiredAge /= r.retirements;
    std::set<std::string> seen;
    for (const WorldSeason& f : w.seasons) {
        for (const RatedDriver& d : f.drivers) seen.insert(d.DrvNm);
        for (const std::string& rookie : f.debuts) r.repeatedNames += !seen.insert(rookie).second;
    }
    const bool bounds = r.youngest >= 18 && r.oldest <= 41 && r.oldestRetired <= 41 &&
                        r.before30 * 10 <= r.retirements && r.retiredAge >= 33 && r.retiredAge <= 39 && r.repeatedNames == 0;
    r.ok = bounds && r.minChampions >= 8 && r.minConstructors >= 5 && r.mostTitles * 4 <= window && r.longestRun <= 6 &&
           r.drift.empty() && r.ageFirst >= 25 && r.ageFirst <= 31 && r.ageLast >= 25 && r.ageLast <= 31 &&
           std::fabs(r.fieldLast - r.fieldFirst) <= 0.1 * r.fieldFirst;
    return r;
}

} // namespace

int main(int argc, char** argv) {
    std::string sim, work, seedText = "1,2,3,4,5";
    int seasons = 300, window = 30;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string option = argv[i];
        if (option == "--sim") sim = argv[i + 1];
        else if (option == "--work") work = argv[i + 1];
        else if (option == "--seasons") seasons = std::stoi(argv[i + 1]);
        else if (option == "--seeds") seedText = argv[i + 1];
        else if (option == "--window") window = std::stoi(argv[i + 1]);
    }
    if (sim.empty() || work.empty() || seasons < window) {
        std::cerr << "usage: karven_world_balance --sim PATH --work DIR [--seasons N] [--seeds 1,2,...] [--window W]\n";
        return 2;
    }
    int failures = 0;
    for (int seed : Seeds(seedText)) {
        const std::string path = work + "/world-" + std::to_string(seed) + ".krv";
        Season s;
        if (!Run({sim, "--world", "--seed", std::to_string(seed), "--seasons", std::to_string(seasons), "--quiet", "--save",
                  path}) ||
            !ReadSeasonFile(s, path)) {
            std::cerr << "world balance: seed " << seed << ": no career\n";
            ++failures;
            continue;
        }
        std::remove(path.c_str());
        Report r = Measure(s, window);
        std::cout << "seed " << seed << ", " << s.history.seasons.size() << " seasons: " << r.distinctChampions
                  << " champions in all\n"
                  << "  every " << window << " seasons: at least " << r.minChampions << " champions (8; "
                  << std::fixed << std::setprecision(1) << r.meanChampions << " on average), "
                  << r.minConstructors << " constructors' champions (5); at most " << r.mostTitles << " titles for one ("
                  << r.mostTitlesHolder << ", " << window / 4 << ")\n"
                  << "  longest run of titles: " << r.longestRun << " (" << r.longestRunHolder << ", 6)\n"
                  << std::fixed << std::setprecision(1) << "  mean age " << r.ageFirst << " -> " << r.ageLast
                  << " (25..31), field " << r.fieldFirst << " -> " << r.fieldLast << "\n"
                  << "  ages " << r.youngest << ".." << r.oldest << "; " << r.retirements << " retirements at "
                  << r.retiredAge << " on average (33..39), " << r.before30 << " before 30, the oldest at " << r.oldestRetired
                  << "; rookies named twice: " << r.repeatedNames << "\n"
                  << "  ratings, seasons 1-10 -> the last ten:\n";
        for (const std::string& line : r.lines) std::cout << line << "\n";
        std::cout << (r.ok ? "  every target holds\n" : "  A TARGET IS MISSED\n");
        if (getenv("KARVEN_BALANCE_DEBUG"))
            for (const ArchivedSeason& a : s.history.seasons) {
                const WorldSeason* f = s.history.world.SeasonOf(a.number);
                std::string champ = a.Champion().value_or("-");
                std::cout << "   " << a.number << " " << champ << " / " << a.ConstructorsChampion().value_or("-");
                if (f)
                    for (const RatedDriver& d : f->drivers)
                        if (d.DrvNm == champ)
                            std::cout << " age " << d.age << " T" << d.ratings[0] << " R" << d.ratings[1] << " B" << d.ratings[2]
                                      << " S" << d.ratings[3];
                if (f)
                    for (const RatedTeam& t : f->teams)
                        if (t.TimNm == a.Name(a.championTeam))
                            std::cout << "  car " << t.ratings[0] << t.ratings[1] << t.ratings[2];
                std::cout << "\n";
            }
        failures += !r.ok;
    }
    return failures == 0 ? 0 : 1;
}
