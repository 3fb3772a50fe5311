#pragma once
// Autosaves: after every change worth keeping the season is written into the player's data
// folder, under a name made of the time, and the newest ten are kept.

#include <chrono>
#include <string>
#include <vector>

namespace karven {

struct Season;
class Shell;

inline constexpr int AutosavesKept = 10;

// Writes the season into folder (made when missing) as "YYYYMMDD-HHMMSS-mmm.krv" of `when` in
// local time, atomically, then removes all but the newest AutosavesKept autosaves. Other files in
// the folder are never touched. False when the season could not be written; `error` says why.
bool WriteAutosave(const Season& season, const std::string& folder, std::chrono::system_clock::time_point when,
                   std::string& error);
// The autosaves in folder, newest first, as full paths.
std::vector<std::string> ListAutosaves(const std::string& folder);
// "2026/12/08 12:45:16" from an autosave's path; "" for a name that is not one.
std::string AutosaveTime(const std::string& path);

// After a race, a market, a new season or an editor: one autosave through the platform's folder.
// A failure is noted in the status line; play goes on either way.
void Autosave(Shell& shell);

} // namespace karven
