// Every window of the game by the keyboard: Enter presses the focused button, or the window's
// default one when the focus is elsewhere; Esc and the frame's close box never agree to a question.
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "AllWindows.h"
#include "GameUnderTest.h"
#include "ModalDriver.h"
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
    // With the focus on a list, a text box, a drop-down or a document Enter is the window's default button.
    for (QWidget* other : window.findChildren<QWidget*>()) {
        const char* kind = other->metaObject()->className();
        bool field = std::string_view(kind) == "QLineEdit" || std::string_view(kind) == "QComboBox" ||
                     other->inherits("QListWidget") || other->inherits("QTextBrowser") ||
                     other->inherits("QTableWidget");
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


// The main window's commands record that they ran instead of running, for as long as it lives.
struct CommandsRecorded {
    explicit CommandsRecorded(FrmKarvenRace& main) {
        for (const char* name : FrmKarvenRace::CommandButtons) {
            Control& c = main(name);
            saved.emplace_back(&c, c.onClick);
            c.onClick = [this, name] { ran.push_back(name); };
        }
    }
    ~CommandsRecorded() {
        for (auto& [control, handler] : saved) control->onClick = handler;
    }
    std::vector<std::string> ran;
    std::vector<std::pair<Control*, std::function<void()>>> saved;
};
} // namespace

TEST(Keys, EnterPressesTheFocusedButtonInEveryWindow) {
    for (const test::WindowOpener& walk : test::AllWindows()) {
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

        test::FinishSeason(g);
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

// A letter beside each command's caption presses it, and N whichever the season expects next;
// the commands hidden during a race take no key.
TEST(Keys, TheCommandsLettersAndNPressTheirButtons) {
    test::GameUnderTest g(3);
    g.Start();
    test::Activate(g.window);
    FrmKarvenRace& main = g.game.shell.main;
    CommandsRecorded commands(main);
    std::vector<std::string>& ran = commands.ran;
    // On the focused command, or on the window itself, as when the focus is nowhere in particular.
    auto press = [&](int key, bool onWindow) {
        ran.clear();
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        if (onWindow) QApplication::sendEvent(&g.window, &event);
        else test::PressKey(g.window, key);
        return ran;
    };
    int letters = 0;
    for (const auto& [key, name] : main.keyButtons) {
        if (key == NextKey) continue;
        ++letters;
        for (const char* command : FrmKarvenRace::CommandButtons) main(command).enabled = true;
        g.binder.RefreshAll();
        EXPECT_EQ(press(Qt::Key_A + (key[0] - 'A'), letters % 2 == 0), std::vector<std::string>{name}) << key;
        auto* hint = g.window.findChild<QLabel*>(QString::fromStdString(name + "_key"));
        ASSERT_NE(hint, nullptr) << name;
        EXPECT_EQ(hint->text().toStdString(), key);
        EXPECT_TRUE(hint->parentWidget()->rect().contains(hint->geometry())) << name;
    }
    EXPECT_EQ(letters, 9) << "every command but End";
    EXPECT_EQ(main("cmdYosen").text, "予選") << "the caption keeps the rules' text";

    const char* expected[] = {"cmdYosen", "cmdYosen", "cmdKesyou", "cmdOffSis"};
    for (int state = 1; state <= 4; ++state) {
        SetMainState(main, CommandState(state));
        g.binder.RefreshAll();
        EXPECT_EQ(press(Qt::Key_N, state % 2 == 0), std::vector<std::string>{expected[state - 1]}) << state;
        EXPECT_TRUE(g.window.findChild<QLabel*>("lblNext")->text().contains(
            QString::fromStdString(main(expected[state - 1]).text)));
    }
    SetRaceView(main, RaceView::RacePanel);
    g.binder.RefreshAll();
    EXPECT_TRUE(press(Qt::Key_Y, true).empty());
    EXPECT_TRUE(press(Qt::Key_N, true).empty());
    EXPECT_TRUE(g.window.findChild<QLabel*>("lblNext")->isHidden());
    SetRaceView(main, RaceView::Commands);
}

TEST(Keys, WhereLettersNeedAltAPlainLetterStartsNothingAndAltWithItComesBeforeTheMenus) {
    test::GameUnderTest g(3);
    g.Start();
    test::Activate(g.window);
    FrmKarvenRace& main = g.game.shell.main;
    CommandsRecorded commands(main);
    std::vector<std::string>& ran = commands.ran;
    auto press = [&](int key, Qt::KeyboardModifiers held) {
        ran.clear();
        QTest::keyClick(&g.window, Qt::Key(key), held);
        return ran;
    };
    const auto hint = [&] { return g.window.findChild<QLabel*>("cmdYosen_key")->text().toStdString(); };

    main.Click("Help_AltKeys");
    SetMainState(main, CommandState::BetweenGps); // 予選 and シーズン成績表 both there
    g.binder.RefreshAll();
    EXPECT_TRUE(main("Help_AltKeys").checked);
    EXPECT_TRUE(press(Qt::Key_Y, Qt::NoModifier).empty()) << "a letter typed alone starts nothing";
    EXPECT_EQ(press(Qt::Key_Y, Qt::AltModifier), std::vector<std::string>{"cmdYosen"});
    // R is also the 記録 menu's letter: the command comes first, and no menu opens.
    EXPECT_EQ(press(Qt::Key_R, Qt::AltModifier), std::vector<std::string>{"cmdSeiseki"});
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(hint(), "Alt+Y");
    EXPECT_NE(main("cmdYosen").toolTip.find("Alt+Y"), std::string::npos) << main("cmdYosen").toolTip;
    EXPECT_EQ(main("lblNext").text.rfind("Alt+N", 0), 0u) << main("lblNext").text;

    main.Click("Help_AltKeys");
    g.binder.RefreshAll();
    EXPECT_FALSE(main("Help_AltKeys").checked);
    EXPECT_EQ(press(Qt::Key_Y, Qt::NoModifier), std::vector<std::string>{"cmdYosen"});
    EXPECT_TRUE(press(Qt::Key_Y, Qt::AltModifier).empty());
    EXPECT_EQ(hint(), "Y");
    EXPECT_EQ(main("lblNext").text.rfind("N", 0), 0u);
}
