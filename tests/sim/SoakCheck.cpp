// Plays a career with karven-sim and checks what its JSON says against the rules' invariants:
//
//   karven_soak_check --sim PATH [--season FILE] --seasons N --seed S
//
// Every race is a permutation of its first qualifiers with no running car behind a retired one;
// each season as its market found it has EndGp = GpCount, Result slots that agree with the
// finishing places, and standings that add up its Result points; every market leaves at most two
// drivers in a team and every driver once; careers add up what the races gave; no value is
// negative. Exit status 0 when everything holds, 1 with a list of what did not.
#include <cctype>
#include <cstdio>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <sys/wait.h>
#include <vector>

using Json = nlohmann::ordered_json;

namespace {

int failures = 0;

void Fail(const std::string& what) {
    if (++failures <= 50) std::cerr << "soak: " << what << "\n";
}

void Check(bool condition, const std::string& what) {
    if (!condition) Fail(what);
}

bool Run(const std::string& command, Json& out) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    std::string text;
    char buffer[65536];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    int status = pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
    out = Json::parse(text, nullptr, false);
    return !out.is_discarded();
}

std::string Text(const Json& value) {
    return value.is_string() ? value.get<std::string>() : value.dump();
}

// The rules' own table, kept apart from the program's.
int PointsOf(const std::string& result) {
    static const std::map<std::string, int> Table = {{"1", 10}, {"2", 8}, {"3", 6}, {"4", 5},
                                                     {"5", 4},  {"6", 3}, {"7", 2}, {"8", 1}};
    auto it = Table.find(result);
    return it == Table.end() ? 0 : it->second;
}

long Number(const Json& value) {
    return std::stol(Text(value));
}

bool LooksNegative(const std::string& text) {
    return text.size() >= 2 && text[0] == '-' && std::isdigit(text[1]);
}

// Every number, and every text that begins like a negative number, is at least 0.
void CheckNoNegative(const Json& value, const std::string& where) {
    if (value.is_object()) {
        for (const auto& [key, item] : value.items()) CheckNoNegative(item, where + "." + key);
    } else if (value.is_array()) {
        for (size_t i = 0; i < value.size(); ++i)
            CheckNoNegative(value[i], where + "[" + std::to_string(i) + "]");
    } else if (value.is_number()) {
        Check(value.get<double>() >= 0, "negative value at " + where);
    } else if (value.is_string()) {
        Check(!LooksNegative(value.get<std::string>()), "negative value at " + where);
    }
}

void CheckRace(const Json& race, size_t ninCount, const std::string& where) {
    const Json& qualifying = race["qualifying"];
    const Json& result = race["result"];
    Check(result.size() == std::min(ninCount, qualifying.size()),
          where + ": the grid is NinCount or the field");
    std::multiset<std::string> started, finished;
    for (size_t k = 0; k < result.size() && k < qualifying.size(); ++k)
        started.insert(Text(qualifying[k]["DrvNo"]));
    bool retiredAhead = false, runningBehind = false;
    for (const Json& car : result) {
        finished.insert(Text(car["DrvNo"]));
        bool retired = Text(car["Retired"]) != "0";
        runningBehind = runningBehind || (retiredAhead && !retired);
        retiredAhead = retiredAhead || retired;
        if (retired) Check(Text(car["Time"]) == "999.99", where + ": a retired car's time");
    }
    Check(!runningBehind, where + ": a running car behind a retired one");
    Check(started == finished, where + ": the race is not a permutation of its qualifiers");
}

struct Career {
    long gp = 0, wins = 0, poles = 0, fastest = 0, points = 0, best = 0;
};

// One closed season as its market found it, against the races it ran and its standings.
void CheckSeason(const Json& closed, const std::vector<const Json*>& races, const Json& standings,
                 const std::string& where) {
    const Json& settings = closed["settings"];
    Check(Text(settings["EndGp"]) == Text(settings["GpCount"]), where + ": EndGp is not GpCount at the end");
    Check(long(races.size()) == Number(settings["GpCount"]), where + ": not one race per Grand Prix");

    std::map<std::string, const Json*> drivers; // by DrvNo
    for (const Json& d : closed["drivers"]) drivers[Text(d["DrvNo"])] = &d;
    std::map<std::string, std::vector<std::string>> expected; // DrvNo -> Result[1..17]
    for (const auto& [no, d] : drivers) expected[no].assign(17, "");
    for (const Json* race : races) {
        size_t gp = race->at("gp").get<size_t>();
        const Json& result = race->at("result");
        for (size_t k = 0; k < result.size(); ++k) {
            const Json& car = result[k];
            std::string no = Text(car["DrvNo"]);
            if (!expected.count(no) || gp < 1 || gp > 17) {
                Fail(where + ": a car of no driver");
                continue;
            }
            expected[no][gp - 1] = Text(car["Retired"]) != "0" ? "0" : std::to_string(k + 1);
        }
    }
    // The standings list every driver with points: the same names with the same points.
    std::multiset<std::pair<std::string, long>> scorers, listed;
    for (const auto& [no, d] : drivers) {
        std::vector<std::string> slots = (*d)["Result"].get<std::vector<std::string>>();
        Check(slots == expected[no], where + ": Result slots of " + no + " disagree with the races");
        long points = 0;
        for (const std::string& slot : slots) points += PointsOf(slot);
        if (points > 0) scorers.insert({Text((*d)["DrvNm"]), points});
    }
    for (const Json& row : standings["drivers"]) listed.insert({Text(row["DrvNm"]), Number(row["Points"])});
    Check(scorers == listed, where + ": the standings are not the sums of the Result points");
    long teamPoints = 0, racePoints = 0;
    for (const Json& t : closed["teams"]) teamPoints += Number(t["Points"]);
    for (const Json* race : races)
        for (size_t k = 0; k < race->at("result").size(); ++k) racePoints += PointsOf(std::to_string(k + 1));
    Check(teamPoints == racePoints, where + ": the teams' points are not the races' points");
}

void CheckMarket(const Json& market, const std::multiset<std::string>& everyone, const std::string& where) {
    std::multiset<std::string> placed;
    for (const Json& team : market["teams"]) {
        Check(team["drivers"].size() <= 2, where + ": more than two drivers in " + Text(team["TimNm"]));
        for (const Json& d : team["drivers"]) placed.insert(Text(d));
    }
    for (const Json& d : market["unseated"]) placed.insert(Text(d));
    Check(placed == everyone, where + ": not every driver placed exactly once");
}

} // namespace

int main(int argc, char** argv) {
    std::string sim, season, seasons = "30", seed = "1";
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string option = argv[i], value = argv[i + 1];
        if (option == "--sim")
            sim = value;
        else if (option == "--season")
            season = " --season '" + value + "'";
        else if (option == "--seasons")
            seasons = value;
        else if (option == "--seed")
            seed = value;
        else
            return 2;
    }
    if (sim.empty()) return 2;

    Json start, end;
    if (!Run(sim + season + " --json --quiet", start) ||
        !Run(sim + season + " --seasons " + seasons + " --seed " + seed + " --json --quiet", end)) {
        std::cerr << "soak: karven-sim failed\n";
        return 1;
    }
    const size_t ninCount = std::stoul(Text(start["settings"]["NinCount"]));
    std::multiset<std::string> everyone;
    for (const Json& d : start["drivers"]) everyone.insert(Text(d["DrvNm"]));
    Check(end["market"].size() == std::stoul(seasons), "not one market per season");
    Check(end["seasons"].size() == end["market"].size(), "not one standings table per market");

    std::map<long, std::vector<const Json*>> bySeason;
    std::map<std::string, Career> careers; // what the races added, by DrvNo
    for (const Json& race : end["races"]) {
        std::string where = "season " + Text(race["season"]) + " race " + Text(race["gp"]);
        CheckRace(race, ninCount, where);
        bySeason[race["season"].get<long>()].push_back(&race);
        if (!race["qualifying"].empty()) ++careers[Text(race["qualifying"][0]["DrvNo"])].poles;
        if (!Text(race["fastestLap"]).empty()) ++careers[Text(race["fastestLap"])].fastest;
        const Json& result = race["result"];
        for (size_t k = 0; k < result.size(); ++k) {
            Career& c = careers[Text(result[k]["DrvNo"])];
            ++c.gp;
            if (k == 0) ++c.wins;
            c.points += PointsOf(std::to_string(k + 1));
            if (Text(result[k]["Retired"]) == "0" && (c.best == 0 || long(k + 1) < c.best))
                c.best = long(k + 1);
        }
    }
    for (size_t i = 0; i < end["market"].size(); ++i) {
        const Json& market = end["market"][i];
        std::string where = "season " + std::to_string(i + 1);
        CheckMarket(market, everyone, where);
        CheckSeason(market["season"], bySeason[long(i + 1)], end["seasons"][i], where);
    }

    // The season after the last market has not begun; the careers hold what the races gave.
    Check(Text(end["settings"]["EndGp"]) == "0", "the next season has begun");
    for (size_t d = 0; d < end["drivers"].size(); ++d) {
        const Json& before = start["drivers"][d];
        const Json& after = end["drivers"][d];
        std::string no = Text(after["DrvNo"]);
        const Career& c = careers[no];
        Check(after["Result"] == Json(std::vector<std::string>(17, "")),
              "results left after the market: " + no);
        Check(Number(after["CareerGp"]) == Number(before["CareerGp"]) + c.gp, "CareerGp of " + no);
        Check(Number(after["CareerWins"]) == Number(before["CareerWins"]) + c.wins, "CareerWins of " + no);
        Check(Number(after["CareerPp"]) == Number(before["CareerPp"]) + c.poles, "CareerPp of " + no);
        Check(Number(after["CareerFl"]) == Number(before["CareerFl"]) + c.fastest, "CareerFl of " + no);
        Check(Number(after["CareerPoints"]) == Number(before["CareerPoints"]) + c.points,
              "CareerPoints of " + no);
        long best = Number(before["CareerBest"]);
        if (c.best > 0 && (best == 0 || c.best < best)) best = c.best;
        Check(Number(after["CareerBest"]) == best, "CareerBest of " + no);
    }
    CheckNoNegative(end, "");

    std::cout << "soak: " << end["market"].size() << " seasons, " << end["races"].size() << " races, seed "
              << seed << ": "
              << (failures == 0 ? "every invariant holds" : std::to_string(failures) + " failures") << "\n";
    return failures == 0 ? 0 : 1;
}
