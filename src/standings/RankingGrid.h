#pragma once
// The two championships shown in the main window's grid.

namespace karven {

class Shell;

// cmdDrvRank: drivers with points, with their current team and its colour.
void ShowDrvRanking(Shell& shell);
// cmdTimRank: teams with points, as stored.
void ShowTimRanking(Shell& shell);

} // namespace karven
