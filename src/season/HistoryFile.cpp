#include "season/HistoryFile.h"

#include <charconv>

#include "season/Cp932.h"
#include "season/Numbers.h"
#include "season/Values.h"

namespace karven {

namespace {

using Line = std::vector<std::string_view>;

// ---- writing ----

// Lines of one section, each value appended in place by the season file's value rules.
class Writer {
public:
    Writer& Begin(char kind) {
        body_ += kind;
        return *this;
    }
    Writer& operator<<(const std::string& text) {
        body_ += ',';
        ok_ = AppendValue(body_, text) && ok_;
        return *this;
    }
    Writer& operator<<(int value) {
        char digits[16];
        auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        body_ += ',';
        body_.append(digits, end);
        return *this;
    }
    Writer& operator<<(double value) {
        if (value >= 0 && value < 1e9 && value == double(int(value))) return *this << int(value);
        body_ += ',';
        body_ += FormatPlain(value);
        return *this;
    }
    Writer& operator<<(bool flag) {
        body_ += flag ? ",1" : ",0";
        return *this;
    }
    void End() {
        body_ += "\r\n";
        ++lines_;
    }
    bool Ok() const { return ok_; }
    // The section: its mark with the number of lines, then the lines.
    void Flush(const char* mark, std::string& text) {
        if (lines_ == 0) return;
        text += std::string(mark) + "," + std::to_string(lines_) + "\r\n" + body_;
        body_.clear();
        lines_ = 0;
    }

private:
    std::string body_;
    size_t lines_ = 0;
    bool ok_ = true;
};

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

// A whole number written by the writer: digits only, and no more than a count needs.
bool Whole(std::string_view text, int& value) {
    if (text.empty() || text.size() > 9) return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

bool Flag(std::string_view text, bool& value) {
    if (text != "0" && text != "1") return false;
    value = text == "1";
    return true;
}

bool Number(std::string_view text, double& value) {
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

    std::vector<Line> lines_;
    size_t at_ = 0;
};

// The values of one line, trimmed, by the season file's value rules: a value opening with a double
// quote runs to the next one and may hold commas; what follows the closing quote is dropped.
Line ValuesOf(std::string_view line) {
    Line values;
    size_t at = 0;
    auto trim = [](std::string_view v) {
        while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
        while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
        return v;
    };
    for (;;) {
        while (at < line.size() && line[at] == ' ') ++at;
        size_t comma;
        if (at < line.size() && line[at] == '"') {
            size_t close = line.find('"', at + 1);
            if (close == std::string_view::npos) close = line.size();
            values.push_back(trim(line.substr(at + 1, close - at - 1)));
            comma = line.find(',', close);
        } else {
            comma = line.find(',', at);
            values.push_back(trim(line.substr(at, comma == std::string_view::npos ? comma : comma - at)));
        }
        if (comma == std::string_view::npos) return values;
        at = comma + 1;
    }
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

bool ComposeHistory(const History& history, std::string& text) {
    text.clear();
    Writer w;
    for (const ArchivedSeason& s : history.seasons) WriteSeason(w, s);
    w.Flush(HistoryMark, text);
    for (const RaceRecord& r : history.races) WriteRace(w, r);
    w.Flush(RacesMark, text);
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
