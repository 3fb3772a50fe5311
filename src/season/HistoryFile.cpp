#include "season/HistoryFile.h"

#include <charconv>
#include <map>

#include "season/Cp932.h"
#include "season/Numbers.h"
#include "season/ValueReader.h"
#include "season/Values.h"

namespace karven {

namespace {

using Line = std::vector<std::string>;

// ---- writing ----

// Names are written once per season and referred to by number; 0 is "nobody".
class NameTable {
public:
    int Of(const std::string& name) {
        if (name.empty()) return 0;
        auto [it, added] = index_.try_emplace(name, int(names_.size()) + 1);
        if (added) names_.push_back(name);
        return it->second;
    }
    const std::vector<std::string>& Names() const { return names_; }

private:
    std::map<std::string, int> index_;
    std::vector<std::string> names_;
};

class Writer {
public:
    bool Line(char kind, const std::vector<std::string>& values) {
        std::string line(1, kind);
        for (const std::string& v : values) {
            line += ',';
            if (!AppendValue(line, v)) return false;
        }
        lines_.push_back(std::move(line));
        return true;
    }
    // The section: its mark with the number of lines, then the lines.
    void Flush(const char* mark, std::string& text) {
        if (lines_.empty()) return;
        text += std::string(mark) + "," + std::to_string(lines_.size()) + "\r\n";
        for (const std::string& l : lines_) text += l + "\r\n";
        lines_.clear();
    }

private:
    std::vector<std::string> lines_;
};

std::string Num(double value) { return FormatPlain(value); }
std::string Num(int value) { return std::to_string(value); }
std::string Flag(bool value) { return value ? "1" : "0"; }

bool WriteSeason(Writer& w, const ArchivedSeason& s) {
    NameTable drivers, teams;
    // Numbers first, so the name lines can come before the lines that use them.
    std::vector<std::vector<std::string>> gpLines;
    for (const ArchivedGp& gp : s.gps) {
        std::vector<std::string> v = {gp.GpNm, gp.CourseType, Flag(gp.run), Num(drivers.Of(gp.pole)),
                                      Num(drivers.Of(gp.fastestLap))};
        for (const ClassifiedCar& c : gp.result)
            for (std::string x : {Num(c.place), Num(drivers.Of(c.DrvNm)), Num(teams.Of(c.TimNm)), Num(c.points),
                                  Flag(c.retired)})
                v.push_back(std::move(x));
        gpLines.push_back(std::move(v));
    }
    std::vector<std::string> entrants, standings, constructors, moves;
    for (const ArchivedEntrant& e : s.teams)
        for (std::string x : {Num(teams.Of(e.TimNm)), e.ColorNo, Num(drivers.Of(e.seat1)), Num(drivers.Of(e.seat2))})
            entrants.push_back(std::move(x));
    for (const ArchivedDriver& d : s.drivers)
        for (std::string x : {Num(d.place), Num(drivers.Of(d.DrvNm)), Num(teams.Of(d.TimNm)), Num(d.points), Num(d.wins)})
            standings.push_back(std::move(x));
    for (const ArchivedTeam& t : s.constructors)
        for (std::string x : {Num(t.place), Num(teams.Of(t.TimNm)), Num(t.points), Num(t.wins)})
            constructors.push_back(std::move(x));
    for (const SeatMove& m : s.moves)
        for (std::string x : {Num(drivers.Of(m.DrvNm)), Num(teams.Of(m.from)), Num(teams.Of(m.to))})
            moves.push_back(std::move(x));
    int champion = s.champion ? drivers.Of(*s.champion) : 0;
    int championTeam = teams.Of(s.championTeam);

    bool ok = w.Line('S', {Num(s.number), s.name, Flag(s.complete), Flag(s.champion.has_value()), Num(champion),
                           Num(championTeam)});
    ok = ok && w.Line('N', drivers.Names()) && w.Line('T', teams.Names());
    for (const auto& v : gpLines) ok = ok && w.Line('G', v);
    return ok && w.Line('E', entrants) && w.Line('D', standings) && w.Line('C', constructors) && w.Line('V', moves);
}

bool WriteRace(Writer& w, const RaceRecord& r) {
    std::vector<std::string> v = {Num(r.gp), r.pole, r.fastestLap};
    for (const ClassifiedCar& c : r.result)
        for (std::string x : {Num(c.place), c.DrvNm, c.TimNm, Num(c.points), Flag(c.retired)}) v.push_back(std::move(x));
    return w.Line('R', v);
}

// ---- reading ----

// A whole number written by the writer: digits only, and no more than a count needs.
bool Whole(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9) return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

bool Flag(const std::string& text, bool& value) {
    if (text != "0" && text != "1") return false;
    value = text == "1";
    return true;
}

bool Number(const std::string& text, double& value) {
    if (text.empty()) return false;
    value = ReadNumber(text);
    return true;
}

class Parser {
public:
    explicit Parser(std::vector<Line> lines) : lines_(std::move(lines)) {}

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
            r.pole = l[2];
            r.fastestLap = l[3];
            for (size_t i = 4; i < l.size(); i += 5) {
                ClassifiedCar& c = r.result.emplace_back();
                c.DrvNm = l[i + 1];
                c.TimNm = l[i + 2];
                if (!Whole(l[i], c.place) || !Number(l[i + 3], c.points) || !Flag(l[i + 4], c.retired)) return false;
            }
            races.push_back(std::move(r));
        }
        return true;
    }

private:
    const Line* Next(const char* kind) {
        if (at_ >= lines_.size() || lines_[at_].empty() || lines_[at_][0] != kind) return nullptr;
        return &lines_[at_++];
    }
    bool Name(const std::vector<std::string>& names, const std::string& number, std::string& name) const {
        int i = 0;
        if (!Whole(number, i) || i > int(names.size())) return false;
        name = i == 0 ? "" : names[i - 1];
        return true;
    }

    bool Season(ArchivedSeason& s) {
        const Line* head = Next("S");
        const Line* driverNames = Next("N");
        const Line* teamNames = Next("T");
        if (!head || !driverNames || !teamNames || head->size() != 7) return false;
        const std::vector<std::string> drivers(driverNames->begin() + 1, driverNames->end());
        const std::vector<std::string> teams(teamNames->begin() + 1, teamNames->end());
        const Line& h = *head;
        bool crowned = false;
        std::string champion;
        if (!Whole(h[1], s.number) || !Flag(h[3], s.complete) || !Flag(h[4], crowned) ||
            !Name(drivers, h[5], champion) || !Name(teams, h[6], s.championTeam))
            return false;
        s.name = h[2];
        if (crowned) s.champion = champion;

        while (const Line* g = Next("G")) {
            const Line& l = *g;
            if (l.size() < 6 || (l.size() - 6) % 5 != 0) return false;
            ArchivedGp& gp = s.gps.emplace_back();
            gp.GpNm = l[1];
            gp.CourseType = l[2];
            if (!Flag(l[3], gp.run) || !Name(drivers, l[4], gp.pole) || !Name(drivers, l[5], gp.fastestLap))
                return false;
            for (size_t i = 6; i < l.size(); i += 5) {
                ClassifiedCar& c = gp.result.emplace_back();
                if (!Whole(l[i], c.place) || !Name(drivers, l[i + 1], c.DrvNm) || !Name(teams, l[i + 2], c.TimNm) ||
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
            a.ColorNo = l[i + 1];
            if (!Name(teams, l[i], a.TimNm) || !Name(drivers, l[i + 2], a.seat1) || !Name(drivers, l[i + 3], a.seat2))
                return false;
        }
        for (size_t i = 1; i < d->size(); i += 5) {
            ArchivedDriver& a = s.drivers.emplace_back();
            const Line& l = *d;
            if (!Whole(l[i], a.place) || !Name(drivers, l[i + 1], a.DrvNm) || !Name(teams, l[i + 2], a.TimNm) ||
                !Number(l[i + 3], a.points) || !Whole(l[i + 4], a.wins))
                return false;
        }
        for (size_t i = 1; i < c->size(); i += 4) {
            ArchivedTeam& a = s.constructors.emplace_back();
            const Line& l = *c;
            if (!Whole(l[i], a.place) || !Name(teams, l[i + 1], a.TimNm) || !Number(l[i + 2], a.points) ||
                !Whole(l[i + 3], a.wins))
                return false;
        }
        for (size_t i = 1; i < v->size(); i += 3) {
            SeatMove& m = s.moves.emplace_back();
            const Line& l = *v;
            if (!Name(drivers, l[i], m.DrvNm) || !Name(teams, l[i + 1], m.from) || !Name(teams, l[i + 2], m.to))
                return false;
        }
        return true;
    }

    std::vector<Line> lines_;
    size_t at_ = 0;
};

// The values of one line, by the season file's value rules.
Line ValuesOf(std::string_view line) {
    Line values;
    ValueReader reader(line);
    std::string value;
    while (reader.Next(value)) values.push_back(value);
    return values;
}

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
        lines.push_back(ValuesOf(std::string_view(text).substr(at, end - 2 - at)));
        at = end;
    }
    Parser parser(std::move(lines));
    if (mark == HistoryMark) {
        std::vector<ArchivedSeason> seasons;
        if (!parser.Seasons(seasons)) return false;
        history.seasons.insert(history.seasons.end(), seasons.begin(), seasons.end());
        return true;
    }
    if (mark == RacesMark) return parser.Races(history.races);
    return false; // a kind or version this program does not know
}

} // namespace

std::optional<std::string> ArchivedSeason::ConstructorsChampion() const {
    if (!complete || constructors.empty()) return std::nullopt;
    return constructors.front().TimNm;
}

bool ComposeHistory(const History& history, std::string& text) {
    text.clear();
    Writer w;
    for (const ArchivedSeason& s : history.seasons)
        if (!WriteSeason(w, s)) return false;
    w.Flush(HistoryMark, text);
    for (const RaceRecord& r : history.races)
        if (!WriteRace(w, r)) return false;
    w.Flush(RacesMark, text);
    return true;
}

bool ReadHistory(std::string_view tail, History& history) {
    history = {};
    bool readable = true;
    size_t at = 0;
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
        }
        at = end;
    }
    history.kept += tail.substr(at);
    return readable;
}

bool AsSaved(const History& history, History& saved) {
    std::string text, bytes;
    if (!ComposeHistory(history, text) || !EncodeCp932(ToCp932Forms(text), bytes)) return false;
    bytes += history.kept;
    ReadHistory(bytes, saved); // what cannot be read stays kept, as it would
    return true;
}

} // namespace karven
