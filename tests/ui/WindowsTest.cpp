#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <gtest/gtest.h>

#include "ModalDriver.h"
#include "Screens.h"
#include "season/Season.h"
#include "shell/FrmMain.h"
#include "shell/Grid.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "shell/Random.h"
#include "shell/Shell.h"
#include "ui/QtPlatform.h"

using namespace karven;

namespace {
struct Windows {
    Season season;
    ui::Binder binder;
    ui::QtPlatform platform{binder};
    GameRandom random{7};
    Shell shell{season, platform, random};
    QMainWindow& window = binder.BindMain(shell.main);

    Windows() { platform.AppPath(); }
};

void FillRaceBoard(Shell& shell) {
    const char* drivers[] = {"早瀬 翔", "神崎 透", "真田 剛", "朝霧 蓮", "氷室 迅", "桐生 颯"};
    const char* teams[] = {"紅蓮", "蒼穹", "疾風", "白銀", "雷鳴", "黒鉄"};
    SetGridHeader(shell.main, 3);
    shell.main("lblTitle").text = "第1戦 日本 ＧＰ 12周目";
    ClearGrid(shell);
    for (int k = 1; k <= 6; ++k) {
        shell.main.lbl(1, k).text = std::to_string(k);
        shell.main.lbl(2, k).text = drivers[k - 1];
        shell.main.lbl(3, k).text = teams[k - 1];
        shell.main.lbl(4, k).text = std::to_string(1000 + k * 7) + ".25";
        shell.main.lbl(5, k).text = k % 3 == 0 ? "1" : "0";
        shell.main.lbl(6, k).text = k == 2 ? "R" : "";
        shell.main.imgCo(k).picture = ColorFilePath(shell, "00" + std::to_string(10 + k * 3), 1);
    }
}
} // namespace

TEST(MessageWindows, QuestionAnsweredByKeys) {
    Windows w;
    w.window.show();
    w.shell.MsgText = "決勝をスタートしてよろしいですか？";
    test::AnswerWithKey(Qt::Key_Escape);
    EXPECT_EQ(AskOkCancel(w.shell), 0);

    // Enter after a Cancel is an OK again; the window shows the two lines and sits at the
    // main window's upper right corner.
    w.shell.MsgText = "第1戦\r\n日本 ＧＰ";
    QString shownText;
    QPoint shownAt;
    test::WhenModal([&](QWidget& dialog) {
        shownText = dialog.findChild<QLabel*>("lblMsg")->text();
        shownAt = dialog.frameGeometry().topLeft();
        dialog.grab().save(test::ScreenPath("question.png"));
        test::PressKey(dialog, Qt::Key_Return);
    });
    EXPECT_EQ(AskOkCancel(w.shell), -1);
    EXPECT_EQ(shownText, "第1戦\n日本 ＧＰ");
    const Rect& main = w.shell.main.geometry;
    EXPECT_EQ(shownAt, QPoint(main.left + main.width - w.shell.msgOkCancel().geometry.width, main.top));
    EXPECT_EQ(main.width, w.window.frameGeometry().width());

    // The main window's moves reach its form, so the next window follows it.
    w.window.move(40, 30);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.shell.main.geometry.left, w.window.frameGeometry().left());
    EXPECT_EQ(w.shell.main.geometry.top, w.window.frameGeometry().top());
    test::WhenModal([&](QWidget& dialog) {
        shownAt = dialog.frameGeometry().topLeft();
        test::PressKey(dialog, Qt::Key_Return);
    });
    ShowOk(w.shell);
    EXPECT_EQ(shownAt, QPoint(w.window.frameGeometry().right() + 1 - w.shell.msgOk().geometry.width,
                              w.window.frameGeometry().top()));
}

TEST(MessageWindows, NoticeAndCommentCloseOnEnter) {
    Windows w;
    w.window.show();
    w.shell.MsgText = "予選を終了しました。";
    test::AnswerWithKey(Qt::Key_Return);
    ShowOk(w.shell);
    EXPECT_TRUE(w.shell.msgOk().IsClosed());

    w.shell.MsgText = "1位\r\n氷室 迅\r\n（雷鳴）\r\n\r\nファステストラップ！";
    test::WhenModal([&](QWidget& dialog) {
        dialog.grab().save(test::ScreenPath("comment.png"));
        test::PressKey(dialog, Qt::Key_Enter);
    });
    ShowComment(w.shell);
    EXPECT_TRUE(w.shell.msgComment().IsClosed());
    EXPECT_TRUE(w.binder.Views().size() == 1u); // only the main window is left
}

TEST(MessageWindows, BoardIsCurrentWhileACommentWaits) {
    Windows w;
    SetRaceView(w.shell.main, RaceView::RacePanel);
    w.window.show();
    FillRaceBoard(w.shell);
    w.shell.main.lbl(2, 1).text = "新しい首位";
    QString leaderShown;
    test::WhenModal([&](QWidget& dialog) {
        leaderShown = w.window.findChild<QLabel*>("lbl2(1)")->text();
        test::PressKey(dialog, Qt::Key_Return);
    });
    w.shell.MsgText = "2周目";
    ShowComment(w.shell);
    EXPECT_EQ(leaderShown, "新しい首位");
}

TEST(MainWindow, StartUpStateAndRaceViewGrabbed) {
    Windows w;
    SetGridHeader(w.shell.main, 1);
    SetRaceView(w.shell.main, RaceView::Commands);
    SetMainState(w.shell.main, CommandState::SeasonStart);
    ClearGrid(w.shell);
    w.binder.RefreshAll();
    w.window.show();
    EXPECT_FALSE(w.window.findChild<QWidget*>("cmdKesyou")->isEnabled());
    EXPECT_TRUE(w.window.findChild<QWidget*>("imgAnime")->isHidden());
    EXPECT_TRUE(w.window.grab().save(test::ScreenPath("main_startup.png")));

    SetRaceView(w.shell.main, RaceView::RacePanel);
    FillRaceBoard(w.shell);
    w.shell.main("imgTenki", 0).picture = w.platform.AppPath() + "img/tenkou/ame.bmp";
    w.shell.main("lblKousui").text = "72";
    w.shell.main("imgAnime").picture = w.platform.AppPath() + "img/anime/iku03.bmp";
    w.binder.RefreshAll();
    EXPECT_TRUE(w.window.findChild<QWidget*>("cmdKesyou")->isHidden());
    EXPECT_FALSE(w.window.findChild<QLabel*>("imgAnime")->pixmap().isNull());
    EXPECT_TRUE(w.window.grab().save(test::ScreenPath("main_race.png")));

    FrmMain title;
    test::WhenModal([&](QWidget& dialog) {
        dialog.grab().save(test::ScreenPath("title.png"));
        test::PressKey(dialog, Qt::Key_Escape);
    });
    w.platform.ShowModal(title);
    EXPECT_TRUE(title.IsClosed());
}
