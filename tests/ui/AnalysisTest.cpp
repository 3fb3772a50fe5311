// The analysis windows on a season half run: title odds computed in the background, points by race.
#include <QBarSet>
#include <QChartView>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineSeries>
#include <QMainWindow>
#include <QPushButton>
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

using namespace karven;

namespace {
struct HalfSeason : test::GameUnderTest {
    HalfSeason() : GameUnderTest(12) {
        Start([this](Season& s) {
            for (int g = 1; g <= 8; ++g) EXPECT_TRUE(PlayGrandPrix(s, random, {}));
            SetMainState(game.shell.main, 2);
        });
    }
};

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
            auto* tabs = dialog.findChild<QTabWidget*>("oddsTabs");
            waitedWithoutFreezing |= tabs && !tabs->isEnabled(); // the window answered while computing
            return tabs && tabs->isEnabled();
        },
        [&](QWidget& dialog) {
            dialog.grab().save(test::ScreenPath("odds.png"));
            status = dialog.findChild<QLabel*>("oddsStatus")->text();
            auto* view = dialog.findChild<QChartView*>("oddsDrivers");
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
                  auto* view = qobject_cast<QChartView*>(dialog.findChild<QTabWidget*>("pointsTabs")->widget(0));
                  ASSERT_NE(view, nullptr);
                  lines = int(view->chart()->series().size());
                  points = static_cast<QLineSeries*>(view->chart()->series().at(0))->count();
              });
    s.game.shell.main.Click("Ana_Points");
    int scorers = int(DriverStandings(s.game.season).size());
    ASSERT_GE(scorers, 3);
    EXPECT_EQ(lines, std::min(10, scorers));
    EXPECT_EQ(points, 9) << "from the start to the 8th Grand Prix";
}
