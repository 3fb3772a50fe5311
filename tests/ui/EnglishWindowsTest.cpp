// Every window of the game in English: no Japanese word left on a caption, a button, a menu, a
// table, a chart or a tool tip (the season's names are Latin in the English season); and the
// windows keep their natural size when English is longer.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBrowser>
#include <QAbstractAxis>
#include <gtest/gtest.h>
#include <set>

#include "AllWindows.h"
#include "GameUnderTest.h"
#include "ModalDriver.h"
#include "support/Language.h"

using namespace karven;

namespace {

const std::set<QString> NamesOfLanguages = {"日本語", "言語 / Language"};

// Every text a player can read in the window, with where it was found.
std::vector<std::pair<std::string, QString>> Texts(QWidget& window) {
    std::vector<std::pair<std::string, QString>> texts;
    auto add = [&](QObject* where, const QString& what, const QString& text) {
        if (!text.isEmpty()) texts.emplace_back(where->objectName().toStdString() + " " + what.toStdString(), text);
    };
    add(&window, "title", window.windowTitle());
    add(&window, "spoken title", window.accessibleName());
    for (QWidget* w : window.findChildren<QWidget*>()) {
        add(w, "tool tip", w->toolTip());
        add(w, "spoken name", w->accessibleName());
        if (auto* label = qobject_cast<QLabel*>(w)) add(w, "label", label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w)) add(w, "button", button->text());
        if (auto* box = qobject_cast<QGroupBox*>(w)) add(w, "group", box->title());
        if (auto* browser = qobject_cast<QTextBrowser*>(w)) add(w, "document", browser->toPlainText());
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i) add(w, "tab", tabs->tabText(i));
        if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i) add(w, "item", combo->itemText(i));
        if (auto* view = qobject_cast<QAbstractItemView*>(w); view && view->model()) {
            QAbstractItemModel* model = view->model();
            for (int c = 0; c < model->columnCount(); ++c) add(w, "heading", model->headerData(c, Qt::Horizontal).toString());
            for (int r = 0; r < model->rowCount(); ++r)
                for (int c = 0; c < model->columnCount(); ++c) add(w, "cell", model->index(r, c).data().toString());
        }
        if (auto* chart = qobject_cast<QChartView*>(w)) {
            add(w, "chart title", chart->chart()->title());
            for (QAbstractAxis* axis : chart->chart()->axes()) add(w, "axis", axis->titleText());
            for (QLegendMarker* marker : chart->chart()->legend()->markers()) add(w, "legend", marker->label());
        }
    }
    for (QAction* action : window.findChildren<QAction*>()) {
        add(action, "menu item", action->text());
        add(action, "menu tip", action->toolTip());
    }
    return texts;
}

// A caption without its mnemonic: "ﾌｧｲﾙ(&F)" and "&File" as the words they are.
QString Words(QString text) {
    static const QRegularExpression letterAfter(R"(\(&?[A-Z0-9]\)$)");
    return text.remove(letterAfter).remove('&');
}

std::vector<std::string> JapaneseIn(QWidget& window) {
    std::vector<std::string> found;
    for (const auto& [where, text] : Texts(window)) {
        if (NamesOfLanguages.contains(Words(text))) continue;
        // A text that names the language menu, as the guide does, names it as the menu does.
        QString words = QString(text).remove(QChar(0x2060)).remove("言語 / Language");
        if (HasJapanese(words.toStdString())) found.push_back(where + ": " + text.toStdString());
    }
    return found;
}

// Grands Prix run, so that the standings, tables and charts have something to show.
void RunTwoGrandsPrix(test::GameUnderTest& g) {
    test::AutoAnswer answer;
    for (int gp = 0; gp < 2; ++gp) {
        g.game.shell.main.Click("cmdYosen");
        g.game.shell.main.Click("cmdKesyou");
    }
}

} // namespace

TEST(English, EveryWindowIsInEnglish) {
    LanguageScope english(Language::English);
    for (const test::WindowOpener& walk : test::AllWindows()) {
        test::GameUnderTest g(3);
        g.Start();
        RunTwoGrandsPrix(g);
        std::vector<std::string> japanese;
        int walked = 0;
        test::WhenModal([&](QWidget& window) {
            ++walked;
            japanese = JapaneseIn(window);
            window.close();
        });
        walk.open(g);
        EXPECT_EQ(walked, 1) << walk.window;
        EXPECT_TRUE(japanese.empty()) << walk.window << ":\n" << testing::PrintToString(japanese);
    }
}

TEST(English, TheMainWindowIsInEnglishAndBackInJapanese) {
    LanguageScope english(Language::English);
    test::GameUnderTest g(3);
    g.Start();
    RunTwoGrandsPrix(g);
    g.binder.RefreshAll();
    EXPECT_EQ(JapaneseIn(g.window), std::vector<std::string>{});

    g.game.shell.main.Click("Help_Language", 1);
    g.binder.RefreshAll();
    EXPECT_EQ(ui::StartLanguage(), Language::Japanese) << "the choice is remembered for the next start";
    EXPECT_EQ(g.window.menuBar()->actions().front()->text(), "ﾌｧｲﾙ(&F)");
    g.game.shell.main.Click("Help_Language", 2);
    g.binder.RefreshAll();
    EXPECT_EQ(ui::StartLanguage(), Language::English);
    EXPECT_EQ(g.window.menuBar()->actions().front()->text(), "&File");
}
