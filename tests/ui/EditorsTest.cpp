// The season settings and calendar windows in the real game window, driven by the keyboard.
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
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
        SetMainState(game.shell.main, CommandState::SeasonStart);
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

void Keys(QWidget& window, int key, int times) {
    for (int i = 0; i < times; ++i) Key(window, key);
}

// Every control lies inside the window at its natural size.
void ExpectTidy(QWidget& window) {
    QRect inside = window.findChild<QWidget*>("content")->rect();
    for (QWidget* w :
         window.findChild<QWidget*>("content")->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(inside.contains(w->geometry())) << qPrintable(w->objectName());
}

// Opens a drop-down's list with the mouse and clicks the entry at row.
void PickWithMouse(QComboBox& box, int row) {
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() - 8, box.height() / 2));
    QTest::qWait(QApplication::doubleClickInterval() + 50); // the opening click's release is not a pick
    QAbstractItemView* view = box.view();
    view->scrollTo(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(row, 0)).center());
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
        Keys(settings, Qt::Key_Tab, 2);
        Key(settings, Qt::Key_Space); // cmdNinDn, after a full round

        settings.grab().save(test::ScreenPath("editor_settings.png"));

        test::WhenModal([&](QWidget& calendar) {
            test::Activate(calendar);
            calendarFocus = FocusName(calendar);
            Keys(calendar, Qt::Key_Down, 2); // the second Grand Prix: nothing is chosen on opening
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
        Key(settings, Qt::Key_Tab);
        Key(settings, Qt::Key_Return); // on cmdOK
    });
    w.Menu("Set_Sis(21)");

    // The window opens on its default button, which Enter presses.
    EXPECT_EQ(tabOrder, (QStringList{"cmdOK", "cmdCancel", "cmdNinUp", "cmdNinDn", "cmdSyuUp", "cmdSyuDn",
                                     "cmdGp", "cmdOK"}));
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

TEST(Editors, TeamsByKeyboardAndMouse) {
    GameWindow w;
    Season& season = w.game.season;
    ASSERT_EQ(season.DrvTable[33].TimNo, ""); // the first driver without a seat
    const std::string speed = season.TimTable[3].Speed;
    ASSERT_GT(std::stoi(speed), 1);
    const std::string typed = season.DrvTable[33].DrvNm;
    QStringList tabOrder;
    QString swatchShown;
    test::WhenModal([&](QWidget& teams) {
        test::Activate(teams);
        ExpectTidy(teams);
        Keys(teams, Qt::Key_Down, 3); // the third team: nothing is chosen on opening
        for (int i = 0; i < 18; ++i) {
            tabOrder << FocusName(teams);
            Key(teams, Qt::Key_Tab);
        }
        Key(teams, Qt::Key_A, Qt::ControlModifier); // in txtTimNm, after a full round
        test::TypeText(teams, "紅蓮");
        Key(teams, Qt::Key_Tab);
        Key(teams, Qt::Key_A, Qt::ControlModifier);
        test::TypeText(teams, "雷電");
        Key(teams, Qt::Key_Tab);
        Key(teams, Qt::Key_Space); // speed one step up
        Keys(teams, Qt::Key_Tab, 7);
        Key(teams, Qt::Key_Space); // cmdDn(3): the next colour
        swatchShown = Child<QLabel>(teams, "lblCo")->text();
        Key(teams, Qt::Key_Tab);
        Key(teams, Qt::Key_A, Qt::ControlModifier); // cboDrv(1): a name typed
        test::TypeText(teams, QString::fromStdString(typed));
        PickWithMouse(*Child<QComboBox>(teams, "cboDrv(2)"), 6); // the seventh driver, from team 04
        teams.grab().save(test::ScreenPath("editor_teams.png"));
        Key(teams, Qt::Key_Return);
    });
    w.Menu("Set_Tim(22)");

    EXPECT_EQ(tabOrder, (QStringList{"lstTim", "txtTimNm", "txtEngNm", "cmdUp(0)", "cmdDn(0)", "cmdUp(1)",
                                     "cmdDn(1)", "cmdUp(2)", "cmdDn(2)", "cmdUp(3)", "cmdDn(3)", "cboDrv(1)",
                                     "cboDrv(2)", "cmdAdd", "cmdDel", "cmdOK", "cmdCancel", "lstTim"}));
    EXPECT_EQ(season.TimTable[3].TimNm, "紅蓮・雷電");
    EXPECT_EQ(season.TimTable[3].Speed, std::to_string(std::stoi(speed) - 1));
    EXPECT_EQ(swatchShown.toStdString(), season.TimTable[3].ColorNo);
    EXPECT_EQ(season.DrvTable[33].TimNo + season.DrvTable[7].TimNo, "0303");
    EXPECT_EQ(season.DrvTable[5].TimNo + season.DrvTable[6].TimNo, "");
    EXPECT_EQ(w.binder.Views().size(), 1u);
}

TEST(Editors, DriversByKeyboardAndMouse) {
    GameWindow w;
    Season& season = w.game.season;
    const std::string count = season.DrvCount;
    const std::string stored = season.DrvTable[3].DrvNm;
    QString career;
    test::WhenModal([&](QWidget& drivers) {
        test::Activate(drivers);
        ExpectTidy(drivers);
        Keys(drivers, Qt::Key_Down, 3); // the third driver: nothing is chosen on opening
        Key(drivers, Qt::Key_Tab);
        Key(drivers, Qt::Key_A, Qt::ControlModifier);
        test::TypeText(drivers, "新星");
        Key(drivers, Qt::Key_Tab);
        Key(drivers, Qt::Key_Space); // technique one step up
        drivers.grab().save(test::ScreenPath("editor_drivers.png"));
        test::WhenModal([&](QWidget& records) {
            career = Child<QLabel>(records, "lblNm")->text();
            Key(records, Qt::Key_Return);
        });
        QTest::mouseClick(Child<QPushButton>(drivers, "cmdJis"), Qt::LeftButton);
        QTest::mouseClick(Child<QPushButton>(drivers, "cmdAdd"), Qt::LeftButton);
        Key(drivers, Qt::Key_Return);
    });
    w.Menu("Set_Drv(23)");

    EXPECT_EQ(career.toStdString(), stored); // the stored record, as it was when the editor opened
    EXPECT_EQ(season.DrvTable[3].DrvNm, "新星");
    EXPECT_EQ(season.DrvTable[3].Technique, "0");
    EXPECT_EQ(season.DrvCount, std::to_string(std::stoi(count) + 1));
    EXPECT_EQ(w.binder.Views().size(), 1u);
}

// After AddNew the new entry's name is typed at once; a seat's name too long for its box shows
// whole in the tooltip and in the list, which is as wide as its longest name.
TEST(Editors, AddNewLeadsToTheNameAndLongSeatNamesShowWhole) {
    GameWindow w;
    const std::string longName = "ジョナサン・クリストファー・アレクサンダー・ウィリアムズ";
    w.game.season.DrvTable[1].DrvNm = longName;
    w.game.season.TimCount = "15"; // room for one more team
    for (const char* editor : {"Set_Tim(22)", "Set_Drv(23)"}) {
        QString focus, seatTip;
        int listWidth = 0, nameWidth = 0;
        test::WhenModal([&](QWidget& window) {
            test::Activate(window);
            if (auto* seat = window.findChild<QComboBox*>("cboDrv(1)")) {
                Key(window, Qt::Key_Down); // the first team, whose first seat is the long name
                seatTip = seat->toolTip();
                listWidth = seat->view()->minimumWidth();
                nameWidth = seat->fontMetrics().horizontalAdvance(QString::fromStdString(longName));
            }
            auto* add = Child<QPushButton>(window, "cmdAdd");
            add->setFocus();
            Key(window, Qt::Key_Return);
            focus = FocusName(window);
            Key(window, Qt::Key_Escape);
        });
        w.Menu(editor);
        EXPECT_EQ(focus, std::string(editor) == "Set_Tim(22)" ? "txtTimNm" : "txtDrvNm") << editor;
        if (std::string(editor) == "Set_Tim(22)") {
            EXPECT_TRUE(seatTip.contains(QString::fromStdString(longName))) << seatTip.toStdString();
            EXPECT_GE(listWidth, nameWidth);
        }
    }
}
