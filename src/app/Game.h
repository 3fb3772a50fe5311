#pragma once
// The composition: one season, the shell, the weekend tables, and what every button and menu runs.

#include <functional>

#include "season/Season.h"
#include "shell/Shell.h"
#include "weekend/EntryTables.h"

namespace karven {

class Platform;
class Random;

class Game {
public:
    Game(Platform& platform, Random& random);

    Season season;
    Shell shell;
    RaceWeekend weekend;

    // Runs the start-up sequence; false when the program had to end.
    bool StartUp();

private:
    void WireMainWindow();
    // A command that may change the season: afterwards the title tells whether there is unsaved
    // work, and with `keep` a changed season is autosaved.
    std::function<void()> Command(std::function<void()> run, bool keep);
    // End, 終了 and the close box: unsaved work is offered for saving first.
    void EndAfterAsking();
};

} // namespace karven
