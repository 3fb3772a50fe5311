// The 記録 windows on a season with a history, drawn offscreen: their tables filled, their names whole.
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "GameUnderTest.h"
#include "ModalDriver.h"
#include "Screens.h"
#include "history/Archive.h"
#include "history/FrmSeasonSummary.h"
#include "race/RaceState.h"
#include "standings/Rankings.h"
#include "race/SilentWeekend.h"
#include "weekend/NewSeason.h"

using namespace karven;

namespace {
// Two closed seasons, crowned, and two races of a third.
void GiveHistory(Season& season) {
    GameRandom random(3);
    for (int s = 0; s < 2; ++s) {
        while (PlayGrandPrix(season, random, {})) {
        }
        ArchivedSeason closed = SeasonSoFar(season);
        closed.crowned = true;
        closed.champion = closed.drivers.front().driver;
        ArchiveSeason(season, std::move(closed));
        ResetSeason(season, 0);
    }
    PlayGrandPrix(season, random, {});
    PlayGrandPrix(season, random, {});
}

struct Opened {
    int rows = 0;
    QString title;
};

Opened OpenAndGrab(test::GameUnderTest& g, const char* item, const char* png) {
    Opened seen;
    test::WhenModal([&](QWidget& window) {
        test::Activate(window);
        if (auto* table = window.findChild<QTableWidget*>("tblRec")) seen.rows = table->rowCount();
        seen.title = window.windowTitle();
        window.grab().save(test::ScreenPath(png));
        test::PressKey(window, Qt::Key_Escape);
    });
    g.game.shell.main.Click(item);
    return seen;
}
} // namespace

TEST(HistoryWindows, EveryRecordWindowShowsTheHistory) {
    test::GameUnderTest g(3);
    g.Start([](Season& s) { GiveHistory(s); });
    Opened champions = OpenAndGrab(g, "Rec_Champions", "history_champions.png");
    EXPECT_EQ(champions.title, "歴代チャンピオン");
    EXPECT_EQ(champions.rows, 3) << "two closed seasons and the one in progress";
    EXPECT_EQ(OpenAndGrab(g, "Rec_Past", "history_past_season.png").rows, int(DriverStandings(g.game.season).size()))
        << "the latest, the season in progress: its drivers with points";
    EXPECT_GT(OpenAndGrab(g, "Rec_AllTime", "history_all_time.png").rows, 0);
    EXPECT_EQ(OpenAndGrab(g, "Rec_Driver", "history_driver_page.png").rows, 4) << "three seasons and the totals";
    EXPECT_GT(OpenAndGrab(g, "Rec_Team", "history_team_page.png").rows, 1);
}

TEST(HistoryWindows, TheSeasonSummaryTellsWhoWon) {
    test::GameUnderTest g(3);
    g.Start([](Season& s) { GiveHistory(s); });
    QString champion;
    test::WhenModal([&](QWidget& window) {
        test::Activate(window);
        champion = window.findChild<QLabel*>("lblFact(0)")->text();
        window.grab().save(test::ScreenPath("history_summary.png"));
        test::PressKey(window, Qt::Key_Return);
    });
    ShowSeasonSummary(g.game.shell);
    const ArchivedSeason& last = g.game.season.history.seasons.back();
    EXPECT_TRUE(champion.startsWith(QString::fromStdString(*last.Champion()))) << champion.toStdString();
}

TEST(HistoryWindows, ThePlayerNamesASeason) {
    test::GameUnderTest g(3);
    g.Start([](Season& s) { GiveHistory(s); });
    test::WhenModal([&](QWidget& window) {
        test::Activate(window);
        auto* table = window.findChild<QTableWidget*>("tblRec");
        table->setCurrentCell(0, 0);
        window.findChild<QWidget*>("txtName")->setFocus();
        test::TypeText(window, "2026年");
        window.findChild<QPushButton*>("cmdName")->click();
        EXPECT_EQ(table->item(0, 0)->text(), "第1期 2026年");
        test::PressKey(window, Qt::Key_Escape);
    });
    g.game.shell.main.Click("Rec_Champions");
    EXPECT_EQ(g.game.season.history.seasons[0].name, "2026年");
    EXPECT_EQ(g.game.shell.main.caption, "KARVEN - *") << "a named season is unsaved work";
}
