#pragma once
// The history in the season file, after the last team line. It is a run of sections, each a mark
// line "#KARVEN-<kind>-<version>#,<lines>" followed by that many lines of values, in code page 932
// with CR LF and the season file's own value rules. A section this version cannot read is kept as
// bytes and written back unchanged; the season before it never depends on it.

#include <string>
#include <string_view>

#include "season/History.h"

namespace karven {

inline constexpr const char* HistoryMark = "#KARVEN-HISTORY-1#";
inline constexpr const char* RacesMark = "#KARVEN-RACES-1#";
// What every section's mark begins with.
inline constexpr const char* SectionMarkFamily = "#KARVEN-";

// The sections of the history as UTF-8 text with CR LF, the kept bytes not included; false when a
// name cannot be carried by the file's value rules.
bool ComposeHistory(const History& history, std::string& text);
// What the bytes after the last team line hold. Sections of ours that cannot be read (damaged,
// cut short, a newer version) and anything after them go to `kept`. Bytes of another program
// before any section of ours are ignored, as the rules' reader ignores them. Returns false when a
// section of ours could not be read, so the player can be told.
bool ReadHistory(std::string_view tail, History& history);
// The bytes a save writes of the history (the kept ones last) and the history they read back as;
// false when it cannot be saved.
bool AsSaved(const History& history, History& saved, std::string& bytes);

} // namespace karven
