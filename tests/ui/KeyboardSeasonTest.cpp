// A whole season and its market by the keyboard alone: N moves the season on, Enter answers, and
// スキップ (S) or オート実況 spare the player the announcements. The key presses are counted.
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <iostream>

#include "GameUnderTest.h"
#include "ModalDriver.h"
#include "principal/Board.h"
#include "season/Numbers.h"

using namespace karven;

namespace {
// Answers every window as a player would: S where スキップ is offered (or, under オート実況, lets
// the window close by itself), Enter everywhere else.
class Player {
public:
    explicit Player(bool skip, Qt::Key skipKey = Qt::Key_S) : skip_(skip), skipKey_(skipKey) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
        timer_.start(1);
    }
    int keys = 0;
    int calls = 0; // the principal's calls among the windows answered

private:
    void Look() {
        QWidget* modal = QApplication::activeModalWidget();
        if (pending_ || !modal || !modal->isVisible()) return;
        pending_ = true;
        QPointer<QWidget> target = modal;
        QTimer::singleShot(0, &timer_, [this, target] {
            pending_ = false;
            if (!target || QApplication::activeModalWidget() != target || !target->isVisible()) return;
            auto* skip = target->findChild<QPushButton*>("cmdSkip");
            bool offered = skip && skip->isVisible();
            if (offered && !skip_) return; // オート実況 closes it
            ++keys;
            if (target->objectName() == "frmkarvencall") ++calls;
            test::PressKey(*target, offered ? skipKey_ : Qt::Key_Return);
        });
    }

    bool skip_;
    Qt::Key skipKey_;
    bool pending_ = false;
    QTimer timer_;
};

struct SeasonByKeys {
    int keys = 0;
    bool focusBackOnMain = false;
    int gps = 0;
    int calls = 0;
};

// `manage`: a principal runs team 08 and plays on to his decisions (D) where the others skip.
SeasonByKeys Play(bool skip, bool manage = false) {
    test::GameUnderTest g(17);
    SeasonByKeys result;
    g.Start([&](Season& s) {
        s.Sis.SyuCount = manage ? "20" : "5"; // short races keep the test quick; the keys are the same
        result.gps = ReadCount(s.Sis.GpCount);
        if (manage) principal::TakeCharge(s, "08");
    });
    if (manage) g.game.FollowPrincipal(); // his team's money runs as when chosen in the window
    result.keys = 1; // the title window's Enter
    test::Activate(g.window);
    Shell& shell = g.game.shell;
    if (!skip) {
        // ｲﾍﾞﾝﾄ (Alt+E) → オート実況 (A).
        QTest::keyClick(&g.window, Qt::Key_E, Qt::AltModifier);
        QWidget* menu = QApplication::activePopupWidget();
        EXPECT_NE(menu, nullptr);
        if (menu) QTest::keyClick(menu, Qt::Key_A);
        result.keys += 2;
        EXPECT_EQ(shell.AutoAdvanceMs, 1000);
        shell.AutoAdvanceMs = 1; // the pace the player picks changes no key, only the waiting
    }
    Player player(skip, manage ? Qt::Key_D : Qt::Key_S);
    // N until the season is over, and once more for the market.
    for (int n = 0; n < 100 && shell.main.commandState != CommandState::SeasonOver; ++n) {
        test::PressKey(g.window, Qt::Key_N);
        ++result.keys;
    }
    EXPECT_EQ(shell.main.commandState, CommandState::SeasonOver);
    test::PressKey(g.window, Qt::Key_N);
    ++result.keys;
    result.keys += player.keys;
    result.calls = player.calls;
    EXPECT_EQ(g.game.season.Sis.EndGp, "0") << "the market opened the next season";
    EXPECT_EQ(shell.main.commandState, CommandState::BetweenGps);
    QApplication::processEvents();
    QWidget* focus = QApplication::focusWidget();
    result.focusBackOnMain = g.window.isActiveWindow() && focus && focus->objectName() == "cmdYosen";
    return result;
}
} // namespace

TEST(KeyboardSeason, WithSkipASeasonAndItsMarketTakeSevenKeysAGrandPrix) {
    SeasonByKeys s = Play(true);
    // Title; each Grand Prix N, Enter, S, N, Enter, S, Enter; the season's end; the market N, Enter
    // (START), Enter (question), S, Enter (OK), Enter (confirmation), Enter (the season's summary).
    EXPECT_EQ(s.keys, 1 + 7 * s.gps + 1 + 7);
    EXPECT_TRUE(s.focusBackOnMain);
}

TEST(KeyboardSeason, WithAutoCommentaryOnlyQuestionsAndResultsWait) {
    SeasonByKeys s = Play(false);
    // Title, Alt+E A; each Grand Prix N, Enter, N, Enter, Enter; the season's end; the market N,
    // Enter (START), Enter (question), Enter (OK), Enter (confirmation), Enter (the season's summary).
    EXPECT_EQ(s.keys, 3 + 5 * s.gps + 1 + 6);
    EXPECT_TRUE(s.focusBackOnMain);
}

TEST(KeyboardSeason, APrincipalPlaysOnToHisCallsAndRunsASeasonInFewKeys) {
    SeasonByKeys s = Play(true, true);
    // As with スキップ, but D for S, and a key for each of his calls and the market's questions.
    EXPECT_GT(s.calls, 0);
    EXPECT_LE(s.keys, 250);
    EXPECT_GE(s.keys, 1 + 7 * s.gps + s.calls);
    EXPECT_TRUE(s.focusBackOnMain);
    std::cout << "a managed season and its market: " << s.keys << " keys, " << s.calls << " of them his calls\n";
}
