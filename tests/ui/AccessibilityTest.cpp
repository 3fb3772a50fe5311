// What a screen reader finds in the game's windows, read through Qt's accessibility interfaces (what
// its AT-SPI bridge hands on; the offscreen platform sends no events, so the notification itself is read): names for every picture and arrow, fields named by their labels, a
// named commentary window, and the result of a race, the standings and an editor's step announced.
#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

#include "GameUnderTest.h"
#include "ModalDriver.h"
#include "odds/ChartColours.h"
#include "odds/ColourVision.h"
#include "odds/MachinePalette.h"
#include "principal/Board.h"
#include "season/Numbers.h"
#include "support/Japanese.h"
#include "support/Language.h"
#include "ui/FocusStyle.h"
#include "ui/FormView.h"

using namespace karven;

namespace {
QString NameOf(QObject* object) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(object);
    return a ? a->text(QAccessible::Name) : QString();
}

// The notification the window last announced, as the screen reader sees it: role and name.
struct Heard {
    bool notification = false;
    bool showing = false;
    std::string text;
};
Heard Announced(QWidget& window) {
    Heard heard;
    auto* announcer = window.findChild<QLabel*>("karvenAnnouncement");
    if (!announcer) return heard;
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(announcer);
    heard.notification = a && a->role() == QAccessible::Notification;
    heard.showing = announcer->isVisible();
    heard.text = a ? a->text(QAccessible::Name).toStdString() : "";
    return heard;
}

std::string WinnerOf(const Season& season, int gp) {
    for (const DrvRecord& d : season.DrvTable)
        if (d.Result[gp] == "1") return d.DrvNm;
    return "?";
}
} // namespace

TEST(Accessibility, ARaceAndTheStandingsAreToldNotOnlyShown) {
    for (Language language : {Language::Japanese, Language::English}) {
        LanguageScope scope(language);
        const bool english = language == Language::English;
        test::GameUnderTest g(5);
        g.Start();
        principal::TakeCharge(g.game.season, "03");
        const std::string team = g.game.season.TimTable[3].TimNm;

        QString commentaryName, nextName;
        {
            test::AutoAnswer answer;
            answer.look = [&](QWidget& w) {
                if (w.objectName() == "frmkarvenmsg" && commentaryName.isEmpty()) {
                    commentaryName = NameOf(&w);
                    nextName = NameOf(w.findChild<QPushButton*>("cmdOK"));
                }
            };
            g.game.shell.main.Click("cmdYosen");
            g.game.shell.main.Click("cmdKesyou");
        }
        g.binder.RefreshAll();
        EXPECT_FALSE(commentaryName.trimmed().isEmpty()) << "the commentary window has a name";
        EXPECT_EQ(nextName, english ? "Next" : "次へ") << "▼ is named for what it does";

        Heard race = Announced(g.window);
        EXPECT_TRUE(race.notification && race.showing);
        const std::string winner = WinnerOf(g.game.season, 1);
        EXPECT_NE(race.text.find(winner), std::string::npos) << race.text;
        EXPECT_NE(race.text.find(team), std::string::npos) << "his team's result: " << race.text;
        EXPECT_EQ(HasJapanese(race.text), !english) << race.text;

        g.game.shell.main.Click("cmdDrvRank");
        g.binder.RefreshAll();
        Heard standings = Announced(g.window);
        const std::string leader = g.game.shell.main.lbl(2, 1).text;
        EXPECT_NE(standings.text.find(leader), std::string::npos) << standings.text;
        EXPECT_NE(standings.text, race.text);

        // Every picture of the main window is named; the weather tells the chance of rain.
        for (QLabel* label : g.window.findChildren<QLabel*>())
            if (label->objectName().startsWith("img")) {
                EXPECT_FALSE(NameOf(label).isEmpty()) << label->objectName().toStdString();
            }
        EXPECT_TRUE(NameOf(g.window.findChild<QLabel*>("imgTenki(0)")).contains("%"));
    }
}

TEST(Accessibility, AnEditorsFieldsAreNamedByTheirLabelsAndAStepIsTold) {
    for (Language language : {Language::Japanese, Language::English}) {
        LanguageScope scope(language);
        const bool english = language == Language::English;
        test::GameUnderTest g(2);
        g.Start();
        QString teamField, upArrow;
        std::string told;
        test::WhenModal([&](QWidget& window) {
            test::Activate(window);
            auto* list = window.findChild<QWidget*>("lstTim");
            ASSERT_NE(list, nullptr);
            list->setFocus();
            test::PressKey(window, Qt::Key_Down); // the first team
            teamField = NameOf(window.findChild<QLineEdit*>("txtTimNm"));
            auto* up = window.findChild<QPushButton*>("cmdUp(0)");
            upArrow = NameOf(up);
            window.findChild<QPushButton*>("cmdDn(0)")->click();
            told = Announced(window).text;
            test::PressKey(window, Qt::Key_Escape);
        });
        g.game.shell.main.Click("Set_Tim", 22);
        EXPECT_EQ(teamField, english ? "Team" : "チーム") << "the label names the field";
        EXPECT_FALSE(upArrow.isEmpty());
        EXPECT_NE(upArrow, "▲") << "the arrow says what it changes";
        EXPECT_FALSE(told.empty()) << "the new value is told";
        EXPECT_EQ(HasJapanese(told), !english) << told;
    }
}

namespace {
// Pixels of the focus ring's colour in a rectangle of the window's picture.
int RingPixels(const QImage& image, QRect rect) {
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += image.pixelColor(x, y) == ui::FocusRingColor;
    return n;
}

double Luminance(QColor c) {
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
} // namespace

TEST(Accessibility, TheFocusIsARingOfTwoPixelsThatNoOtherButtonShows) {
    test::GameUnderTest g(1);
    Form form("frmfocus", "Focus");
    form.geometry = {0, 0, 320, 120};
    form.Add(ControlKind::Button, "cmdA", {20, 40, 120, 40}, "A");
    form.Add(ControlKind::Button, "cmdB", {170, 40, 120, 40}, "B").onClick = [&form] { form.Close(); };
    form.Add(ControlKind::TextBox, "txtC", {20, 88, 270, 24});
    form.defaultButton = "cmdA";
    form.cancelButton = "cmdB";
    QImage onButton, onField;
    QRect a, b, c;
    test::WhenModal([&](QWidget& window) {
        test::Activate(window);
        auto rectOf = [&](const char* name) {
            QWidget* w = window.findChild<QWidget*>(name);
            return QRect(w->mapTo(&window, QPoint(0, 0)), w->size());
        };
        a = rectOf("cmdA"), b = rectOf("cmdB"), c = rectOf("txtC");
        window.findChild<QWidget*>("cmdB")->setFocus(Qt::TabFocusReason);
        onButton = window.grab().toImage();
        window.findChild<QWidget*>("txtC")->setFocus(Qt::TabFocusReason);
        onField = window.grab().toImage();
        test::PressKey(window, Qt::Key_Escape);
    });
    g.platform.ShowModal(form);
    ASSERT_FALSE(onButton.isNull());
    const qreal ratio = onButton.devicePixelRatio();
    auto px = [ratio](QRect r) { return QRect((QRectF(r).topLeft() * ratio).toPoint(), (QSizeF(r.size()) * ratio).toSize()); };
    // Both columns at the focused button's left edge are the ring, halfway down.
    const QRect focused = px(b);
    const int mid = focused.center().y();
    EXPECT_EQ(onButton.pixelColor(focused.left(), mid), ui::FocusRingColor);
    EXPECT_EQ(onButton.pixelColor(focused.left() + 1, mid), ui::FocusRingColor);
    EXPECT_GT(RingPixels(onButton, focused), 2 * (focused.width() + focused.height()));
    EXPECT_EQ(RingPixels(onButton, px(a)), 0) << "the default button is not drawn as the focus";
    EXPECT_EQ(RingPixels(onField, px(a)) + RingPixels(onField, px(b)), 0);
    EXPECT_GT(RingPixels(onField, px(c)), 2 * px(c).width()) << "a text box shows it too";
    // 3:1 at least against the window's own colour.
    const double ring = Luminance(ui::FocusRingColor), back = Luminance(QApplication::palette().color(QPalette::Window));
    EXPECT_GE((std::max(ring, back) + 0.05) / (std::min(ring, back) + 0.05), 3.0);
}

TEST(Accessibility, TheLastCommentaryIsToldAgainOnAsking) {
    test::GameUnderTest g(4);
    g.Start();
    g.game.shell.main.Click("Eve_Repeat");
    g.binder.RefreshAll();
    EXPECT_EQ(Announced(g.window).text, "まだ実況はありません。");
    std::string last;
    {
        test::AutoAnswer answer;
        answer.look = [&](QWidget& w) {
            for (ui::FormView* v : g.binder.Views())
                if (v->window() == &w && w.objectName() == "frmkarvenmsg") last = v->form()("lblMsg").text;
        };
        g.game.shell.main.Click("cmdYosen");
        g.game.shell.main.Click("cmdKesyou");
    }
    ASSERT_FALSE(last.empty());
    g.binder.RefreshAll(); // the race's result told first
    g.game.shell.main.Click("Eve_Repeat");
    g.binder.RefreshAll();
    std::string heard = Announced(g.window).text;
    std::string expected = last;
    for (size_t at = expected.find("\r\n"); at != std::string::npos; at = expected.find("\r\n", at))
        expected.replace(at, 2, " ");
    EXPECT_EQ(heard, expected) << "the last commentary, as one line";
    EXPECT_EQ(g.window.statusBar()->currentMessage().toStdString(), expected);
}

TEST(Accessibility, EveryTwoTeamsLinesStayApartForEveryEye) {
    test::GameUnderTest g(1);
    g.Start();
    const Season& season = g.game.season;
    MachinePalette palette(g.game.shell);
    struct Line {
        ChartRgb rgb;
        int look;
        int team;
    };
    std::vector<Line> lines;
    for (size_t t = 1; t < season.TimTable.size(); ++t) {
        const std::string& colorNo = season.TimTable[t].ColorNo;
        const uint32_t rgb = palette.Of(colorNo);
        for (int car = 0; car < 2; ++car)
            lines.push_back({{int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)}, palette.NextLook(colorNo), int(t)});
    }
    ASSERT_EQ(lines.size(), 2 * (season.TimTable.size() - 1));
    for (size_t i = 0; i < lines.size(); ++i)
        for (size_t j = i + 1; j < lines.size(); ++j) {
            const Line &a = lines[i], &b = lines[j];
            const bool byColour = a.team != b.team && LeastDifference(a.rgb, b.rgb) >= 10;
            EXPECT_TRUE(byColour || a.look != b.look || a.team == b.team)
                << "teams " << a.team << " and " << b.team << " look alike and are drawn alike";
            if (a.team == b.team) {
                EXPECT_NE(a.look, b.look) << "team-mates of team " << a.team;
            }
        }
}

namespace {
// The table a screen reader finds over a window's labels.
QAccessibleInterface* TableIn(QWidget& window, const char* name) {
    auto* pane = window.findChild<QWidget*>(name);
    QAccessibleInterface* a = pane ? QAccessible::queryAccessibleInterface(pane) : nullptr;
    return a && a->role() == QAccessible::Table && a->tableInterface() ? a : nullptr;
}
QString Cell(QAccessibleTableInterface* table, int row, int column) {
    QAccessibleInterface* cell = table->cellAt(row, column);
    return cell ? cell->text(QAccessible::Name) : QString("(none)");
}
QString Heading(QAccessibleTableInterface* table, int column) {
    QAccessibleInterface* cell = table->cellAt(0, column);
    QAccessibleTableCellInterface* c = cell ? cell->tableCellInterface() : nullptr;
    if (!c || c->columnHeaderCells().isEmpty()) return "(none)";
    return c->columnHeaderCells().first()->text(QAccessible::Name);
}
} // namespace

TEST(Accessibility, TheStandingsAndTheSeasonResultsReadAsTablesTheKeyboardWalks) {
    for (Language language : {Language::Japanese, Language::English}) {
        LanguageScope scope(language);
        const bool english = language == Language::English;
        test::GameUnderTest g(3);
        g.Start();
        {
            test::AutoAnswer answer;
            g.game.shell.main.Click("cmdYosen");
            g.game.shell.main.Click("cmdKesyou");
        }
        g.game.shell.main.Click("cmdDrvRank");
        g.binder.RefreshAll();
        test::Activate(g.window);
        QAccessibleInterface* table = TableIn(g.window, "grid");
        ASSERT_NE(table, nullptr);
        QAccessibleTableInterface* grid = table->tableInterface();
        FrmKarvenRace& main = g.game.shell.main;
        int listed = 0;
        while (listed < GridRows && !main.lbl(2, listed + 1).text.empty()) ++listed;
        EXPECT_GT(listed, 5);
        EXPECT_EQ(grid->rowCount(), listed) << "the rows that say something";
        EXPECT_EQ(table->text(QAccessible::Name), ui::ToQt(main("lblTitle").text));
        EXPECT_EQ(Heading(grid, 1), english ? "Driver" : "ドライバー");
        EXPECT_EQ(Cell(grid, 0, 0), "1");
        EXPECT_EQ(Cell(grid, 0, 1), ui::ToQt(main.lbl(2, 1).text));
        EXPECT_EQ(Cell(grid, listed - 1, 1), ui::ToQt(main.lbl(2, listed).text));

        // Ctrl+G puts the keyboard in the table; the arrows walk it and the reader hears the cell.
        QTest::keyClick(&g.window, Qt::Key_G, Qt::ControlModifier);
        QWidget* pane = g.window.findChild<QWidget*>("grid");
        ASSERT_EQ(QApplication::focusWidget(), pane);
        QTest::keyClick(pane, Qt::Key_Down);
        QTest::keyClick(pane, Qt::Key_Right);
        QAccessibleInterface* focused = table->focusChild();
        ASSERT_NE(focused, nullptr);
        EXPECT_EQ(focused->text(QAccessible::Name), ui::ToQt(main.lbl(2, 2).text));
        EXPECT_TRUE(focused->state().focused);
        QTest::keyClick(pane, Qt::Key_End, Qt::ControlModifier);
        EXPECT_EQ(table->focusChild()->tableCellInterface()->rowIndex(), listed - 1);
        QTest::keyClick(pane, Qt::Key_PageDown); // stays on the last row
        EXPECT_EQ(table->focusChild()->tableCellInterface()->rowIndex(), listed - 1);

        // The season results: two rows a team, the team told on both, a column per race run.
        struct {
            int rows = 0, columns = 0;
            QString team1, team2, driver, race1, points;
        } results;
        test::WhenModal([&](QWidget& window) {
            if (QAccessibleInterface* found = TableIn(window, "results")) {
                QAccessibleTableInterface* t = found->tableInterface();
                results = {t->rowCount(), t->columnCount(), Cell(t, 0, 0), Cell(t, 1, 0), Heading(t, 1),
                           Heading(t, 2), Heading(t, t->columnCount() - 1)};
            }
            test::PressKey(window, Qt::Key_Escape);
        });
        main.Click("cmdSeiseki");
        EXPECT_EQ(results.rows, 2 * 16);
        EXPECT_EQ(results.columns, 4) << "team, driver, the first race, the points";
        EXPECT_FALSE(results.team1.isEmpty());
        EXPECT_EQ(results.team1, results.team2);
        EXPECT_EQ(results.driver, english ? "Driver" : "ドライバー");
        EXPECT_EQ(results.race1, "1");
        EXPECT_EQ(results.points, "PIN");
    }
}

TEST(Accessibility, TheTableKeyReachesAWindowsOwnListToo) {
    test::GameUnderTest g(1);
    Form form("frmlist", "List");
    form.geometry = {0, 0, 320, 200};
    Control& list = form.Add(ControlKind::Table, "tblList", {10, 10, 300, 120});
    list.columns = {{"No", 40}, {"Name", 0}};
    list.rows = {{"1", "A"}, {"2", "B"}};
    form.Add(ControlKind::Button, "cmdOK", {210, 150, 100, 30}, "OK").onClick = [&form] { form.Close(); };
    form.defaultButton = form.cancelButton = "cmdOK";
    form.focusRequest = "cmdOK";
    QString before, after;
    test::WhenModal([&](QWidget& window) {
        test::Activate(window);
        QApplication::processEvents();
        before = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
        QTest::keyClick(&window, Qt::Key_G, Qt::ControlModifier);
        after = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
        test::PressKey(window, Qt::Key_Escape);
    });
    g.platform.ShowModal(form);
    EXPECT_EQ(before, "cmdOK");
    EXPECT_EQ(after, "tblList");
}
