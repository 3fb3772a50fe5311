// The season settings and calendar windows in the real game window, driven by the keyboard.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "ModalDriver.h"
#include "Screens.h"
#include "app/Game.h"
#include "season/SeasonFile.h"
#include "shell/MainState.h"
#include "shell/Random.h"
#include "ui/QtPlatform.h"

using namespace karven;

namespace {
struct GameWindow {
    ui::Binder binder;
    ui::QtPlatform platform{binder};
    GameRandom random{9};
    Game game{platform, random};
    QMainWindow& window = binder.BindMain(game.shell.main);

    GameWindow() {
        EXPECT_TRUE(ReadSeasonFile(game.season, platform.AppPath() + InitialDataFile));
        SetMainState(game.shell.main, 1);
        binder.RefreshAll();
        window.show();
    }
    void Menu(const char* key) { window.findChild<QAction*>(key)->trigger(); }
};

template <class W> W* Child(QWidget& window, const char* key) {
    W* w = window.findChild<W*>(key);
    EXPECT_NE(w, nullptr) << key;
    return w;
}

QString FocusName(QWidget& window) {
    return window.focusWidget() ? window.focusWidget()->objectName() : QString();
}

void Key(QWidget& window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window.focusWidget() ? window.focusWidget() : &window, Qt::Key(key), modifiers);
}
} // namespace

TEST(Editors, SettingsAndCalendarByKeyboard) {
    GameWindow w;
    Season& season = w.game.season;
    const std::string nin = season.Sis.NinCount;
    const std::string course = season.GpTable[2].CourseType;
    const int gps = int(season.GpTable.size()) - 1;
    ASSERT_LT(std::stoi(course), 5);

    QStringList tabOrder;
    QPoint settingsAt;
    QString gpShown, gpAfter;
    QString calendarFocus, typedShown;
    test::WhenModal([&](QWidget& settings) {
        test::Activate(settings);
        settingsAt = settings.frameGeometry().topLeft() + QPoint(settings.width(), 0);
        gpShown = Child<QLabel>(settings, "lblGp")->text();
        for (int i = 0; i < 8; ++i) {
            tabOrder << FocusName(settings);
            Key(settings, Qt::Key_Tab);
        }
        Key(settings, Qt::Key_Space); // cmdNinDn, after a full round

        settings.grab().save(test::ScreenPath("editor_settings.png"));

        test::WhenModal([&](QWidget& calendar) {
            test::Activate(calendar);
            calendarFocus = FocusName(calendar);
            Key(calendar, Qt::Key_Down); // the second Grand Prix
            Key(calendar, Qt::Key_Tab);
            Key(calendar, Qt::Key_Tab);
            Key(calendar, Qt::Key_Space); // cmdUp: one step harder
            Key(calendar, Qt::Key_Backtab);
            Key(calendar, Qt::Key_A, Qt::ControlModifier);
            test::TypeText(calendar, "鈴東");
            Key(calendar, Qt::Key_Left);
            test::TypeText(calendar, ",鹿"); // the comma is tidied where it was typed
            typedShown = Child<QLineEdit>(calendar, "txtGp")->text();
            calendar.grab().save(test::ScreenPath("editor_calendar.png"));
            Key(calendar, Qt::Key_Return);
        });
        for (int i = 0; i < 3; ++i) Key(settings, Qt::Key_Tab); // to cmdGp
        Key(settings, Qt::Key_Space);
        gpAfter = Child<QLabel>(settings, "lblGp")->text();
        Key(settings, Qt::Key_Return);
    });
    w.Menu("Set_Sis(21)");

    EXPECT_EQ(tabOrder, (QStringList{"cmdNinUp", "cmdNinDn", "cmdSyuUp", "cmdSyuDn", "cmdGp", "cmdOK",
                                     "cmdCancel", "cmdNinUp"}));
    const Rect& main = w.game.shell.main.geometry;
    EXPECT_EQ(settingsAt, QPoint(main.left + main.width, main.top)); // right edges by the form's width
    EXPECT_EQ(gpShown, QString::number(gps));
    EXPECT_EQ(calendarFocus, "lstGp");
    EXPECT_EQ(typedShown, "鈴，鹿東");
    EXPECT_EQ(gpAfter, QString::number(gps));
    EXPECT_EQ(season.GpTable[2].GpNm, "鈴，鹿東");
    EXPECT_EQ(season.GpTable[2].CourseType, std::to_string(std::stoi(course) + 1));
    EXPECT_EQ(season.Sis.NinCount, std::to_string(std::stoi(nin) - 1));
    EXPECT_EQ(w.binder.Views().size(), 1u); // both windows closed
}
