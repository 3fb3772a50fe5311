// The 記録 windows on a season with a history, drawn offscreen: their tables filled, their names whole.
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "GameUnderTest.h"
#include "Legible.h"
#include "ModalDriver.h"
#include "Screens.h"
#include "history/Archive.h"
#include "history/FrmChampions.h"
#include "history/FrmSeasonSummary.h"
#include "history/Records.h"
#include "offseason/NewSeason.h"
#include "race/RaceState.h"
#include "race/SilentWeekend.h"
#include "standings/Rankings.h"
#include "support/Language.h"

using namespace karven;
using karven::test::Legible;
using karven::test::Read;

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

namespace {
// What a player reads in a table: every heading whole, every entry on one line, whole or ended
// with "…" and whole in its tooltip. The entries shown whole and cut, counted.
const char* const LongGp = "ニュルブルクリンク・ノルドシュライフェ・ルクセンブルク・グランプリ・オブ・ヨーロッパ";
} // namespace

TEST(HistoryWindows, APastSeasonsTablesFitTheirEntriesAndItsMovesReadFromTheTopInOneAlignment) {
    for (Language language : {Language::Japanese, Language::English}) {
        LanguageScope scope(language);
        test::GameUnderTest g(3);
        g.Start([](Season& s) {
            GiveHistory(s);
            s.history.seasons.front().gps.front().GpNm = LongGp;
            // More drivers than the table shows at once, and a market that moved nearly as many.
            ArchivedSeason& last = s.history.seasons.back();
            const std::vector<ArchivedDriver> scored = last.drivers;
            while (last.drivers.size() < 40) last.drivers.push_back(scored[last.drivers.size() % scored.size()]);
            const size_t teams = last.teams.size();
            for (size_t i = 0; i < 30; ++i)
                last.moves.push_back({last.drivers[i].driver, last.teams[i % teams].team, last.teams[(i + 1) % teams].team});
        });
        Legible races, narrow, drivers;
        int scrolledTo = -1, movesRows = 0;
        std::vector<std::string> alignments;
        test::WhenModal([&](QWidget& window) {
            test::Activate(window);
            auto* table = window.findChild<QTableWidget*>("tblRec");
            window.findChild<QPushButton*>("cmdPrev")->click(); // the last season closed
            window.findChild<QPushButton*>("cmdRace")->click();
            races = Read(*table);
            window.grab().save(test::ScreenPath(language == Language::English ? "past_races_en.png" : "past_races.png"));
            window.findChild<QPushButton*>("cmdDrv")->click();
            drivers = Read(*table);
            table->setCurrentCell(table->rowCount() - 1, 0); // the player chose the last of them
            QApplication::processEvents();
            window.findChild<QPushButton*>("cmdMove")->click();
            QApplication::processEvents(); // the table lays itself out
            scrolledTo = table->verticalScrollBar()->value();
            movesRows = table->rowCount();
            for (int r = 0; r < table->rowCount(); ++r)
                for (int c = 0; c < table->columnCount(); ++c) {
                    int align = table->item(r, c)->textAlignment() & Qt::AlignHorizontal_Mask;
                    if (align != Qt::AlignLeft) alignments.push_back(std::to_string(r) + "," + std::to_string(c));
                }
            window.grab().save(test::ScreenPath(language == Language::English ? "past_moves_en.png" : "past_moves.png"));
            window.findChild<QPushButton*>("cmdPrev")->click(); // the first, with its long Grand Prix
            window.findChild<QPushButton*>("cmdRace")->click();
            window.resize(window.minimumSizeHint()); // as small as the player can make it
            QApplication::processEvents();
            narrow = Read(*table);
            test::PressKey(window, Qt::Key_Escape);
        });
        g.game.shell.main.Click("Rec_Past");
        SCOPED_TRACE(LanguageCode(language));
        EXPECT_TRUE(races.faults.empty()) << testing::PrintToString(races.faults);
        EXPECT_EQ(races.cut, 0) << "at its natural size every name is whole";
        EXPECT_GT(races.whole, 40);
        EXPECT_TRUE(drivers.faults.empty()) << testing::PrintToString(drivers.faults);
        EXPECT_GT(movesRows, 20);
        EXPECT_EQ(scrolledTo, 0) << "the moves open at their top";
        EXPECT_TRUE(alignments.empty()) << "names left, as the columns say: " << testing::PrintToString(alignments);
        EXPECT_TRUE(narrow.faults.empty()) << testing::PrintToString(narrow.faults);
        EXPECT_GT(narrow.cut, 0) << "the long Grand Prix, at least, ends with its tooltip";
    }
}

TEST(HistoryWindows, TheChampionsShowEachSeasonsStandingsLeaderMarkedWhereHeWasNotCrowned) {
    test::GameUnderTest g(3);
    g.Start([](Season& s) {
        GiveHistory(s);
        ArchivedSeason& second = s.history.seasons[1];
        second.champion = second.drivers[1].driver; // the market crowned the second of the standings
        ArchivedSeason early = s.history.seasons[0]; // a season left for a new one: nobody crowned
        early.number = 3;
        early.crowned = false;
        early.champion = 0;
        early.complete = false;
        s.history.seasons.push_back(early);
    });
    const Season& season = g.game.season;
    const std::vector<ArchivedSeason> seasons = SeasonsOnRecord(season);
    ASSERT_EQ(seasons.size(), 4u);
    std::vector<std::string> leaders;
    for (const auto& row : FrmChampions::Rows(seasons, season.history.seasons.size())) leaders.push_back(row[4]);
    EXPECT_EQ(leaders, (std::vector<std::string>{seasons[0].StandingsLeader(), seasons[1].StandingsLeader() + " ※",
                                                 seasons[2].StandingsLeader() + " ※", seasons[3].StandingsLeader()}));
    for (const std::string& leader : leaders) EXPECT_FALSE(leader.empty());
    QString tip, heading;
    test::WhenModal([&](QWidget& window) {
        test::Activate(window);
        auto* table = window.findChild<QTableWidget*>("tblRec");
        tip = table->horizontalHeader()->toolTip();
        heading = table->horizontalHeaderItem(4)->text();
        window.grab().save(test::ScreenPath("history_champions_marked.png"));
        test::PressKey(window, Qt::Key_Escape);
    });
    g.game.shell.main.Click("Rec_Champions");
    EXPECT_EQ(heading, "ランキング首位");
    EXPECT_TRUE(tip.startsWith("ランキング首位：") && tip.contains("※")) << tip.toStdString();
}
