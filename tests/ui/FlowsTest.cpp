// What a new player meets in the real windows: a question's letters without Alt, a window taller
// than the screen that scrolls inside it, the team he runs picked out on the board, and 上書き保存
// on Ctrl+S.
#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "GameUnderTest.h"
#include "ModalDriver.h"
#include "principal/Board.h"
#include "principal/FrmCall.h"
#include "shell/Form.h"

using namespace karven;

TEST(Flows, AQuestionsLettersAnswerWithoutAlt) {
    test::GameUnderTest g(5);
    g.Start();
    for (auto [key, answer] : {std::pair{Qt::Key_Y, true}, std::pair{Qt::Key_N, false}}) {
        principal::Call call{"ピットイン", "ピットインしますか？", "ピットイン", "ステイアウト", !answer, ""};
        test::WhenModal([key](QWidget& window) {
            test::Activate(window);
            test::PressKey(window, key);
        });
        EXPECT_EQ(principal::Ask(g.game.shell, call), answer) << "key " << key;
    }
}

// A window of buttons taller than any screen: its last button must stay within reach.
class Tall : public Form {
public:
    Tall() : Form("frmtall", "Tall") {
        geometry = {0, 0, 400, 3000};
        Add(ControlKind::Label, "lblTop", {10, 10, 380, 30}, "top");
        Add(ControlKind::Button, "cmdOK", {150, 2950, 100, 30}, "OK").onClick = [this] { Close(); };
        defaultButton = "cmdOK";
    }
};

TEST(Flows, AWindowTallerThanTheScreenScrollsInsideIt) {
    test::GameUnderTest g(5);
    g.Start();
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    bool seen = false;
    test::WhenModal([&](QWidget& window) {
        seen = true;
        EXPECT_LE(window.frameGeometry().height(), free.height());
        EXPECT_TRUE(free.contains(window.frameGeometry())) << "on the screen's free area";
        auto* scroll = window.findChild<QScrollArea*>("scrollContent");
        ASSERT_NE(scroll, nullptr);
        auto* ok = window.findChild<QPushButton*>("cmdOK");
        ASSERT_NE(ok, nullptr);
        scroll->ensureWidgetVisible(ok);
        QRect shown = QRect(ok->mapTo(scroll->viewport(), QPoint(0, 0)), ok->size());
        EXPECT_TRUE(scroll->viewport()->rect().contains(shown)) << "the button can be scrolled to";
        ok->click();
    });
    Tall tall;
    g.platform.ShowModal(tall);
    EXPECT_TRUE(seen);

    // A window that fits keeps its plain layout.
    test::WhenModal([](QWidget& window) {
        EXPECT_EQ(window.findChild<QScrollArea*>("scrollContent"), nullptr);
        test::PressKey(window, Qt::Key_Escape);
    });
    g.game.shell.main.Click("Help_Ver");
}

TEST(Flows, TheTeamInChargeIsPickedOutOnTheBoardAndInTheStandings) {
    test::GameUnderTest g(7);
    g.Start();
    principal::TakeCharge(g.game.season, "01");
    const std::string team = g.game.season.TimTable[1].TimNm;
    test::AutoAnswer answer;
    g.game.shell.main.Click("cmdYosen");
    g.game.shell.main.Click("cmdKesyou");
    g.game.shell.main.Click("cmdTimRank");
    g.binder.RefreshAll();
    int picked = 0;
    for (int k = 1; k <= 32; ++k) {
        auto* name = g.window.findChild<QLabel*>(QString("lbl2(%1)").arg(k));
        ASSERT_NE(name, nullptr);
        const bool mine = name->text().toStdString() == team;
        EXPECT_EQ(name->font().bold(), mine) << "row " << k;
        picked += mine;
    }
    EXPECT_EQ(picked, 1) << "the team's row among the constructors";

    // Without a team in charge nothing is picked out.
    principal::TakeCharge(g.game.season, "");
    g.game.shell.main.Click("cmdTimRank");
    g.binder.RefreshAll();
    for (int k = 1; k <= 32; ++k)
        EXPECT_FALSE(g.window.findChild<QLabel*>(QString("lbl2(%1)").arg(k))->font().bold()) << "row " << k;
}

TEST(Flows, SaveInPlaceIsOnCtrlS) {
    test::GameUnderTest g(5);
    g.Start();
    auto* save = g.window.findChild<QAction*>("File_save");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->shortcut(), QKeySequence("Ctrl+S"));
}
