#pragma once
// The composition: one season, the shell, the weekend tables, and what every button and menu runs.

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
};

} // namespace karven
