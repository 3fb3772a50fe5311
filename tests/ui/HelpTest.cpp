// Help the player can reach: 遊び方 from the Help menu, and tooltips on every command, every
// editor control and the analysis windows.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <gtest/gtest.h>

#include "AllWindows.h"
#include "GameUnderTest.h"
#include "ModalDriver.h"
#include "Screens.h"
#include "race/RaceState.h"
#include "race/SilentWeekend.h"

using namespace karven;

TEST(Help, HowToPlayOpensFromTheMenuIllustratedScrollableAndClosesByKeys) {
    test::GameUnderTest g(6);
    g.Start();
    QString caption, text;
    int pictures = 0, missing = 0, scrolled = -1, scrollRange = 0;
    bool documentHasFocus = false;
    test::WhenModal([&](QWidget& dialog) {
        test::Activate(dialog);
        caption = dialog.windowTitle();
        auto* document = dialog.findChild<QTextBrowser*>("docGuide");
        ASSERT_NE(document, nullptr);
        documentHasFocus = document->hasFocus();
        text = document->toPlainText().remove(QChar(0x2060)); // the joiners that keep phrases whole
        for (QTextBlock block = document->document()->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                QTextImageFormat image = it.fragment().charFormat().toImageFormat();
                if (!image.isValid()) continue;
                ++pictures;
                missing += document->document()->resource(QTextDocument::ImageResource, QUrl(image.name())).isNull();
            }
        dialog.grab().save(test::ScreenPath("guide.png"));
        scrollRange = document->verticalScrollBar()->maximum();
        QTest::keyClick(document, Qt::Key_PageDown);
        scrolled = document->verticalScrollBar()->value();
        QTest::keyClick(document, Qt::Key_Escape);
    });
    g.window.findChild<QAction*>("Help_Howto")->trigger();
    EXPECT_EQ(caption, "遊び方");
    for (const char* topic : {"シーズンの流れ", "コマンド", "能力の見方", "天気", "スキップとオート実況", "ストーブリーグ",
                              "キー操作", "保存と自動保存", "Enter", "Esc", "Space", "Tab", "Alt"})
        EXPECT_TRUE(text.contains(topic)) << topic;
    EXPECT_GE(pictures, 5);
    EXPECT_EQ(missing, 0);
    EXPECT_TRUE(documentHasFocus) << "the keys scroll at once";
    EXPECT_GT(scrollRange, 0);
    EXPECT_GT(scrolled, 0) << "PageDown scrolls";
    EXPECT_EQ(g.binder.Views().size(), 1u) << "Esc closed it";
}

namespace {
// Controls a player works with that carry no tooltip.
QStringList WithoutTooltip(QWidget& window) {
    QStringList bare;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        bool control = qobject_cast<QPushButton*>(w) || qobject_cast<QListWidget*>(w) ||
                       qobject_cast<QComboBox*>(w) || (qobject_cast<QLineEdit*>(w) && !w->parentWidget()->inherits("QComboBox"));
        if (auto* label = qobject_cast<QLabel*>(w); label && label->frameWidth() > 0 && label->objectName().startsWith("lbl"))
            control = true; // the boxes that show what the arrows change
        if (control && w->toolTip().isEmpty() && !w->objectName().startsWith("qt_")) bare << w->objectName();
    }
    return bare;
}
} // namespace

TEST(Help, EveryCommandEditorControlAndAnalysisWindowExplainsItself) {
    test::GameUnderTest g(6);
    g.Start([&g](Season& s) {
        for (int gp = 1; gp <= 4; ++gp) PlayGrandPrix(s, g.random, {});
        SetMainState(g.game.shell.main, CommandState::BetweenGps);
    });
    for (const char* name : FrmKarvenRace::CommandButtons)
        EXPECT_FALSE(g.window.findChild<QPushButton*>(name)->toolTip().isEmpty()) << name;
    for (QAction* action : g.window.findChildren<QAction*>()) {
        if (action->isSeparator() || action->menu() || action->objectName().isEmpty() ||
            action->objectName() == "Help_help") // the rules' own item, which does nothing
            continue;
        EXPECT_FALSE(action->toolTip().isEmpty() || action->toolTip() == action->text()) << action->objectName().toStdString();
    }
    for (const test::WindowOpener& editor : test::AllWindows()) {
        std::string name = editor.window;
        if (name != "frmkarvensisset" && name != "frmkarvengpset" && name != "frmkarventimset" && name != "frmkarvendrvset")
            continue;
        QStringList bare;
        test::WhenModal([&](QWidget& dialog) {
            bare = WithoutTooltip(dialog);
            test::PressKey(dialog, Qt::Key_Escape);
        });
        editor.open(g);
        EXPECT_TRUE(bare.isEmpty()) << name << ": " << bare.join(", ").toStdString();
    }
    for (const char* analysis : {"Ana_Points", "Ana_Odds", "Ana_Race"}) {
        QStringList bare;
        test::WhenModal([&](QWidget& dialog) {
            // A tab widget of its own, or a form's tabs.
            auto* widget = dialog.findChild<QTabWidget*>();
            QTabBar* tabs = widget ? widget->tabBar() : dialog.findChild<QTabBar*>();
            ASSERT_NE(tabs, nullptr);
            ASSERT_TRUE(QTest::qWaitFor([&] { return tabs->count() >= 2; }, 5000));
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->tabToolTip(i).isEmpty()) bare << "tab " + QString::number(i);
            bare << WithoutTooltip(dialog);
            for (QWidget* chart : dialog.findChildren<QWidget*>())
                if (chart->inherits("QChartView") && chart->toolTip().isEmpty()) bare << chart->objectName();
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        g.window.findChild<QAction*>(analysis)->trigger();
        EXPECT_TRUE(bare.isEmpty()) << analysis << ": " << bare.join(", ").toStdString();
    }
}
