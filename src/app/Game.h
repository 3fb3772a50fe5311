#pragma once
// The composition: one season, the shell, the weekend tables, and what every button and menu runs.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "management/Management.h"
#include "offseason/MarketCalls.h"
#include "principal/Market.h"
#include "race/Race.h"
#include "race/RaceCalls.h"
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
    // The newest autosave opened, as ﾌｧｲﾙ → 自動保存から開く opens it (the browser's page, started
    // again after the game ended, continues there); nothing when there is none.
    void OpenNewestAutosave();
    // The seed the living world takes when it is turned on: fixed for reproducible runs, else
    // drawn afresh.
    std::optional<uint64_t> worldSeed;
    // Beside the rules' start, once the main window shows: the season the player was last playing,
    // offered to go on with. The front ends call it; karven-sim and the tests start as the rules do.
    void OfferToContinue();
    uint64_t WorldSeed();

    // Who makes the calls of the team the player runs: the player himself, asked in windows,
    // unless a headless run hands them to a policy. Nobody is asked while no team is in charge.
    void SetRaceCalls(std::unique_ptr<RaceCalls> calls);
    std::function<std::unique_ptr<MarketCalls>(principal::RookieLookup)> marketCalls;
    // Who runs the money, the programmes and the sponsor of the team in charge: the player in
    // windows, a policy in a headless career.
    management::Policy managePolicy = management::Policy::Player;

    // The race of the next Grand Prix, its money booked; nullopt when it could not be run.
    std::optional<RaceOutcome> PlayRace();
    // The market, and after a confirmed one the season's books, the board's verdict and the season
    // summary.
    void RunMarket();
    // A principal took a team or left: the living world turned on with the management, or the
    // management at rest.
    void FollowPrincipal();

private:
    std::unique_ptr<RaceCalls> raceCalls_;
    void WireMainWindow();
    // After a confirmed market with a team in charge: the board's verdict and the next target.
    std::string JudgeTheSeason();
    // A command that may change the season: afterwards the title tells whether there is unsaved
    // work, and with `keep` a changed season is autosaved.
    std::function<void()> Command(std::function<void()> run, bool keep);
    // End, 終了 and the close box: unsaved work is offered for saving first.
    void EndAfterAsking();
};

} // namespace karven
