#include "season/HistoryFile.h"

#include <charconv>

#include "season/Cp932.h"
#include "season/HistoryLines.h"
#include "season/LapsFile.h"

namespace karven {

namespace {

using namespace history_lines;

// ---- writing ----

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

void WriteRace(Writer& w, const RaceRecord& r) {
    w.Begin('R') << r.gp << r.pole << r.fastestLap;
    for (const ClassifiedCar& c : r.result) w << c.place << c.DrvNm << c.TimNm << c.points << c.retired;
    w.End();
}

// ---- reading ----

class Parser {
public:
    explicit Parser(const std::vector<Line>& lines) : lines_(lines) {}

    bool Seasons(std::vector<ArchivedSeason>& seasons) {
        while (at_ < lines_.size()) {
            ArchivedSeason s;
            if (!Season(s)) return false;
            seasons.push_back(std::move(s));
        }
        return true;
    }

    bool Races(std::vector<RaceRecord>& races) {
        for (const Line& l : lines_) {
            if (l.size() < 4 || l[0] != "R" || (l.size() - 4) % 5 != 0) return false;
            RaceRecord r;
            if (!Whole(l[1], r.gp)) return false;
            r.pole = std::string(l[2]);
            r.fastestLap = std::string(l[3]);
            for (size_t i = 4; i < l.size(); i += 5) {
                ClassifiedCar& c = r.result.emplace_back();
                c.DrvNm = std::string(l[i + 1]);
                c.TimNm = std::string(l[i + 2]);
                if (!Whole(l[i], c.place) || !Number(l[i + 3], c.points) || !Flag(l[i + 4], c.retired)) return false;
            }
            races.push_back(std::move(r));
        }
        return true;
    }

private:
    const Line* Next(const char* kind) {
        if (at_ >= lines_.size() || lines_[at_].empty() || lines_[at_][0] != std::string_view(kind)) return nullptr;
        return &lines_[at_++];
    }
    // A number that names one of the season's names, or nobody.
    static bool Ref(const ArchivedSeason& s, std::string_view number, NameRef& ref) {
        return Whole(number, ref) && ref <= int(s.names.size());
    }

    bool Season(ArchivedSeason& s) {
        const Line* head = Next("S");
        const Line* names = Next("N");
        if (!head || !names || head->size() != 7) return false;
        s.names.assign(names->begin() + 1, names->end());
        const Line& h = *head;
        s.name = std::string(h[2]);
        if (!Whole(h[1], s.number) || !Flag(h[3], s.complete) || !Flag(h[4], s.crowned) || !Ref(s, h[5], s.champion) ||
            !Ref(s, h[6], s.championTeam))
            return false;
        while (const Line* g = Next("G")) {
            const Line& l = *g;
            if (l.size() < 6 || (l.size() - 6) % 5 != 0) return false;
            ArchivedGp& gp = s.gps.emplace_back();
            gp.GpNm = std::string(l[1]);
            gp.CourseType = std::string(l[2]);
            if (!Flag(l[3], gp.run) || !Ref(s, l[4], gp.pole) || !Ref(s, l[5], gp.fastestLap)) return false;
            for (size_t i = 6; i < l.size(); i += 5) {
                ArchivedCar& c = gp.result.emplace_back();
                if (!Whole(l[i], c.place) || !Ref(s, l[i + 1], c.driver) || !Ref(s, l[i + 2], c.team) ||
                    !Number(l[i + 3], c.points) || !Flag(l[i + 4], c.retired))
                    return false;
            }
        }
        const Line* e = Next("E");
        const Line* d = Next("D");
        const Line* c = Next("C");
        const Line* v = Next("V");
        if (!e || !d || !c || !v || (e->size() - 1) % 4 != 0 || (d->size() - 1) % 5 != 0 ||
            (c->size() - 1) % 4 != 0 || (v->size() - 1) % 3 != 0)
            return false;
        for (size_t i = 1; i < e->size(); i += 4) {
            ArchivedEntrant& a = s.teams.emplace_back();
            const Line& l = *e;
            a.ColorNo = std::string(l[i + 1]);
            if (!Ref(s, l[i], a.team) || !Ref(s, l[i + 2], a.seat1) || !Ref(s, l[i + 3], a.seat2)) return false;
        }
        for (size_t i = 1; i < d->size(); i += 5) {
            ArchivedDriver& a = s.drivers.emplace_back();
            const Line& l = *d;
            if (!Whole(l[i], a.place) || !Ref(s, l[i + 1], a.driver) || !Ref(s, l[i + 2], a.team) ||
                !Number(l[i + 3], a.points) || !Whole(l[i + 4], a.wins))
                return false;
        }
        for (size_t i = 1; i < c->size(); i += 4) {
            ArchivedTeam& a = s.constructors.emplace_back();
            const Line& l = *c;
            if (!Whole(l[i], a.place) || !Ref(s, l[i + 1], a.team) || !Number(l[i + 2], a.points) ||
                !Whole(l[i + 3], a.wins))
                return false;
        }
        for (size_t i = 1; i < v->size(); i += 3) {
            SeatMove& m = s.moves.emplace_back();
            const Line& l = *v;
            if (!Ref(s, l[i], m.driver) || !Ref(s, l[i + 1], m.from) || !Ref(s, l[i + 2], m.to)) return false;
        }
        return true;
    }

    const std::vector<Line>& lines_;
    size_t at_ = 0;
};

// The end of the line starting at `from` (past its CR LF), or npos when it has none.
size_t LineEnd(std::string_view text, size_t from) {
    size_t crlf = text.find("\r\n", from);
    return crlf == std::string_view::npos ? crlf : crlf + 2;
}

// A section of ours read into the history; false when it cannot be.
bool ReadSection(const std::string& mark, std::string_view body, History& history) {
    std::string text;
    if (!DecodeCp932(body, text)) return false;
    std::vector<Line> lines;
    for (size_t at = 0; at < text.size();) {
        size_t end = LineEnd(text, at);
        if (end == std::string::npos) return false;
        std::string_view line = std::string_view(text).substr(at, end - 2 - at);
        // A lone CR or LF inside a value is no line of ours, and could never be written back.
        if (line.find_first_of("\r\n") != std::string_view::npos) return false;
        lines.push_back(ValuesOf(line));
        at = end;
    }
    Parser parser(lines);
    if (mark == HistoryMark) {
        std::vector<ArchivedSeason> seasons;
        if (!parser.Seasons(seasons)) return false;
        history.seasons.insert(history.seasons.end(), seasons.begin(), seasons.end());
        return true;
    }
    if (mark == RacesMark) return parser.Races(history.races);
    if (mark == LapsMark) return ReadLaps(lines, history.laps.emplace_back());
    return false; // a kind or version this program does not know
}

} // namespace

bool ComposeHistory(const History& history, std::string& text) {
    text.clear();
    Writer w;
    for (const ArchivedSeason& s : history.seasons) WriteSeason(w, s);
    w.Flush(HistoryMark, text);
    for (const RaceRecord& r : history.races) WriteRace(w, r);
    w.Flush(RacesMark, text);
    // A section per race: damage to one costs no other.
    for (const RaceLaps& laps : history.laps) {
        WriteLaps(w, laps);
        w.Flush(LapsMark, text);
    }
    return w.Ok();
}

bool ReadHistory(std::string_view tail, History& history) {
    history = {};
    bool readable = true;
    // Blank lines before the first section are no one's; bytes of another program are not ours
    // to keep, and the rules' reader ignores them as well.
    size_t at = tail.find_first_not_of(" \r\n");
    if (at == std::string_view::npos || !tail.substr(at).starts_with(SectionMarkFamily)) return true;
    while (at < tail.size()) {
        // A section: its mark line with the number of lines that follow.
        size_t headEnd = LineEnd(tail, at);
        std::string_view head = tail.substr(at, headEnd == std::string_view::npos ? std::string_view::npos : headEnd - 2 - at);
        if (!head.starts_with(SectionMarkFamily)) break; // not ours: kept below, silently
        size_t comma = head.find(',');
        int count = 0;
        size_t end = headEnd;
        bool whole = comma != std::string_view::npos && headEnd != std::string_view::npos &&
                     Whole(std::string(head.substr(comma + 1)), count);
        for (int i = 0; whole && i < count; ++i) {
            end = LineEnd(tail, end);
            whole = end != std::string_view::npos;
        }
        if (!whole) { // cut short or damaged: the rest cannot be told apart
            readable = false;
            break;
        }
        History section;
        if (!ReadSection(std::string(head.substr(0, comma)), tail.substr(headEnd, end - headEnd), section)) {
            history.kept += tail.substr(at, end - at);
            readable = false;
        } else {
            history.seasons.insert(history.seasons.end(), section.seasons.begin(), section.seasons.end());
            history.races.insert(history.races.end(), section.races.begin(), section.races.end());
            for (RaceLaps& laps : section.laps) history.laps.push_back(std::move(laps));
        }
        at = end;
    }
    history.kept += tail.substr(at);
    return readable;
}

bool AsSaved(const History& history, History& saved, std::string& bytes) {
    std::string text;
    if (!ComposeHistory(history, text) || !EncodeCp932(ToCp932Forms(text), bytes)) return false;
    bytes += history.kept;
    ReadHistory(bytes, saved); // what cannot be read stays kept, as it would
    return true;
}

} // namespace karven
