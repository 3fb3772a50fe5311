// レース分析 on a season half run: the lap chart, the gaps and the report of any race run, opened
// from the menu or from the main window after a race.
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include "GameUnderTest.h"
#include "ModalDriver.h"
#include "Screens.h"
#include "odds/RaceStory.h"
#include "race/RaceState.h"
#include "race/SilentWeekend.h"
#include "shell/MainState.h"
#include "ui/FormChart.h"

using namespace karven;

namespace {
using test::HalfSeason;

ui::FormChart& ChartOf(QWidget& dialog, const char* key) {
    auto* chart = dialog.findChild<QWidget*>(key);
    EXPECT_NE(chart, nullptr) << key;
    return *static_cast<ui::FormChart*>(chart);
}
std::vector<QLineSeries*> Lines(QWidget& dialog, const char* key) { return ChartOf(dialog, key).Lines(); }
QString Words(QWidget& dialog, const char* key) { return ChartOf(dialog, key).findChild<QLabel*>("chartWords")->text(); }

// Looks at the window as it opens, then closes it with Esc.
void WhenOpen(std::function<void(QWidget&)> look) {
    test::WhenModal([look](QWidget& dialog) {
        test::Activate(dialog);
        look(dialog);
        test::PressKey(dialog, Qt::Key_Escape);
    });
}
} // namespace

TEST(RaceAnalysis, ShowsTheLastRaceAndAnyOtherWithItsChartsAndReport) {
    HalfSeason s;
    const std::vector<RaceLaps>& races = s.game.season.history.laps;
    ASSERT_EQ(races.size(), 8u);
    const std::vector<CarStory> last = CarStories(races.back()), first = CarStories(races.front());
    int choices = -1, chosen = -1, lapLines = 0, legendRows = 0, gapShown = 0, gapAfterUncheck = 0, reportRows = 0;
    QString title, winner, firstWinner, info, weatherName;
    std::vector<int> tabsSeen;
    std::vector<std::pair<QColor, Qt::PenStyle>> looks;
    std::vector<double> opacity;
    WhenOpen([&](QWidget& dialog) {
        title = dialog.windowTitle();
        auto* picker = dialog.findChild<QComboBox*>("raceGp");
        choices = picker->count();
        chosen = picker->currentIndex();
        auto* tabs = dialog.findChild<QTabBar*>("raceTabs");
        std::vector<QLineSeries*> lines = Lines(dialog, "raceLapChart");
        lapLines = int(lines.size());
        for (QLineSeries* line : lines) looks.emplace_back(line->pen().color(), line->pen().style());
        QListWidget* legend = ChartOf(dialog, "raceLapChart").Legend();
        legendRows = legend->count();
        dialog.grab().save(test::ScreenPath("race_lapchart.png"));
        legend->setCurrentRow(1); // the keyboard's way of picking a driver out
        for (QLineSeries* line : lines) opacity.push_back(line->opacity());
        info = Words(dialog, "raceLapChart");
        dialog.grab().save(test::ScreenPath("race_lapchart_picked.png"));

        picker->setFocus();
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
            tabsSeen.push_back(tabs->currentIndex());
            if (tabs->currentIndex() == 1) {
                for (QLineSeries* line : Lines(dialog, "raceGapChart")) gapShown += line->isVisible();
                ChartOf(dialog, "raceGapChart").Legend()->item(0)->setCheckState(Qt::Unchecked);
                for (QLineSeries* line : Lines(dialog, "raceGapChart")) gapAfterUncheck += line->isVisible();
                dialog.grab().save(test::ScreenPath("race_gaps.png"));
            }
            if (tabs->currentIndex() == 2) {
                auto* table = dialog.findChild<QTableWidget*>("raceReport");
                reportRows = table->rowCount();
                winner = table->item(0, 1)->text();
                weatherName = dialog.findChild<QWidget*>("raceWeather")->accessibleName();
                dialog.grab().save(test::ScreenPath("race_report.png"));
            }
        }
        picker->setCurrentIndex(0);
        firstWinner = dialog.findChild<QTableWidget*>("raceReport")->item(0, 1)->text();
    });
    s.game.shell.main.Click("Ana_Race");

    EXPECT_EQ(title, "レース分析");
    EXPECT_TRUE(weatherName.startsWith("スタート ")) << "the weather strip told in words: " << weatherName.toStdString();
    EXPECT_EQ(choices, 8);
    EXPECT_EQ(chosen, 7) << "the race just run";
    EXPECT_EQ(lapLines, races.back().Cars());
    EXPECT_EQ(legendRows, races.back().Cars());
    // Only team-mates share a colour, and they differ in their dashes.
    int sharedColours = 0;
    ASSERT_EQ(looks.size(), last.size());
    for (size_t i = 0; i < looks.size(); ++i)
        for (size_t j = i + 1; j < looks.size(); ++j) {
            bool mates = last[i].names.ColorNo == last[j].names.ColorNo;
            EXPECT_EQ(looks[i].first == looks[j].first, mates) << i << " and " << j;
            if (mates) {
                ++sharedColours;
                EXPECT_NE(looks[i].second, looks[j].second) << "team-mates " << i << " and " << j;
            }
        }
    EXPECT_GT(sharedColours, 0);
    ASSERT_EQ(opacity.size(), looks.size());
    for (size_t i = 0; i < opacity.size(); ++i) EXPECT_EQ(opacity[i], i == 1 ? 1.0 : 0.25) << i;
    EXPECT_TRUE(info.contains(QString::fromStdString(last[1].names.DrvNm))) << info.toStdString();
    EXPECT_EQ(tabsSeen, (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(gapShown, 10) << "the best ten at first";
    EXPECT_EQ(gapAfterUncheck, 9);
    EXPECT_EQ(reportRows, races.back().Cars());
    EXPECT_EQ(winner.toStdString(), last[0].names.DrvNm);
    EXPECT_EQ(firstWinner.toStdString(), first[0].names.DrvNm) << "the drop-down shows the race chosen";
}

namespace {
// Where a car held its place through a whole lap with the cars just ahead and behind holding
// theirs too: the middle of that lap's stretch of its line lies apart from every other line.
std::pair<int, int> QuietLap(const std::vector<CarStory>& cars, int laps) {
    for (int row = 1; row < int(cars.size()); ++row)
        for (int lap = 1; lap + 1 <= laps; ++lap) {
            const CarStory& car = cars[size_t(row)];
            if (!car.Ran(lap + 1) || car.place[size_t(lap)] != car.place[size_t(lap + 1)]) continue;
            bool quiet = true;
            for (const CarStory& other : cars) {
                if (&other == &car || !other.Ran(lap + 1)) continue;
                int a = other.place[size_t(lap)], b = other.place[size_t(lap + 1)];
                if (std::min(a, b) <= car.place[size_t(lap)] + 1 && std::max(a, b) >= car.place[size_t(lap)] - 1 && a != b)
                    quiet = false;
            }
            if (quiet) return {row, lap};
        }
    return {-1, -1};
}
} // namespace

TEST(RaceAnalysis, ThePointerOverALinePicksItOutAndLeavingLetsItGo) {
    HalfSeason s;
    const RaceLaps& race = s.game.season.history.laps.back();
    const std::vector<CarStory> cars = CarStories(race);
    const auto [row, lap] = QuietLap(cars, race.Laps());
    ASSERT_GE(row, 0) << "a lap where a car runs alone";
    std::vector<double> over, away;
    qreal overWidth = 0, awayWidth = 0;
    QString info;
    int clicked = -1;
    WhenOpen([&](QWidget& dialog) {
        ui::FormChart& chart = ChartOf(dialog, "raceLapChart");
        QChartView* view = chart.View();
        std::vector<QLineSeries*> lines = chart.Lines();
        QTest::qWait(50); // the chart lays itself out
        const QPointF value(lap + 0.4, cars[size_t(row)].place[size_t(lap)]); // nearer this lap than the next
        const QPoint at = view->mapFromScene(view->chart()->mapToScene(view->chart()->mapToPosition(value, lines[size_t(row)])));
        // Through the window system, as the pointer's own events come: to the window, then the
        // widget under the pointer.
        QWindow* window = dialog.windowHandle();
        auto inWindow = [&](QPoint p) { return window->mapFromGlobal(view->viewport()->mapToGlobal(p)); };
        QTest::mouseMove(window, inWindow(at));
        for (QLineSeries* line : lines) over.push_back(line->opacity());
        overWidth = lines[size_t(row)]->pen().widthF();
        info = Words(dialog, "raceLapChart");
        dialog.grab().save(test::ScreenPath("race_lapchart_hover.png"));
        QTest::mouseMove(window, inWindow(QPoint(2, 2))); // off the plot, over the chart's margin
        for (QLineSeries* line : lines) away.push_back(line->opacity());
        awayWidth = lines[size_t(row)]->pen().widthF();
        QTest::mouseClick(window, Qt::LeftButton, {}, inWindow(at));
        clicked = chart.Legend()->currentRow();
    });
    s.game.shell.main.Click("Ana_Race");
    ASSERT_EQ(over.size(), cars.size());
    for (size_t i = 0; i < over.size(); ++i) EXPECT_EQ(over[i], int(i) == row ? 1.0 : 0.25) << i;
    EXPECT_TRUE(info.contains(QString::fromStdString(cars[size_t(row)].names.DrvNm))) << info.toStdString();
    EXPECT_TRUE(info.endsWith(QString("\n%1周目 %2位").arg(lap).arg(cars[size_t(row)].place[size_t(lap)])))
        << info.toStdString();
    EXPECT_GT(overWidth, awayWidth);
    for (size_t i = 0; i < away.size(); ++i) EXPECT_EQ(away[i], 1.0) << i;
    EXPECT_EQ(clicked, row) << "a click keeps the line picked";
}

TEST(RaceAnalysis, TheMainWindowOpensItOnTheRaceJustRunOnceThereIsOne) {
    test::GameUnderTest g(3);
    g.Start();
    auto* button = g.window.findChild<QPushButton*>("cmdRaceAna");
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isEnabled()) << "no race yet";
    QString none;
    WhenOpen([&](QWidget& dialog) { none = dialog.findChild<QLabel*>("raceNone")->text(); });
    g.game.shell.main.Click("Ana_Race");
    EXPECT_FALSE(none.isEmpty());

    PlayGrandPrix(g.game.season, g.random, {});
    PlayGrandPrix(g.game.season, g.random, {});
    SetMainState(g.game.shell.main, CommandState::BetweenGps);
    FollowRaceRecords(g.game.shell);
    g.binder.RefreshAll();
    EXPECT_TRUE(button->isEnabled());
    test::Activate(g.window);
    QString shown;
    WhenOpen([&](QWidget& dialog) { shown = dialog.findChild<QComboBox*>("raceGp")->currentText(); });
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(&g.window, &key);
    EXPECT_TRUE(shown.startsWith("第2戦")) << shown.toStdString();
}

TEST(RaceAnalysis, TheKeyboardReachesEachChartsLegendAndSpaceTakesACarOffTheGapChart) {
    HalfSeason s;
    QString atOpen, afterTab, legendOwner;
    int drawnBefore = 0, drawnAfter = 0;
    WhenOpen([&](QWidget& dialog) {
        QTest::qWait(20);
        atOpen = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier); // to the gaps
        QTest::keyClick(dialog.findChild<QComboBox*>("raceGp"), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        afterTab = focused ? focused->objectName() : "";
        legendOwner = focused && focused->parentWidget() ? focused->parentWidget()->objectName() : "";
        for (QLineSeries* line : Lines(dialog, "raceGapChart")) drawnBefore += line->isVisible();
        QTest::keyClick(focused, Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        for (QLineSeries* line : Lines(dialog, "raceGapChart")) drawnAfter += line->isVisible();
    });
    s.game.shell.main.Click("Ana_Race");
    EXPECT_EQ(atOpen, "raceGp") << "the window opens on its drop-down";
    EXPECT_EQ(afterTab, "chartLegend") << "Tab goes from the drop-down to the chart's list";
    EXPECT_EQ(legendOwner, "raceGapChart") << "the list of the page shown";
    EXPECT_EQ(drawnBefore, 10);
    EXPECT_EQ(drawnAfter, 9) << "Space clears the car's box";
}
