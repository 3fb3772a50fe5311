// A Grand Prix played in the real game window, every modal window answered by the keyboard.
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "GameUnderTest.h"
#include "ModalDriver.h"
#include "Screens.h"
#include "app/Game.h"
#include "season/Numbers.h"
#include "shell/Random.h"
#include "ui/QtPlatform.h"

using namespace karven;

namespace {

struct GameWindow : test::GameUnderTest {
    GameWindow() : GameUnderTest(2026) {}

    void Press(const char* button) {
        auto* b = window.findChild<QPushButton*>(button);
        ASSERT_NE(b, nullptr) << button;
        ASSERT_TRUE(b->isEnabled() && b->isVisible()) << button;
        b->click();
    }
    QString Cell(const char* name) { return window.findChild<QLabel*>(name)->text(); }
};

} // namespace

TEST(GameWindow, PlaysAGrandPrixAndShowsWhatItBooked) {
    GameWindow w;
    test::AutoAnswer answer;
    ASSERT_TRUE(w.game.StartUp());
    w.game.season.Sis.SyuCount = "5"; // a short race keeps the test quick
    w.binder.RefreshAll();
    w.window.show();

    w.Press("cmdYosen");
    EXPECT_FALSE(w.Cell("lbl2(1)").isEmpty());
    EXPECT_TRUE(w.window.findChild<QPushButton*>("cmdKesyou")->isEnabled());

    bool boardShownDuringRace = false;
    answer.look = [&](QWidget&) {
        boardShownDuringRace |= w.window.findChild<QWidget*>("imgAnime")->isVisible() &&
                                w.window.findChild<QWidget*>("cmdYosen")->isHidden();
    };
    w.Press("cmdKesyou");
    answer.look = nullptr;
    EXPECT_TRUE(boardShownDuringRace);
    EXPECT_EQ(w.game.season.Sis.EndGp, "1");
    EXPECT_TRUE(w.window.findChild<QWidget*>("cmdYosen")->isVisible());
    EXPECT_TRUE(w.Cell("lblTitle").endsWith("決勝結果"));
    w.window.grab().save(test::ScreenPath("game_after_race.png"));

    w.Press("cmdDrvRank");
    EXPECT_EQ(w.Cell("lbl1(1)"), "1");
    EXPECT_EQ(w.Cell("lbl4(1)"), "10");
    w.window.grab().save(test::ScreenPath("game_drivers_ranking.png"));
    w.Press("cmdTimRank");
    EXPECT_EQ(w.Cell("lbl1(1)"), "1");

    QString winnerCell, winnerName;
    answer.look = [&](QWidget& dialog) {
        dialog.grab().save(test::ScreenPath("game_seiseki.png"));
        for (int r = 1; r <= 32; ++r)
            if (auto* cell = dialog.findChild<QLabel*>(QString("lbl6(%1)").arg(r)); cell && cell->text() == "①")
                winnerName = dialog.findChild<QLabel*>(QString("lbl2(%1)").arg(r))->text(), winnerCell = cell->text();
    };
    w.Press("cmdSeiseki");
    EXPECT_EQ(winnerCell, "①");
    EXPECT_FALSE(winnerName.isEmpty());

    QString shownName;
    answer.look = [&](QWidget& dialog) {
        dialog.grab().save(test::ScreenPath("game_drvsei.png"));
        shownName = dialog.findChild<QLabel*>("lblNm")->text();
    };
    w.Press("cmdDrvSei");
    EXPECT_EQ(shownName.toStdString(), w.game.season.DrvTable[1].DrvNm);
    EXPECT_GT(answer.answered, 10);
}
