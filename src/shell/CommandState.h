#pragma once
// Which commands the main window offers as the season goes on, and which of its two views shows.

namespace karven {

enum class CommandState {
    None = 0,           // before the game has started
    SeasonStart = 1,    // a new season, no Grand Prix run
    BetweenGps = 2,     // qualifying next
    QualifyingDone = 3, // the race next
    SeasonOver = 4,     // the market next
};

enum class RaceView {
    Commands = 1,  // the command buttons
    RacePanel = 2, // the race's weather, picture and commentary
};

} // namespace karven
