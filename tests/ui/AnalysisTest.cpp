// The analysis windows on a season half run: title odds computed in the background, points by race.
#include <QApplication>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QTableWidget>
#include <QTest>
#include <QValueAxis>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineSeries>
#include <QMainWindow>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "GameUnderTest.h"
#include "ModalDriver.h"
#include "Screens.h"
#include "app/Game.h"
#include "race/RaceState.h"
#include "race/SilentWeekend.h"
#include "shell/MainState.h"
#include "shell/Random.h"
#include "standings/Rankings.h"
#include "ui/QtPlatform.h"
#include "ui/FormChart.h"
#include "shell/Chart.h"

using namespace karven;

namespace {
using test::HalfSeason;

// Looks at the window once `ready` says so, then closes it with Esc.
void WhenReady(std::function<bool(QWidget&)> ready, std::function<void(QWidget&)> look) {
    test::WhenModal([=](QWidget& dialog) {
        auto* timer = new QTimer(&dialog); // goes with the window
        QObject::connect(timer, &QTimer::timeout, &dialog, [=, &dialog] {
            if (!ready(dialog)) return;
            timer->stop();
            look(dialog);
            test::PressKey(dialog, Qt::Key_Escape);
        });
        timer->start(20);
    });
}
} // namespace

TEST(Analysis, OddsComputeInTheBackgroundAndShowTheFavouriteFirst) {
    HalfSeason s;
    Season before = s.game.season;
    QStringList drivers;
    QString status;
    bool waitedWithoutFreezing = false;
    WhenReady(
        [&](QWidget& dialog) {
            // The window answers while computing, its figures refined as the runs come in.
            auto* label = dialog.findChild<QLabel*>("oddsStatus");
            if (!label) return false;
            waitedWithoutFreezing |= label->text().startsWith("試算中");
            return label->text().endsWith("回の試算による予想");
        },
        [&](QWidget& dialog) {
            dialog.grab().save(test::ScreenPath("odds.png"));
            status = dialog.findChild<QLabel*>("oddsStatus")->text();
            auto* chart = static_cast<ui::FormChart*>(dialog.findChild<QWidget*>("oddsDrivers"));
            ASSERT_NE(chart, nullptr);
            QChartView* view = chart->View();
            auto* series = static_cast<QHorizontalBarSeries*>(view->chart()->series().at(0));
            QBarSet* title = series->barSets().at(0);
            for (int i = 0; i < title->count(); ++i) drivers << QString::number(title->at(i));
        });
    s.game.shell.main.Click("Ana_Odds");
    EXPECT_TRUE(waitedWithoutFreezing);
    EXPECT_TRUE(status.endsWith("回の試算による予想")) << status.toStdString();
    ASSERT_GE(drivers.size(), 3);
    EXPECT_GE(drivers.last().toDouble(), drivers.first().toDouble()) << "the favourite on top";
    EXPECT_EQ(s.game.season, before) << "the odds never touch the season";
}

TEST(Analysis, PointsChartHasALineForEachOfTheBestScorers) {
    HalfSeason s;
    int lines = 0, points = 0;
    WhenReady([](QWidget&) { return true; },
              [&](QWidget& dialog) {
                  dialog.grab().save(test::ScreenPath("points.png"));
                  auto* chart = static_cast<ui::FormChart*>(dialog.findChild<QWidget*>("pointsDriversChart"));
                  ASSERT_NE(chart, nullptr);
                  QChartView* view = chart->View();
                  lines = int(view->chart()->series().size());
                  points = static_cast<QLineSeries*>(view->chart()->series().at(0))->count();
              });
    s.game.shell.main.Click("Ana_Points");
    int scorers = int(DriverStandings(s.game.season).size());
    ASSERT_GE(scorers, 3);
    EXPECT_EQ(lines, std::min(10, scorers));
    EXPECT_EQ(points, 9) << "from the start to the 8th Grand Prix";
}

TEST(Analysis, EveryBarHasItsNumberAZeroOneTooAndTheScaleEndsAt100) {
    auto bars = std::make_shared<Chart>();
    bars->barSets = {"タイトル", "ストーブリーグ王座"};
    bars->x.top = 100;
    bars->x.step = 20;
    bars->x.unit.assign(1, '%'); // (GCC 12 warns of a copy of "%" here)
    const char* names[] = {"一", "二", "三"};
    const double values[][2] = {{90, 100}, {10, 0}, {0, 0}};
    for (int i = 0; i < 3; ++i) bars->lines.push_back({names[i], "", "", 0x3060C0, 0, 0, {values[i][0], values[i][1]}});
    bars->info = bars->BarsInWords();
    ui::FormChart chart(nullptr, [](int) {}, [] {});
    chart.resize(600, 400);
    chart.Show(bars, -1, {});
    chart.show();
    QApplication::processEvents();
    // Each of the three with a title bar and a crown bar, every number inside the plot.
    QStringList texts;
    const QRectF plot = chart.View()->chart()->plotArea();
    for (const QGraphicsSimpleTextItem* label : chart.BarLabels()) {
        texts << label->text();
        QRectF at = label->sceneBoundingRect();
        EXPECT_TRUE(label->isVisible());
        EXPECT_GE(at.left(), plot.left()) << label->text().toStdString();
        EXPECT_LE(at.right(), plot.right()) << label->text().toStdString();
    }
    texts.sort();
    EXPECT_EQ(texts, (QStringList{"0%", "0%", "0%", "10%", "100%", "90%"}));
    auto* axis = qobject_cast<QValueAxis*>(chart.View()->chart()->axes(Qt::Horizontal).at(0));
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(axis->max(), 100);
    auto* series = qobject_cast<QHorizontalBarSeries*>(chart.View()->chart()->series().at(0));
    ASSERT_NE(series, nullptr);
    EXPECT_EQ(series->barSets().at(0)->at(2), 90) << "the first line on top";
    EXPECT_TRUE(chart.View()->chart()->legend()->isVisible()) << "two sets have a key";
    EXPECT_EQ(chart.focusPolicy(), Qt::StrongFocus) << "the bars take the keyboard, having no list beside them";
    EXPECT_EQ(chart.accessibleDescription().toStdString(), "一：タイトル 90%、ストーブリーグ王座 100%\n二：タイトル 10%、ストーブリーグ王座 0%\n三：タイトル 0%、ストーブリーグ王座 0%");
    chart.grab().save(test::ScreenPath("odds_labels.png"));
}

TEST(Analysis, AtTheSeasonsEndTheTitleIsDecidedAndCtrlTabSwitchesTabs) {
    test::GameUnderTest s(12);
    s.Start([&s](Season& season) {
        while (PlayGrandPrix(season, s.random, {})) {
        }
        SetMainState(s.game.shell.main, CommandState::SeasonOver);
    });
    QString status, leader;
    int rows = 0;
    std::vector<int> tabsSeen;
    bool stopShown = true;
    WhenReady([](QWidget& dialog) { return dialog.findChild<QTableWidget*>() != nullptr; },
              [&](QWidget& dialog) {
                  dialog.grab().save(test::ScreenPath("odds_decided.png"));
                  status = dialog.findChild<QLabel*>("oddsStatus")->text();
                  stopShown = dialog.findChild<QPushButton*>("oddsStop")->isVisible();
                  auto* table = dialog.findChild<QTableWidget*>("oddsDrivers");
                  rows = table->rowCount();
                  leader = table->item(0, 1)->text();
                  auto* tabs = dialog.findChild<QTabBar*>("oddsTabs");
                  dialog.findChild<QPushButton*>("analysisClose")->setFocus();
                  for (Qt::KeyboardModifiers keys : {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier}) {
                      int key = keys & Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab;
                      QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), keys);
                      tabsSeen.push_back(tabs->currentIndex());
                  }
              });
    s.game.shell.main.Click("Ana_Odds");
    EXPECT_TRUE(status.contains("決定")) << status.toStdString();
    EXPECT_FALSE(stopShown);
    std::vector<DriverStanding> standings = DriverStandings(s.game.season);
    EXPECT_EQ(rows, int(standings.size()));
    EXPECT_EQ(leader.toStdString(), standings.at(0).DrvNm);
    EXPECT_EQ(tabsSeen, (std::vector<int>{1, 0, 1}));
}

TEST(Analysis, TeamMatesDifferInLineAndMarkerAsTheLegendShowsAndALineCanBePickedOut) {
    HalfSeason s;
    std::vector<std::pair<QColor, Qt::PenStyle>> looks;
    QLegend::MarkerShape legendShape = QLegend::MarkerShapeDefault;
    std::vector<double> opacity;
    qreal pickedWidth = 0;
    int pickedByLegend = -1;
    WhenReady([](QWidget&) { return true; },
              [&](QWidget& dialog) {
                  QChart* chart = static_cast<ui::FormChart*>(dialog.findChild<QWidget*>("pointsDriversChart"))->View()->chart();
                  legendShape = chart->legend()->markerShape();
                  for (QAbstractSeries* series : chart->series()) {
                      auto* line = static_cast<QLineSeries*>(series);
                      looks.emplace_back(line->pen().color(), line->pen().style());
                      EXPECT_FALSE(line->lightMarker().isNull());
                  }
                  auto* picker = dialog.findChild<QComboBox*>("pointsHighlight(0)");
                  picker->setCurrentIndex(2);
                  for (QAbstractSeries* series : chart->series()) opacity.push_back(series->opacity());
                  pickedWidth = static_cast<QLineSeries*>(chart->series().at(1))->pen().widthF();
                  dialog.grab().save(test::ScreenPath("points_picked.png"));
                  emit chart->legend()->markers().at(3)->clicked();
                  pickedByLegend = picker->currentIndex();
              });
    s.game.shell.main.Click("Ana_Points");
    EXPECT_EQ(legendShape, QLegend::MarkerShapeFromSeries);
    int sharedColours = 0;
    for (size_t i = 0; i < looks.size(); ++i)
        for (size_t j = i + 1; j < looks.size(); ++j)
            if (looks[i].first == looks[j].first) {
                ++sharedColours;
                EXPECT_NE(looks[i].second, looks[j].second) << "lines " << i << " and " << j;
            }
    EXPECT_GT(sharedColours, 0) << "team-mates among the best ten";
    ASSERT_GE(opacity.size(), 3u);
    for (size_t i = 0; i < opacity.size(); ++i) EXPECT_EQ(opacity[i], i == 1 ? 1.0 : 0.25) << i;
    EXPECT_GT(pickedWidth, 3);
    EXPECT_EQ(pickedByLegend, 4);
}

TEST(Analysis, PointsPagesTurnByCtrlTabAndAltHReachesTheListOfThePageShown) {
    HalfSeason s;
    std::vector<int> pages;
    QString focused;
    int picked = -2;
    bool teamsShown = false;
    WhenReady([](QWidget&) { return true; },
              [&](QWidget& dialog) {
                  auto* tabs = dialog.findChild<QTabBar*>("pointsTabs");
                  ASSERT_NE(tabs, nullptr);
                  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
                  pages.push_back(tabs->currentIndex());
                  teamsShown = dialog.findChild<QWidget*>("pointsTeamsChart")->isVisible() &&
                               !dialog.findChild<QWidget*>("pointsDriversChart")->isVisible();
                  // Both pages' labels have H: the list in sight takes the keyboard.
                  QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::AltModifier);
                  focused = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
                  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
                  picked = static_cast<ui::FormChart*>(dialog.findChild<QWidget*>("pointsTeamsChart"))->Picked();
                  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
                  pages.push_back(tabs->currentIndex());
              });
    s.game.shell.main.Click("Ana_Points");
    EXPECT_EQ(pages, (std::vector<int>{1, 0}));
    EXPECT_TRUE(teamsShown);
    EXPECT_EQ(focused, "pointsHighlight(1)");
    EXPECT_EQ(picked, 0) << "the list's first team picked out in the chart";
}
