#include "odds/OddsCount.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <algorithm>

#include "season/Season.h"
#include "season/SeasonFile.h"

namespace karven {

namespace {
constexpr const char* RequestMark = "KARVEN-ODDS-REQUEST 1";
constexpr const char* AnswerMark = "KARVEN-ODDS-ANSWER 1";
constexpr const char* StateNames[] = {"partial", "final", "unreadable"};

// Exact: the shortest text is not needed, only that it reads back as the same number.
std::string Exact(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// Names are shown, never parsed: a tab or a line break in one would break the line.
std::string OneField(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return text;
}

std::vector<std::string> Split(const std::string& line, char by) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = line.find(by, start)) != std::string::npos; start = at + 1) parts.push_back(line.substr(start, at - start));
    parts.push_back(line.substr(start));
    return parts;
}

bool Whole(const std::string& text, long long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return *end == '\0';
}

void WriteEntries(std::string& out, char kind, const std::vector<OddsEntry>& entries) {
    for (const OddsEntry& e : entries) {
        out += kind;
        out += '\t' + std::to_string(e.index) + '\t' + OneField(e.No) + '\t' + OneField(e.Nm);
        for (double v : {e.title, e.place[1], e.place[2], e.place[3], e.meanPoints, e.p5Points, e.p95Points, e.crowned})
            out += '\t' + Exact(v);
        out += '\n';
    }
}

bool ReadEntry(const std::vector<std::string>& f, OddsEntry& e) {
    if (f.size() != 12) return false;
    long long index = 0;
    if (!Whole(f[1], index) || index < 0 || index > 1 << 20) return false;
    e.index = int(index);
    e.No = f[2];
    e.Nm = f[3];
    double* values[] = {&e.title, &e.place[1], &e.place[2], &e.place[3], &e.meanPoints, &e.p5Points, &e.p95Points, &e.crowned};
    for (size_t k = 0; k < 8; ++k) {
        char* end = nullptr;
        *values[k] = std::strtod(f[4 + k].c_str(), &end);
        if (f[4 + k].empty() || *end) return false;
    }
    return true;
}
} // namespace

std::string OddsRequestText(const OddsRequest& r) {
    std::string out = std::string(RequestMark) + '\n';
    out += "seed " + std::to_string(r.seed) + '\n';
    out += "runs " + std::to_string(r.runs) + '\n';
    out += "threads " + std::to_string(r.threads) + '\n';
    out += "stopAfterMs " + std::to_string(r.stopAfterMs) + '\n';
    out += "switches " + std::to_string(int(r.switches.pit)) + ' ' + std::to_string(int(r.switches.pen)) + ' ' +
           std::to_string(int(r.switches.weather)) + '\n';
    out += "fixed";
    for (size_t i = 0; i < r.fixed.size(); ++i) {
        out += (i ? ';' : ' ') + std::to_string(r.fixed[i].gp) + ':';
        for (size_t d = 0; d < r.fixed[i].drivers.size(); ++d) out += (d ? "," : "") + std::to_string(r.fixed[i].drivers[d]);
    }
    out += "\nseason " + std::to_string(r.season.size()) + '\n';
    return out + r.season;
}

bool ReadOddsRequest(const std::string& text, OddsRequest& request) {
    OddsRequest r;
    size_t at = 0;
    auto line = [&](std::string& got) {
        const size_t end = text.find('\n', at);
        if (end == std::string::npos) return false;
        got = text.substr(at, end - at);
        at = end + 1;
        return true;
    };
    std::string l;
    if (!line(l) || l != RequestMark) return false;
    long long n = 0;
    auto number = [&](const char* name, long long low, long long high) {
        const std::string prefix = std::string(name) + ' ';
        return line(l) && l.rfind(prefix, 0) == 0 && Whole(l.substr(prefix.size()), n) && n >= low && n <= high;
    };
    if (!line(l) || l.rfind("seed ", 0) != 0) return false;
    char* end = nullptr;
    r.seed = std::strtoull(l.c_str() + 5, &end, 10);
    if (l.size() == 5 || *end) return false;
    if (!number("runs", 0, 100000000)) return false;
    r.runs = int(n);
    if (!number("threads", 1, 1024)) return false;
    r.threads = int(n);
    if (!number("stopAfterMs", 0, 86400000)) return false;
    r.stopAfterMs = int(n);
    if (!line(l)) return false;
    int pit = 0, pen = 0, weather = 0;
    if (std::sscanf(l.c_str(), "switches %d %d %d", &pit, &pen, &weather) != 3) return false;
    r.switches = {pit != 0, pen != 0, weather != 0};
    if (!line(l) || l.rfind("fixed", 0) != 0) return false;
    if (l.size() > 6)
        for (const std::string& one : Split(l.substr(6), ';')) {
            const std::vector<std::string> gp = Split(one, ':');
            FixedResult& f = r.fixed.emplace_back();
            if (gp.size() != 2 || !Whole(gp[0], n)) return false;
            f.gp = int(n);
            for (const std::string& d : Split(gp[1], ',')) {
                if (!Whole(d, n)) return false;
                f.drivers.push_back(int(n));
            }
        }
    if (!number("season", 0, (long long)(MaxSeasonFileBytes + MaxAdditionBytes))) return false;
    if (text.size() - at != size_t(n)) return false;
    r.season = text.substr(at);
    request = std::move(r);
    return true;
}

std::string OddsAnswerText(const OddsAnswer& a) {
    std::string out = std::string(AnswerMark) + '\n';
    out += std::string("state ") + StateNames[int(a.state)] + '\n';
    out += "runs " + std::to_string(a.odds.runs) + '\n';
    out += "elapsedMs " + std::to_string(a.elapsedMs) + '\n';
    WriteEntries(out, 'D', a.odds.drivers);
    WriteEntries(out, 'T', a.odds.teams);
    return out;
}

bool ReadOddsAnswer(const std::string& text, OddsAnswer& answer) {
    OddsAnswer a;
    std::vector<std::string> lines = Split(text, '\n');
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    if (lines.size() < 4 || lines[0] != AnswerMark) return false;
    bool known = false;
    for (int s = 0; s < 3; ++s)
        if (lines[1] == std::string("state ") + StateNames[s]) a.state = OddsAnswer::State(s), known = true;
    long long n = 0;
    if (!known || lines[2].rfind("runs ", 0) != 0 || !Whole(lines[2].substr(5), n) || n < 0 || n > 100000000) return false;
    a.odds.runs = int(n);
    if (lines[3].rfind("elapsedMs ", 0) != 0 || !Whole(lines[3].substr(10), n) || n < 0) return false;
    a.elapsedMs = int(std::min<long long>(n, 1 << 30));
    for (size_t i = 4; i < lines.size(); ++i) {
        const std::vector<std::string> f = Split(lines[i], '\t');
        if (f.empty() || (f[0] != "D" && f[0] != "T")) return false;
        if (!ReadEntry(f, (f[0] == "D" ? a.odds.drivers : a.odds.teams).emplace_back())) return false;
    }
    answer = std::move(a);
    return true;
}

void CountOdds(const std::string& text, const std::function<void(const std::string&)>& tell, const std::atomic<bool>& stop) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point started = Clock::now();
    auto elapsedMs = [started] { return int(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count()); };
    OddsRequest request;
    Season season;
    OddsAnswer answer;
    if (!ReadOddsRequest(text, request) || !ReadSeasonBytes(season, request.season)) {
        answer.state = OddsAnswer::State::Unreadable;
        tell(OddsAnswerText(answer));
        return;
    }
    request.season.clear();
    OddsProgress progress;
    const int limit = request.stopAfterMs;
    progress.stopNow = [&stop, &elapsedMs, limit] { return stop.load() || (limit > 0 && elapsedMs() >= limit); };
    progress.partial = [&](const OddsResult& partial) {
        tell(OddsAnswerText({OddsAnswer::State::Partial, elapsedMs(), partial}));
    };
    answer.odds = ChampionshipOdds(season, request.runs, request.threads, request.seed, request.switches, &progress, request.fixed);
    answer.elapsedMs = elapsedMs();
    tell(OddsAnswerText(answer));
}

} // namespace karven
