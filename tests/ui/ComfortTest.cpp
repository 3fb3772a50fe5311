// Playing comfort beside the rules: オート実況, スキップ by key, Enter on the main window's buttons,
// the keyboard's focus on the command the season expects, paging the career records by keys.
#include <QAction>
#include <QActionGroup>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <gtest/gtest.h>

#include "GameUnderTest.h"
#include "ModalDriver.h"
#include "app/Game.h"
#include "season/Numbers.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "shell/Random.h"
#include "standings/DrvSei.h"
#include "ui/QtPlatform.h"

using namespace karven;

namespace {
struct GameWindow : test::GameUnderTest {
    GameWindow() : GameUnderTest(31) {
        Start([](Season& s) { s.Sis.SyuCount = "5"; });
        test::Activate(window);
    }
    QString Focused() const { return window.focusWidget() ? window.focusWidget()->objectName() : ""; }
};
} // namespace

TEST(Comfort, AutoAdvanceClosesCommentaryByItselfUntilTouchedAndNeverAQuestion) {
    GameWindow w;
    Shell& shell = w.game.shell;
    shell.main.Click("Eve_Delay", 1); // 0.3 seconds
    shell.main.Click("Eve_Auto");
    ASSERT_EQ(shell.AutoAdvanceMs, 300);
    shell.SkipOffered = true; // as during a race
    shell.MsgText = "2周目";
    QElapsedTimer clock;
    clock.start();
    ShowComment(shell); // nobody answers: it closes by itself
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_TRUE(shell.msgComment().IsClosed());

    bool stillOpen = false;
    test::WhenModal([&](QWidget& dialog) {
        test::PressKey(dialog, Qt::Key_Shift); // any key pauses it
        QTimer::singleShot(700, &dialog, [&] {
            stillOpen = dialog.isVisible();
            test::PressKey(dialog, Qt::Key_Return);
        });
    });
    ShowComment(shell);
    EXPECT_TRUE(stillOpen);

    shell.MsgText = "決勝をスタートしてよろしいですか？";
    test::WhenModal([&](QWidget& dialog) {
        QTimer::singleShot(700, &dialog, [&] {
            stillOpen = dialog.isVisible();
            test::PressKey(dialog, Qt::Key_Escape);
        });
    });
    EXPECT_EQ(AskOkCancel(shell), 0);
    EXPECT_TRUE(stillOpen) << "a question waits for its answer";

    shell.main.Click("Eve_Auto");
    EXPECT_EQ(shell.AutoAdvanceMs, 0);
    EXPECT_FALSE(shell.main("Eve_Auto").checked);
}

TEST(Comfort, ByTheKeyboardAloneTheSeasonMovesOnAndSkipEndsTheRace) {
    GameWindow w;
    ASSERT_EQ(w.Focused(), "cmdYosen") << "the season starts with qualifying";
    test::AutoAnswer answer;
    int shown = 0;
    answer.look = [&](QWidget& dialog) {
        ++shown;
        // The first commentary of the race: skip the rest by its key.
        if (dialog.objectName() == "frmkarvenmsg") test::PressKey(dialog, Qt::Key_S);
    };
    test::PressKey(w.window, Qt::Key_Return);
    EXPECT_EQ(w.game.season.DrvTable[1].CareerPp.empty(), false);
    EXPECT_EQ(w.Focused(), "cmdKesyou") << "after qualifying, the race";
    int beforeRace = shown;
    test::PressKey(w.window, Qt::Key_Return);
    EXPECT_EQ(w.game.season.Sis.EndGp, "1");
    // The question, the start, one lap heading skipped, the end.
    EXPECT_LE(shown - beforeRace, 5);
    EXPECT_EQ(w.Focused(), "cmdYosen") << "after a race, the next qualifying";
    EXPECT_FALSE(w.window.findChild<QLabel*>("lbl2(1)")->text().isEmpty());
}

TEST(Comfort, CareerRecordsPageByArrowsAndShowWhereTheyStand) {
    GameWindow w;
    std::vector<QString> pages;
    test::WhenModal([&](QWidget& dialog) {
        auto page = [&] { pages.push_back(dialog.findChild<QLabel*>("lblPage")->text()); };
        page();
        for (int key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Up, Qt::Key_PageUp, Qt::Key_PageUp}) {
            test::PressKey(dialog, key);
            page();
        }
        test::PressKey(dialog, Qt::Key_Escape);
    });
    ShowDrvSei(w.game.shell, "01");
    int n = ReadCount(w.game.season.DrvCount);
    QString last = QString("%1 / %1").arg(n);
    EXPECT_EQ(pages, (std::vector<QString>{QString("1 / %1").arg(n), QString("2 / %1").arg(n),
                                           QString("3 / %1").arg(n), QString("2 / %1").arg(n),
                                           QString("1 / %1").arg(n), last}));
}

// 実況の間隔: one pace chosen, drawn as radio items.
TEST(Comfort, ThePaceItemsAreRadioItemsOfWhichOneIsChosen) {
    GameWindow w;
    std::vector<QAction*> paces;
    for (int i = 1; i <= 3; ++i) paces.push_back(w.window.findChild<QAction*>(QString("Eve_Delay(%1)").arg(i)));
    for (QAction* pace : paces) {
        ASSERT_NE(pace, nullptr);
        ASSERT_NE(pace->actionGroup(), nullptr);
        EXPECT_TRUE(pace->actionGroup()->isExclusive());
        EXPECT_TRUE(pace->isCheckable());
    }
    EXPECT_TRUE(paces[1]->isChecked());
    w.window.findChild<QAction*>("Eve_Auto")->trigger();
    paces[0]->trigger();
    EXPECT_EQ(w.game.shell.AutoAdvanceMs, 300);
    EXPECT_EQ(std::vector<bool>({paces[0]->isChecked(), paces[1]->isChecked(), paces[2]->isChecked()}),
              std::vector<bool>({true, false, false}));
    paces[0]->trigger(); // choosing the chosen one again keeps it
    EXPECT_TRUE(paces[0]->isChecked());
    EXPECT_EQ(w.game.shell.AutoAdvanceMs, 300);
}
