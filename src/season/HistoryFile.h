#pragma once
// The history in the season file, after the last team line. It is a run of sections, each a mark
// line "#KARVEN-<kind>-<version>#,<lines>" followed by that many lines of values, in code page 932
// with CR LF and the season file's own value rules. A section this version cannot read is kept as
// bytes and written back unchanged; the season before it never depends on it.

#include <functional>
#include <limits>
#include <string>
#include <string_view>

#include "season/History.h"

namespace karven {

struct Season;

inline constexpr const char* HistoryMark = "#KARVEN-HISTORY-1#";
inline constexpr const char* RacesMark = "#KARVEN-RACES-1#";
// What every section's mark begins with.
inline constexpr const char* SectionMarkFamily = "#KARVEN-";

// The sections of the history as UTF-8 text with CR LF, the kept bytes not included; false when a
// name cannot be carried by the file's value rules.
bool ComposeHistory(const History& history, std::string& text);
// The same sections in code page 932, as a save writes them before the kept bytes, handed to the
// sink a season or a section at a time, so a long history is never composed whole; false when a
// name cannot be carried or the sink refuses a piece.
using HistorySink = std::function<bool(std::string_view)>;
bool EncodeHistory(const History& history, const HistorySink& sink);
// What the bytes after the last team line hold. A section of ours is read only when writing it
// back would give its very bytes, and only once; everything else (a section damaged, cut short,
// of a newer version or twice, a line that opens no section, another program's bytes) goes to
// `kept` as it came, and the sections after it are still read. `cut`: the bytes end where the
// reader stopped reading, and the last line or section they cut is dropped. `playedGps`: the
// Grands Prix the season has run; a race or lap record of a later one is kept, not read. Returns
// false when anything but blank lines was kept or dropped, so the player can be told.
bool ReadHistory(std::string_view tail, History& history, bool cut = false,
                 int playedGps = std::numeric_limits<int>::max());
// The same into the season's history, for the season whose rules' part was read: its Grands Prix
// run, and the world and the principal checked against it. A principal that does not fit the
// season (PrincipalFits), or a world whose turns do not fit the history (WorldFitsHistory), is
// kept as its section came; a world's record of a driver or team the season does not have is
// kept as its line came. Either is told as what cannot be read is.
bool ReadHistory(std::string_view tail, Season& season, bool cut = false);
// After the history gained a season: a world section kept for naming seasons the history did not
// hold is read now if the history holds them, as the next opening of the file would read it.
void TakeKeptWorld(Season& season);

} // namespace karven
