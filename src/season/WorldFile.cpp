#include "season/WorldFile.h"

#include <charconv>
#include <type_traits>

namespace karven {

using namespace history_lines;

namespace {
// The lowest and highest value of each rating: Technique 0..5, every other 1..5.
constexpr double DriverLow[rating::Drivers] = {0, 1, 1, 1};
constexpr double High = 5;

void WriteRatings(Writer& w, const auto& ratings) {
    for (auto r : ratings) w << r;
}

bool Kind(const Line& l, const char* kind, size_t values) { return l.size() == values + 1 && l[0] == kind; }

bool Between(std::string_view text, double low, double high, double& value) {
    return Number(text, value) && value >= low && value <= high;
}

bool WholeBetween(std::string_view text, int low, int high, int& value) {
    return Whole(text, value) && value >= low && value <= high;
}

// The seed: digits as std::to_string writes them.
bool Unsigned(std::string_view text, uint64_t& value) {
    if (text.empty() || text.size() > 20 || (text[0] == '0' && text.size() > 1) || text[0] < '0' || text[0] > '9')
        return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

template <size_t N>
bool Qualities(const Line& l, size_t from, std::array<double, N>& out) {
    for (size_t r = 0; r < N; ++r)
        if (!Between(l[from + r], 0, 1, out[r])) return false;
    return true;
}

template <size_t N>
bool DriverRatingsOf(const Line& l, size_t from, std::array<double, N>& out) {
    for (size_t r = 0; r < N; ++r)
        if (!Between(l[from + r], DriverLow[r], High, out[r])) return false;
    return true;
}

template <size_t N>
bool WholeDriverRatingsOf(const Line& l, size_t from, std::array<int, N>& out) {
    for (size_t r = 0; r < N; ++r)
        if (!WholeBetween(l[from + r], int(DriverLow[r]), int(High), out[r])) return false;
    return true;
}

template <class T, size_t N>
bool TeamRatingsOf(const Line& l, size_t from, std::array<T, N>& out) {
    for (size_t r = 0; r < N; ++r) {
        double v = 0;
        if (!Between(l[from + r], 1, High, v) || (std::is_integral_v<T> && v != double(int(v)))) return false;
        out[r] = T(v);
    }
    return true;
}
} // namespace

void WriteWorld(Writer& w, const WorldState& world) {
    w.Begin('W') << world.enabled << std::to_string(world.seed) << world.turns << world.fieldSize
                 << world.lastRegulations;
    WriteRatings(w, world.driverLevel);
    WriteRatings(w, world.driverSpread);
    WriteRatings(w, world.machineLevel);
    w.End();
    for (const auto* scales : {&world.driverScale[0], &world.driverScale[1], &world.driverScale[2], &world.driverScale[3],
                               &world.machineScale[0], &world.machineScale[1], &world.machineScale[2]}) {
        w.Begin('F');
        WriteRatings(w, *scales);
        w.End();
    }
    auto driver = [&](const WorldDriver& x) {
        w.Begin('D') << x.DrvNm << x.age;
        WriteRatings(w, x.potential);
        WriteRatings(w, x.ratings);
        WriteRatings(w, x.whole);
        w.End();
    };
    auto team = [&](const WorldTeam& t) {
        w.Begin('T') << t.TimNm;
        WriteRatings(w, t.ratings);
        WriteRatings(w, t.whole);
        w.End();
    };
    for (size_t d = 1; d < world.drivers.size(); ++d) driver(world.drivers[d]);
    for (const WorldDriver& x : world.unmatchedDrivers) driver(x);
    for (size_t t = 1; t < world.teams.size(); ++t) team(world.teams[t]);
    for (const WorldTeam& t : world.unmatchedTeams) team(t);
    for (const RetiredDriver& x : world.retired) {
        w.Begin('X') << x.DrvNm << x.age << x.season;
        WriteRatings(w, x.ratings);
        for (const std::string& c : x.career) w << c;
        w.End();
    }
    for (const WorldSeason& s : world.seasons) {
        w.Begin('S') << s.season << s.regulations;
        w.End();
        w.Begin('O');
        for (const std::string& name : s.retired) w << name;
        w.End();
        w.Begin('I');
        for (const std::string& name : s.debuts) w << name;
        w.End();
        w.Begin('R');
        for (const RatedDriver& d : s.drivers) {
            w << d.DrvNm << d.age;
            WriteRatings(w, d.ratings);
        }
        w.End();
        w.Begin('M');
        for (const RatedTeam& t : s.teams) {
            w << t.TimNm;
            WriteRatings(w, t.ratings);
        }
        w.End();
    }
}

bool ReadWorld(const std::vector<Line>& lines, WorldState& world) {
    world = {};
    size_t at = 0;
    auto next = [&](const char* kind) { return at < lines.size() && !lines[at].empty() && lines[at][0] == kind; };
    if (!next("W") || !Kind(lines[at], "W", 16)) return false;
    const Line& head = lines[at++];
    if (!Flag(head[1], world.enabled) || !Unsigned(head[2], world.seed) || !Whole(head[3], world.turns) ||
        !WholeBetween(head[4], 0, 999, world.fieldSize) || !Whole(head[5], world.lastRegulations) ||
        !Qualities(head, 6, world.driverLevel) || !Qualities(head, 10, world.driverSpread) ||
        !Qualities(head, 14, world.machineLevel))
        return false;
    for (int scale = 0; scale < rating::Drivers + rating::Teams; ++scale, ++at) {
        if (!next("F")) return false;
        const Line& l = lines[at];
        const bool team = scale >= rating::Drivers;
        const int r = team ? scale - rating::Drivers : scale;
        std::vector<int>& values = team ? world.machineScale[size_t(r)] : world.driverScale[size_t(r)];
        const int low = team ? 1 : int(DriverLow[r]);
        for (size_t i = 1; i < l.size(); ++i)
            if (!WholeBetween(l[i], low, int(High), values.emplace_back())) return false;
    }
    world.drivers.resize(1);
    for (; next("D"); ++at) {
        const Line& l = lines[at];
        WorldDriver& d = world.drivers.emplace_back();
        if (!Kind(l, "D", 14)) return false;
        d.DrvNm = std::string(l[1]);
        if (!WholeBetween(l[2], 0, MaxAge, d.age) || !Qualities(l, 3, d.potential) || !DriverRatingsOf(l, 7, d.ratings) ||
            !WholeDriverRatingsOf(l, 11, d.whole))
            return false;
    }
    world.teams.resize(1);
    for (; next("T"); ++at) {
        const Line& l = lines[at];
        WorldTeam& t = world.teams.emplace_back();
        if (!Kind(l, "T", 7)) return false;
        t.TimNm = std::string(l[1]);
        if (!TeamRatingsOf(l, 2, t.ratings) || !TeamRatingsOf(l, 5, t.whole)) return false;
    }
    for (; next("X"); ++at) {
        const Line& l = lines[at];
        RetiredDriver& x = world.retired.emplace_back();
        if (!Kind(l, "X", 14)) return false;
        x.DrvNm = std::string(l[1]);
        if (!WholeBetween(l[2], 0, MaxAge, x.age) || !Whole(l[3], x.season) || !WholeDriverRatingsOf(l, 4, x.ratings))
            return false;
        for (size_t c = 0; c < x.career.size(); ++c) x.career[c] = std::string(l[8 + c]);
    }
    while (next("S")) {
        if (at + 5 > lines.size()) return false;
        const Line& h = lines[at];
        const Line& gone = lines[at + 1];
        const Line& come = lines[at + 2];
        const Line& rated = lines[at + 3];
        const Line& teams = lines[at + 4];
        at += 5;
        WorldSeason& s = world.seasons.emplace_back();
        if (!Kind(h, "S", 2) || !Whole(h[1], s.season) || !Flag(h[2], s.regulations) || gone.empty() ||
            gone[0] != "O" || come.empty() || come[0] != "I" || rated.empty() || rated[0] != "R" ||
            (rated.size() - 1) % 6 != 0 || teams.empty() || teams[0] != "M" || (teams.size() - 1) % 4 != 0)
            return false;
        for (size_t i = 1; i < gone.size(); ++i) s.retired.emplace_back(gone[i]);
        for (size_t i = 1; i < come.size(); ++i) s.debuts.emplace_back(come[i]);
        for (size_t i = 1; i < rated.size(); i += 6) {
            RatedDriver& d = s.drivers.emplace_back();
            d.DrvNm = std::string(rated[i]);
            if (!WholeBetween(rated[i + 1], 0, MaxAge, d.age) || !WholeDriverRatingsOf(rated, i + 2, d.ratings)) return false;
        }
        for (size_t i = 1; i < teams.size(); i += 4) {
            RatedTeam& t = s.teams.emplace_back();
            t.TimNm = std::string(teams[i]);
            if (!TeamRatingsOf(teams, i + 1, t.ratings)) return false;
        }
    }
    return at == lines.size();
}

bool WorldFitsHistory(const WorldState& world, const std::vector<ArchivedSeason>& seasons) {
    if (world.seasons.size() > size_t(world.turns) || world.lastRegulations > world.turns) return false;
    // Both lists run in the order the seasons closed.
    size_t closed = 0;
    for (const WorldSeason& turned : world.seasons) {
        while (closed < seasons.size() && seasons[closed].number != turned.season) ++closed;
        if (closed == seasons.size()) return false;
        ++closed;
    }
    return true;
}

} // namespace karven
