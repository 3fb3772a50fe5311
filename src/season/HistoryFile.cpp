#include "season/HistoryFile.h"

#include <algorithm>
#include <type_traits>

#include "season/Cp932.h"
#include "season/HistoryLines.h"
#include "season/HistorySections.h"
#include "season/LapsFile.h"
#include "season/Numbers.h"
#include "season/ManagementFile.h"
#include "season/PrincipalFile.h"
#include "season/Season.h"
#include "season/SeasonFile.h"
#include "season/WorldFile.h"

namespace karven {

namespace {

using namespace history_lines;

static_assert(MaxValueBytes == MaxSeasonFileBytes, "a name of ours is one a season's own part held");

// ---- writing ----

// UTF-8 in code page 932, a piece of at most a megabyte at a time, handed to `hand`.
bool EncodeInPieces(std::string_view utf8, std::string& bytes, const std::function<bool(std::string_view)>& hand) {
    constexpr size_t Piece = 1024 * 1024;
    while (!utf8.empty()) {
        size_t n = std::min(utf8.size(), Piece);
        while (n < utf8.size() && (uint8_t(utf8[n]) & 0xC0) == 0x80) --n; // between two characters
        if (!EncodeCp932(utf8.substr(0, n), bytes) || !hand(bytes)) return false;
        utf8.remove_prefix(n);
    }
    return true;
}

// The lines `write` writes, counted: a section's mark tells how many lines follow it.
template <class Write> size_t LinesOf(Write write) {
    Writer counted([](std::string_view) { return true; });
    write(counted);
    return counted.Lines();
}

// Each section in code page 932, one after another, handed over as it is written: its mark line
// with the lines counted first, then its lines.
bool EncodeSections(const History& history, const HistorySink& sink) {
    std::string bytes;
    Writer w([&](std::string_view utf8) { return EncodeInPieces(utf8, bytes, sink); });
    auto section = [&](const char* mark, size_t lines, auto write) {
        if (lines == 0) return true; // nothing to write: no section
        const size_t before = w.Lines();
        if (!sink(MarkLine(mark, lines))) return false;
        write(w);
        return w.Finish() && w.Lines() - before == lines;
    };
    size_t seasons = 0;
    for (const ArchivedSeason& s : history.seasons) seasons += SeasonLineCount(s);
    if (!section(HistoryMark, seasons, [&](Writer& out) {
            for (const ArchivedSeason& s : history.seasons) WriteSeason(out, s);
        }))
        return false;
    auto races = [&](Writer& out) {
        for (const RaceRecord& r : history.races) WriteRace(out, r);
    };
    if (!section(RacesMark, history.races.size(), races)) return false;
    // A section per race: damage to one costs no other.
    for (const RaceLaps& laps : history.laps) {
        auto write = [&](Writer& out) { WriteLaps(out, laps); };
        if (!section(LapsMark, LinesOf(write), write)) return false;
    }
    if (!history.world.Empty()) {
        auto write = [&](Writer& out) { WriteWorld(out, history.world); };
        if (!section(WorldMark, LinesOf(write), write)) return false;
    }
    if (!history.principal.Empty()) {
        auto write = [&](Writer& out) { WritePrincipal(out, history.principal); };
        if (!section(PrincipalMark, LinesOf(write), write)) return false;
    }
    if (!history.management.Empty()) {
        auto write = [&](Writer& out) { WriteManagement(out, history.management); };
        if (!section(ManagementMark, LinesOf(write), write)) return false;
    }
    return true;
}

// ---- reading ----

// The end of the line starting at `from` (past its CR LF), or npos when it has none.
size_t LineEnd(std::string_view text, size_t from) {
    size_t crlf = text.find("\r\n", from);
    return crlf == std::string_view::npos ? crlf : crlf + 2;
}

// The lines of a section's body, each as its values; false when the body is not code page 932
// or a line holds a lone CR or LF, which is no line of ours and could never be written back.
bool DecodeLines(std::string_view body, std::string& text, std::vector<Line>& lines) {
    lines.clear();
    // Values are counted and measured on the bytes, before anything is decoded: a comma, a quote
    // or a space of the file is never part of a code page 932 character.
    for (size_t at = 0; at < body.size();) {
        size_t end = std::min(LineEnd(body, at), body.size());
        std::string_view line = body.substr(at, end - at);
        if (size_t(std::count(line.begin(), line.end(), ',')) >= MaxLineValues) return false;
        for (std::string_view value : ValuesOf(line))
            if (value.size() > MaxValueBytes) return false;
        at = end;
    }
    if (!DecodeCp932(body, text)) return false;
    for (size_t at = 0; at < text.size();) {
        size_t end = LineEnd(text, at);
        if (end == std::string::npos) return false;
        std::string_view line = std::string_view(text).substr(at, end - 2 - at);
        if (line.find_first_of("\r\n") != std::string_view::npos) return false;
        lines.push_back(ValuesOf(line));
        at = end;
    }
    return true;
}

// A section's body read by `read` from its lines, then checked: writing back what was read must
// give its very bytes, or a value in another form (spaces, quotes, a number written otherwise)
// would change on the next save. The decoded text goes before the writing, and what is written
// back is compared as it comes: a section of long names is held once more at the most.
template <class Read, class Write> bool ReadBack(std::string_view body, Read read, Write write) {
    {
        std::string text;
        std::vector<Line> lines;
        if (!DecodeLines(body, text, lines) || !read(lines)) return false;
    }
    std::string bytes;
    std::string_view rest = body;
    Writer w([&](std::string_view utf8) {
        return EncodeInPieces(utf8, bytes, [&](std::string_view piece) {
            if (!rest.starts_with(piece)) return false;
            rest.remove_prefix(piece.size());
            return true;
        });
    });
    write(w);
    return w.Finish() && rest.empty();
}

// The closed seasons, one at a time: each opens with its S line.
bool ReadSeasons(std::string_view body, std::vector<ArchivedSeason>& seasons) {
    size_t at = 0;
    while (at < body.size()) {
        size_t end = LineEnd(body, at);
        while (end != std::string_view::npos && end < body.size() && !body.substr(end).starts_with("S,"))
            end = LineEnd(body, end);
        if (end == std::string_view::npos) return false;
        ArchivedSeason& s = seasons.emplace_back();
        if (!ReadBack(body.substr(at, end - at), [&](const std::vector<Line>& lines) { return ReadSeason(lines, s); },
                      [&](Writer& w) { WriteSeason(w, s); }))
            return false;
        at = end;
    }
    return !seasons.empty();
}

bool ReadRaces(std::string_view body, std::vector<RaceRecord>& races) {
    auto read = [&](const std::vector<Line>& lines) {
        for (const Line& l : lines)
            if (!ReadRace(l, races.emplace_back())) return false;
        return !lines.empty();
    };
    return ReadBack(body, read, [&](Writer& w) {
        for (const RaceRecord& r : races) WriteRace(w, r);
    });
}

bool ReadTheWorld(std::string_view body, WorldState& world) {
    return ReadBack(body, [&](const std::vector<Line>& lines) { return ReadWorld(lines, world) && !world.Empty(); },
                    [&](Writer& w) { WriteWorld(w, world); });
}

bool ReadThePrincipal(std::string_view body, PrincipalState& principal) {
    return ReadBack(body,
                    [&](const std::vector<Line>& lines) { return ReadPrincipal(lines, principal) && !principal.Empty(); },
                    [&](Writer& w) { WritePrincipal(w, principal); });
}

bool ReadTheManagement(std::string_view body, ManagementState& management) {
    return ReadBack(body,
                    [&](const std::vector<Line>& lines) { return ReadManagement(lines, management) && !management.Empty(); },
                    [&](Writer& w) { WriteManagement(w, management); });
}

bool ReadOneRaceLaps(std::string_view body, RaceLaps& laps) {
    return ReadBack(body, [&](const std::vector<Line>& lines) { return ReadLaps(lines, laps); },
                    [&](Writer& w) { WriteLaps(w, laps); });
}

// A line "#KARVEN-<kind>-<version>#,<lines>" opening a section of ours.
bool SectionHead(std::string_view line, std::string_view& mark, int& count) {
    if (!line.starts_with(SectionMarkFamily)) return false;
    size_t comma = line.find(',');
    if (comma == std::string_view::npos || !Whole(line.substr(comma + 1), count)) return false;
    mark = line.substr(0, comma);
    return true;
}

// A section read into the history; false when it cannot be, or when the history already holds
// what it holds: a section twice is no file of ours, and its seasons twice would count twice.
// Nor is a record of a Grand Prix the season has not run yet: it would pass for the race to come.
bool TakeSection(std::string_view mark, std::string_view body, History& history, int playedGps) {
    if (mark == HistoryMark) {
        std::vector<ArchivedSeason> seasons;
        if (!history.seasons.empty() || !ReadSeasons(body, seasons)) return false;
        history.seasons = std::move(seasons);
        return true;
    }
    if (mark == RacesMark) {
        std::vector<RaceRecord> races;
        if (!history.races.empty() || !ReadRaces(body, races)) return false;
        if (std::any_of(races.begin(), races.end(), [&](const RaceRecord& r) { return r.gp > playedGps; }))
            return false;
        history.races = std::move(races);
        return true;
    }
    if (mark == LapsMark) {
        RaceLaps laps;
        if (!ReadOneRaceLaps(body, laps) || laps.gp > playedGps) return false;
        auto same = [&](const RaceLaps& other) { return other.gp == laps.gp; };
        if (std::any_of(history.laps.begin(), history.laps.end(), same)) return false;
        history.laps.push_back(std::move(laps));
        return true;
    }
    if (mark == WorldMark) {
        WorldState world;
        if (!history.world.Empty() || !ReadTheWorld(body, world)) return false;
        history.world = std::move(world);
        return true;
    }
    if (mark == PrincipalMark) {
        PrincipalState principal;
        if (!history.principal.Empty() || !ReadThePrincipal(body, principal)) return false;
        history.principal = std::move(principal);
        return true;
    }
    if (mark == ManagementMark) {
        ManagementState management;
        if (!history.management.Empty() || !ReadTheManagement(body, management)) return false;
        history.management = std::move(management);
        return true;
    }
    return false; // a kind or version this program does not know
}

bool Blank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

} // namespace

bool ComposeHistory(const History& history, std::string& text) {
    std::string bytes;
    return EncodeHistory(history, [&](std::string_view piece) {
               bytes += piece;
               return true;
           }) &&
           DecodeCp932(bytes, text);
}

bool EncodeHistory(const History& history, const HistorySink& sink) { return EncodeSections(history, sink); }

namespace {
// A piece of the tail kept as it came, by where it stood.
struct Kept {
    size_t at;
    std::string_view bytes;
};

// Where a section read stood in the tail, its mark line included.
struct Placed {
    size_t at = 0, end = 0;
};

// The world's records that belong to no driver or team of the season are set apart, to be written
// back as they came and to rejoin the world should their driver or team come back; true when
// there were none.
bool SetApartUnmatched(const Season& season, WorldState& world) {
    std::vector<char> drivers(world.drivers.size()), teams(world.teams.size());
    for (size_t k : WorldDriverIndex(world, season)) drivers[k] = 1;
    for (size_t t : WorldTeamIndex(world, season)) teams[t] = 1;
    auto apart = [](auto& records, const std::vector<char>& matched, auto& unmatched) {
        std::decay_t<decltype(records)> kept(1);
        for (size_t i = 1; i < records.size(); ++i) (matched[i] ? kept : unmatched).push_back(std::move(records[i]));
        records = std::move(kept);
    };
    apart(world.drivers, drivers, world.unmatchedDrivers);
    apart(world.teams, teams, world.unmatchedTeams);
    return world.unmatchedDrivers.empty() && world.unmatchedTeams.empty();
}

bool ReadTail(std::string_view tail, History& history, bool cut, int playedGps, const Season* season) {
    history = {};
    bool understood = true;
    std::vector<Kept> kept;
    Placed principal, world, management;
    size_t at = 0;
    while (at < tail.size()) {
        size_t next = LineEnd(tail, at);
        std::string_view line = next == std::string_view::npos ? tail.substr(at) : tail.substr(at, next - 2 - at);
        std::string_view mark;
        int count = 0;
        if (next != std::string_view::npos && SectionHead(line, mark, count)) {
            size_t end = next;
            for (int i = 0; i < count && end != std::string_view::npos; ++i) end = LineEnd(tail, end);
            // A section cut short is no section: its mark and lines are kept line by line below.
            if (end != std::string_view::npos && !(cut && end == tail.size())) {
                if (!TakeSection(mark, tail.substr(next, end - next), history, playedGps)) {
                    kept.push_back({at, tail.substr(at, end - at)});
                    understood = false;
                } else if (mark == WorldMark) {
                    world = {at, end};
                } else if (mark == PrincipalMark) {
                    principal = {at, end};
                } else if (mark == ManagementMark) {
                    management = {at, end};
                }
                at = end;
                continue;
            }
        }
        // A line that opens no section of ours: kept as it came, and told unless it is blank.
        size_t end = next == std::string_view::npos ? tail.size() : next;
        if (cut && end == tail.size()) break; // the bytes beyond the limit, and what they cut
        kept.push_back({at, tail.substr(at, end - at)});
        understood = understood && Blank(line);
        at = end;
    }
    // The world and the principal are read for this season and its history: one that does not
    // fit them is kept, as what cannot be read is, its mode off until the player turns it on
    // again; the world's records of drivers and teams the season lacks are set apart.
    if (season) {
        if (!history.principal.Empty() && !PrincipalFits(history.principal, *season)) {
            kept.push_back({principal.at, tail.substr(principal.at, principal.end - principal.at)});
            history.principal = {};
            understood = false;
        }
        if (!history.management.Empty() && !ManagementFits(history.management, *season)) {
            kept.push_back({management.at, tail.substr(management.at, management.end - management.at)});
            history.management = {};
            understood = false;
        }
        if (!history.world.Empty() && !WorldFitsHistory(history.world, history.seasons)) {
            kept.push_back({world.at, tail.substr(world.at, world.end - world.at)});
            history.world = {};
            understood = false;
        } else if (!history.world.Empty() && !SetApartUnmatched(*season, history.world)) {
            understood = false;
        }
    }
    // Written back in the order they came.
    std::stable_sort(kept.begin(), kept.end(), [](const Kept& a, const Kept& b) { return a.at < b.at; });
    for (const Kept& piece : kept) history.kept += piece.bytes;
    return understood;
}
} // namespace

bool ReadHistory(std::string_view tail, History& history, bool cut, int playedGps) {
    return ReadTail(tail, history, cut, playedGps, nullptr);
}

void TakeKeptWorld(Season& season) {
    History& h = season.history;
    if (!h.world.Empty() || h.kept.empty()) return;
    // The kept bytes follow what the game writes, so they are read here as the next opening reads
    // them: the first world section whole enough to read is the one taken, if it fits.
    const std::string_view tail = h.kept;
    for (size_t at = 0; at < tail.size();) {
        const size_t next = LineEnd(tail, at);
        if (next == std::string_view::npos) return;
        std::string_view mark;
        int count = 0;
        if (SectionHead(tail.substr(at, next - 2 - at), mark, count)) {
            size_t end = next;
            for (int i = 0; i < count && end != std::string_view::npos; ++i) end = LineEnd(tail, end);
            if (end != std::string_view::npos) {
                WorldState world;
                if (mark == WorldMark && ReadTheWorld(tail.substr(next, end - next), world)) {
                    if (!WorldFitsHistory(world, h.seasons)) return;
                    SetApartUnmatched(season, world);
                    h.world = std::move(world);
                    h.kept.erase(at, end - at);
                    return;
                }
                at = end;
                continue;
            }
        }
        at = next;
    }
}

bool ReadHistory(std::string_view tail, Season& season, bool cut) {
    return ReadTail(tail, season.history, cut, ReadCount(season.Sis.EndGp), &season);
}

} // namespace karven
