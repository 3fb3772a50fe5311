#pragma once
// The whole game in its real window, with a fixed seed.

#include <QMainWindow>
#include <gtest/gtest.h>

#include "ModalDriver.h"
#include "app/Game.h"
#include "race/RaceState.h"
#include "race/SilentWeekend.h"
#include "shell/MainState.h"
#include "shell/Random.h"
#include "ui/QtPlatform.h"

namespace karven::test {

struct GameUnderTest {
    explicit GameUnderTest(uint64_t seed) : random(seed) {}

    ui::Binder binder;
    ui::QtPlatform platform{binder};
    GameRandom random;
    Game game{platform, random};
    QMainWindow& window = binder.BindMain(game.shell.main);

    // Start-up with its title window answered by the keyboard; `ready` may change the season
    // before the window shows, at its natural size unless `show` shows it otherwise.
    void Start(const std::function<void(Season&)>& ready = {}, const std::function<void()>& show = {}) {
        AnswerWithKey(Qt::Key_Return);
        EXPECT_TRUE(game.StartUp());
        if (ready) ready(game.season);
        binder.RefreshAll();
        if (show) show();
        else window.show();
    }
};

// Eight Grands Prix of the default season played, the main window back on its buttons.
struct HalfSeason : GameUnderTest {
    HalfSeason() : GameUnderTest(12) {
        Start([this](Season& s) {
            for (int g = 1; g <= 8; ++g) EXPECT_TRUE(PlayGrandPrix(s, random, {}));
            SetMainState(game.shell.main, CommandState::BetweenGps);
            FollowRaceRecords(game.shell);
        });
    }
};

} // namespace karven::test
