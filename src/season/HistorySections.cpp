#include "season/HistorySections.h"

namespace karven {

using namespace history_lines;

void WriteSeason(Writer& w, const ArchivedSeason& s) {
    w.Begin('S') << s.number << s.name << s.complete << s.crowned << s.champion << s.championTeam;
    w.End();
    w.Begin('N');
    for (const std::string& name : s.names) w << name;
    w.End();
    for (const ArchivedGp& gp : s.gps) {
        w.Begin('G') << gp.GpNm << gp.CourseType << gp.run << gp.pole << gp.fastestLap;
        for (const ArchivedCar& c : gp.result) w << c.place << c.driver << c.team << c.points << c.retired;
        w.End();
    }
    w.Begin('E');
    for (const ArchivedEntrant& e : s.teams) w << e.team << e.ColorNo << e.seat1 << e.seat2;
    w.End();
    w.Begin('D');
    for (const ArchivedDriver& d : s.drivers) w << d.place << d.driver << d.team << d.points << d.wins;
    w.End();
    w.Begin('C');
    for (const ArchivedTeam& t : s.constructors) w << t.place << t.team << t.points << t.wins;
    w.End();
    w.Begin('V');
    for (const SeatMove& m : s.moves) w << m.driver << m.from << m.to;
    w.End();
}

size_t SeasonLineCount(const ArchivedSeason& s) { return 6 + s.gps.size(); }

void WriteRace(Writer& w, const RaceRecord& r) {
    w.Begin('R') << r.gp << r.pole << r.fastestLap;
    for (const ClassifiedCar& c : r.result) w << c.place << c.DrvNm << c.TimNm << c.points << c.retired;
    w.End();
}

bool ReadRace(const Line& l, RaceRecord& r) {
    if (l.size() < 4 || l[0] != "R" || (l.size() - 4) % 5 != 0) return false;
    r = {};
    if (!Whole(l[1], r.gp)) return false;
    r.pole = std::string(l[2]);
    r.fastestLap = std::string(l[3]);
    r.result.reserve((l.size() - 4) / 5);
    for (size_t i = 4; i < l.size(); i += 5) {
        ClassifiedCar& c = r.result.emplace_back();
        c.DrvNm = std::string(l[i + 1]);
        c.TimNm = std::string(l[i + 2]);
        if (!Whole(l[i], c.place) || !Number(l[i + 3], c.points) || !Flag(l[i + 4], c.retired)) return false;
    }
    return true;
}

namespace {
// A number that names one of the season's names, or nobody.
bool Ref(const ArchivedSeason& s, std::string_view number, NameRef& ref) {
    return Whole(number, ref) && ref <= int(s.names.size());
}

bool Kind(const Line& l, const char* kind) { return !l.empty() && l[0] == kind; }

// A line of groups of `width` values after its kind.
bool Groups(const Line& l, const char* kind, size_t width) { return Kind(l, kind) && (l.size() - 1) % width == 0; }
} // namespace

bool ReadSeason(const std::vector<Line>& lines, ArchivedSeason& s) {
    s = {};
    if (lines.size() < 6) return false;
    const size_t gps = lines.size() - 6;
    const Line& h = lines[0];
    const Line& names = lines[1];
    if (!Kind(h, "S") || h.size() != 7 || !Kind(names, "N")) return false;
    s.names.reserve(names.size() - 1);
    for (size_t i = 1; i < names.size(); ++i) s.names.emplace_back(names[i]);
    s.name = std::string(h[2]);
    if (!Whole(h[1], s.number) || !Flag(h[3], s.complete) || !Flag(h[4], s.crowned) || !Ref(s, h[5], s.champion) ||
        !Ref(s, h[6], s.championTeam))
        return false;
    s.gps.reserve(gps);
    for (size_t g = 0; g < gps; ++g) {
        const Line& l = lines[2 + g];
        if (!Kind(l, "G") || l.size() < 6 || (l.size() - 6) % 5 != 0) return false;
        ArchivedGp& gp = s.gps.emplace_back();
        gp.GpNm = std::string(l[1]);
        gp.CourseType = std::string(l[2]);
        if (!Flag(l[3], gp.run) || !Ref(s, l[4], gp.pole) || !Ref(s, l[5], gp.fastestLap)) return false;
        gp.result.reserve((l.size() - 6) / 5);
        for (size_t i = 6; i < l.size(); i += 5) {
            int place = 0;
            NameRef driver = 0, team = 0;
            double points = 0;
            bool retired = false;
            if (!Whole(l[i], place) || !Ref(s, l[i + 1], driver) || !Ref(s, l[i + 2], team) ||
                !Number(l[i + 3], points) || !Flag(l[i + 4], retired))
                return false;
            // A value the car cannot hold exactly writes back otherwise: the check of the bytes tells.
            gp.result.emplace_back(place, driver, team, points, retired);
        }
    }
    const Line& e = lines[2 + gps];
    const Line& d = lines[3 + gps];
    const Line& c = lines[4 + gps];
    const Line& v = lines[5 + gps];
    if (!Groups(e, "E", 4) || !Groups(d, "D", 5) || !Groups(c, "C", 4) || !Groups(v, "V", 3)) return false;
    // Exactly as many as there are: a long history is held in memory for the whole game.
    s.teams.reserve(e.size() / 4);
    s.drivers.reserve(d.size() / 5);
    s.constructors.reserve(c.size() / 4);
    s.moves.reserve(v.size() / 3);
    for (size_t i = 1; i < e.size(); i += 4) {
        ArchivedEntrant& a = s.teams.emplace_back();
        a.ColorNo = std::string(e[i + 1]);
        if (!Ref(s, e[i], a.team) || !Ref(s, e[i + 2], a.seat1) || !Ref(s, e[i + 3], a.seat2)) return false;
    }
    for (size_t i = 1; i < d.size(); i += 5) {
        ArchivedDriver& a = s.drivers.emplace_back();
        if (!Whole(d[i], a.place) || !Ref(s, d[i + 1], a.driver) || !Ref(s, d[i + 2], a.team) ||
            !Number(d[i + 3], a.points) || !Whole(d[i + 4], a.wins))
            return false;
    }
    for (size_t i = 1; i < c.size(); i += 4) {
        ArchivedTeam& a = s.constructors.emplace_back();
        if (!Whole(c[i], a.place) || !Ref(s, c[i + 1], a.team) || !Number(c[i + 2], a.points) || !Whole(c[i + 3], a.wins))
            return false;
    }
    for (size_t i = 1; i < v.size(); i += 3) {
        SeatMove& m = s.moves.emplace_back();
        if (!Ref(s, v[i], m.driver) || !Ref(s, v[i + 1], m.from) || !Ref(s, v[i + 2], m.to)) return false;
    }
    return true;
}

} // namespace karven
