#pragma once
// The composition: one season, the shell, the weekend tables, and what every button and menu runs.

#include <cstdint>
#include <functional>
#include <optional>

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
    // The seed the living world takes when it is turned on: fixed for reproducible runs, else
    // drawn afresh.
    std::optional<uint64_t> worldSeed;
    uint64_t WorldSeed();

private:
    void WireMainWindow();
    // A command that may change the season: afterwards the title tells whether there is unsaved
    // work, and with `keep` a changed season is autosaved.
    std::function<void()> Command(std::function<void()> run, bool keep);
    // End, 終了 and the close box: unsaved work is offered for saving first.
    void EndAfterAsking();
};

} // namespace karven
