#pragma once
// A new season with the calendar, teams and drivers as they stand.

namespace karven {

class Shell;
struct Season;

// cmdStart: asks whether to erase the season's results, then whether to erase the careers too.
void NewSeason(Shell& shell);
// Clears results, team points and EndGp; clearHistory 1 also clears every career field.
void ResetSeason(Season& season, int clearHistory);

} // namespace karven
