// Every window of the game by the keyboard: Enter presses the focused button, or the window's
// default one when the focus is elsewhere; Esc and the frame's close box never agree to a question.
#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "GameUnderTest.h"
#include "ModalDriver.h"
#include "editors/DrvSet.h"
#include "editors/GpSet.h"
#include "editors/SisSet.h"
#include "editors/TimSet.h"
#include "history/HistoryWindows.h"
#include "offseason/Market.h"
#include "season/SeasonFile.h"
#include "session/FrmAutosaves.h"
#include "shell/FrmMain.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "standings/DrvSei.h"
#include "standings/Seiseki.h"
#include "ui/FormView.h"

using namespace karven;

namespace {

ui::FormView* ViewOf(ui::Binder& binder, QWidget& window) {
    for (ui::FormView* v : binder.Views())
        if (v->window() == &window) return v;
    return nullptr;
}

// Puts a spy in place of every button's handler, presses Enter on each focused button and on
// the other controls that take the focus, and reports what ran otherwise than expected.
std::vector<std::string> WalkWithEnter(ui::Binder& binder, QWidget& window) {
    std::vector<std::string> faults;
    ui::FormView* view = ViewOf(binder, window);
    if (!view) return {"no form behind " + window.objectName().toStdString()};
    Form& form = view->form();
    std::vector<std::string> ran;
    std::vector<std::pair<Control*, std::function<void()>>> saved;
    for (Control& c : form.Controls()) {
        if (c.kind != ControlKind::Button) continue;
        saved.emplace_back(&c, c.onClick);
        c.onClick = [&ran, key = c.Key()] { ran.push_back(key); };
    }
    test::Activate(window);
    const std::string name = form.Name();
    for (auto* button : window.findChildren<QPushButton*>()) {
        if (!button->isVisible() || !button->isEnabled()) continue;
        button->setFocus(Qt::TabFocusReason);
        ran.clear();
        test::PressKey(window, Qt::Key_Return);
        std::string key = button->objectName().toStdString();
        if (ran != std::vector<std::string>{key})
            faults.push_back(name + ": Enter on " + key + " ran " + (ran.empty() ? "nothing" : ran.front()));
        if (!button->isDefault()) faults.push_back(name + ": " + key + " with the focus is not drawn as the default");
    }
    // With the focus on a list, a text box or a drop-down Enter is the window's default button.
    for (QWidget* other : window.findChildren<QWidget*>()) {
        const char* kind = other->metaObject()->className();
        bool field = std::string_view(kind) == "QLineEdit" || std::string_view(kind) == "QComboBox" ||
                     other->inherits("QListWidget") || other->inherits("QTableWidget");
        if (!field || !other->isVisible() || !other->isEnabled() || other->parentWidget()->inherits("QComboBox"))
            continue;
        other->setFocus(Qt::TabFocusReason);
        ran.clear();
        test::PressKey(window, Qt::Key_Return);
        Control* def = form.Find(form.defaultButton);
        std::vector<std::string> expected;
        if (def && def->enabled && def->visible) expected = {def->Key()};
        if (ran != expected)
            faults.push_back(name + ": Enter in " + other->objectName().toStdString() + " ran " +
                             (ran.empty() ? "nothing" : ran.front()));
    }
    for (auto& [control, handler] : saved) control->onClick = handler;
    form.Close();
    binder.Fire({});
    return faults;
}

struct KeyWalk {
    const char* window;
    std::function<void(test::GameUnderTest&)> open;
};

void FinishSeason(test::GameUnderTest& g) {
    g.game.season.Sis.EndGp = g.game.season.Sis.GpCount;
    SetMainState(g.game.shell.main, 4);
}

} // namespace

TEST(Keys, EnterPressesTheFocusedButtonInEveryWindow) {
    const KeyWalk walks[] = {
        {"frmmain", [](auto& g) { g.game.shell.main.Click("Help_Ver"); }},
        {"frmMsgOk", [](auto& g) { g.game.shell.MsgText = "お知らせ"; ShowOk(g.game.shell); }},
        {"frmMsgOk+skip",
         [](auto& g) {
             g.game.shell.SkipOffered = true;
             ShowOk(g.game.shell);
         }},
        {"frmmsgokcancel", [](auto& g) { AskOkCancel(g.game.shell); }},
        {"frmkarvenmsg+skip",
         [](auto& g) {
             g.game.shell.SkipOffered = true;
             ShowComment(g.game.shell);
         }},
        {"frmasksave",
         [](auto& g) {
             FrmAskSave ask(g.game.shell);
             g.platform.ShowModal(ask);
         }},
        {"frmkarvenautosave",
         [](auto& g) {
             FrmAutosaves list(g.game.shell, {std::string(KARVEN_BIN_DIR) + InitialDataFile});
             g.platform.ShowModal(list);
         }},
        {"frmkarvenseiseki", [](auto& g) { ShowSeiseki(g.game.shell); }},
        {"frmkarvenDrvSei", [](auto& g) { ShowDrvSei(g.game.shell, "02"); }},
        {"frmkarvenoff",
         [](auto& g) {
             FinishSeason(g);
             ShowOff(g.game.shell);
         }},
        {"frmkarvensisset", [](auto& g) { ShowSisSet(g.game.shell); }},
        {"frmkarvengpset",
         [](auto& g) {
             FrmKarvenSisSet settings(g.game.shell);
             FrmKarvenGpSet calendar(g.game.shell, &settings);
             g.platform.ShowModal(calendar);
         }},
        {"frmkarventimset", [](auto& g) { ShowTimSet(g.game.shell); }},
        {"frmkarvendrvset", [](auto& g) { ShowDrvSet(g.game.shell); }},
        {"frmkarvenchampions", [](auto& g) { ShowChampions(g.game.shell); }},
        {"frmkarvenpast", [](auto& g) { ShowPastSeason(g.game.shell); }},
        {"frmkarvenalltime", [](auto& g) { ShowAllTimeRecords(g.game.shell); }},
        {"frmkarvendrvpage", [](auto& g) { ShowDriverPage(g.game.shell); }},
        {"frmkarventimpage", [](auto& g) { ShowTeamPage(g.game.shell); }},
    };
    for (const KeyWalk& walk : walks) {
        test::GameUnderTest g(3);
        g.Start();
        std::vector<std::string> faults;
        int walked = 0;
        test::WhenModal([&](QWidget& window) {
            ++walked;
            faults = WalkWithEnter(g.binder, window);
        });
        walk.open(g);
        EXPECT_EQ(walked, 1) << walk.window;
        EXPECT_TRUE(faults.empty()) << walk.window << ":\n" << testing::PrintToString(faults);
    }
}

TEST(Keys, EnterPressesTheFocusedCommandOfTheMainWindow) {
    test::GameUnderTest g(3);
    g.Start();
    test::Activate(g.window);
    for (const char* name : FrmKarvenRace::CommandButtons) {
        Control& c = g.game.shell.main(name);
        int pressed = 0;
        auto handler = c.onClick;
        c.enabled = true;
        c.onClick = [&] { ++pressed; };
        g.binder.RefreshAll();
        auto* button = g.window.findChild<QPushButton*>(name);
        ASSERT_TRUE(button);
        button->setFocus(Qt::TabFocusReason);
        test::PressKey(g.window, Qt::Key_Return);
        EXPECT_EQ(pressed, 1) << name;
        c.onClick = handler;
    }
}

// Esc and the frame's close box (×, Alt+F4) are Cancel: for 新シーズン the season and the careers
// stay; for the market's confirmation the market stays open and unconfirmed.
TEST(Keys, EscAndTheCloseBoxCancelQuestions) {
    for (bool closeBox : {false, true}) {
        test::GameUnderTest g(5);
        g.Start();
        g.game.season.DrvTable[1].CareerGp = "7";
        const Season before = g.game.season;
        int asked = 0;
        auto dismiss = [&, closeBox](QWidget& question) {
            ++asked;
            if (closeBox) question.close();
            else QTest::keyClick(&question, Qt::Key_Escape);
        };
        test::WhenModal(dismiss);
        g.game.shell.main.Click("cmdStart");
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(g.game.season, before) << closeBox;

        FinishSeason(g);
        const Season finished = g.game.season;
        bool marketStayed = false;
        test::WhenModal([&](QWidget& market) {
            test::WhenModal([&](QWidget& question) {
                dismiss(question);
                QTimer::singleShot(0, [&] {
                    marketStayed = market.isVisible();
                    QTest::keyClick(&market, Qt::Key_Escape);
                });
            });
            QTest::mouseClick(market.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        g.game.shell.main.Click("cmdOffSis");
        EXPECT_TRUE(marketStayed) << closeBox;
        EXPECT_EQ(g.game.season, finished) << closeBox;
    }
}

// The main window's close box with unsaved work asks first; キャンセル keeps the game open.
TEST(Keys, ClosingTheMainWindowWithUnsavedWorkAsks) {
    test::GameUnderTest g(5);
    g.Start();
    g.game.season.DrvTable[1].CareerGp = "7";
    QString asked;
    test::WhenModal([&](QWidget& question) {
        asked = question.objectName();
        QTest::keyClick(&question, Qt::Key_Escape);
    });
    EXPECT_FALSE(g.window.close());
    EXPECT_EQ(asked, "frmasksave");
    EXPECT_TRUE(g.window.isVisible());
    EXPECT_FALSE(g.platform.Ended());
}
