// The living world's windows drawn as a player sees them, in both languages: the off-season news,
// the summary's off-season and a driver's ratings season by season, every entry legible.
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "GameUnderTest.h"
#include "Legible.h"
#include "ModalDriver.h"
#include "Screens.h"
#include "history/Archive.h"
#include "history/FrmSeasonSummary.h"
#include "offseason/FrmKarvenOff.h"
#include "offseason/NewSeason.h"
#include "support/Language.h"
#include "world/Changes.h"
#include "world/FrmNews.h"
#include "world/Turn.h"

using namespace karven;
using karven::test::Legible;
using karven::test::Read;

namespace {
// The table's entries, or what makes them hard to read.
void ExpectLegible(QWidget& window, const char* table, const std::string& where) {
    auto* t = window.findChild<QTableWidget*>(table);
    ASSERT_NE(t, nullptr) << where;
    Legible seen = Read(*t);
    EXPECT_TRUE(seen.faults.empty()) << where << ": " << (seen.faults.empty() ? "" : seen.faults.front());
    EXPECT_EQ(seen.cut, 0) << where << ": every entry whole at the window's natural size";
    EXPECT_GT(seen.whole, 0) << where;
}
} // namespace

TEST(WorldWindows, TheNewsTheSummaryAndTheDriverPageReadWhole) {
    for (Language language : {Language::Japanese, Language::English}) {
        LanguageScope scope(language);
        const std::string suffix = language == Language::English ? "_en" : "";
        test::GameUnderTest g(31);
        g.Start([&](Season& s) {
            world::EnableWorld(s, 31);
            while (PlayGrandPrix(s, g.random, {})) {
            }
        });
        Shell& shell = g.game.shell;
        // The news as the market opens.
        world::SyncWorld(g.game.season);
        const world::MarketNews news = world::NewsOf(g.game.season);
        ASSERT_FALSE(news.rookies.empty() && news.retiring.empty());
        test::WhenModal([&](QWidget& window) {
            test::Activate(window);
            ExpectLegible(window, "tblRetired", "news" + suffix);
            ExpectLegible(window, "tblRookies", "news" + suffix);
            window.grab().save(test::ScreenPath(("world_news" + suffix + ".png").c_str()));
            test::PressKey(window, Qt::Key_Return);
        });
        world::ShowNews(shell, news);

        // The season closes and the world turns: the summary tells the off-season.
        FrmKarvenOff market(shell);
        market.Open();
        world::EnterTheMarket(news, market);
        ArchiveSeason(g.game.season, SeasonSoFar(g.game.season));
        ResetSeason(g.game.season, 0);
        world::TurnTheWorld(g.game.season, news, market);
        const OffSeasonRows rows = world::OffSeasonChanges(g.game.season);
        ASSERT_FALSE(rows.empty());
        test::WhenModal([&](QWidget& window) {
            test::Activate(window);
            ExpectLegible(window, "tblOffSeason", "summary" + suffix);
            window.grab().save(test::ScreenPath(("world_summary" + suffix + ".png").c_str()));
            test::PressKey(window, Qt::Key_Return);
        });
        ShowSeasonSummary(shell, rows);

        // A driver's page with his age and ratings.
        test::WhenModal([&](QWidget& window) {
            test::Activate(window);
            ExpectLegible(window, "tblRec", "driver page" + suffix);
            auto* table = window.findChild<QTableWidget*>("tblRec");
            EXPECT_EQ(table->horizontalHeaderItem(table->columnCount() - 1)->text(),
                      language == Language::English ? "Ratings" : "能力");
            window.grab().save(test::ScreenPath(("world_driver_page" + suffix + ".png").c_str()));
            test::PressKey(window, Qt::Key_Escape);
        });
        shell.main.Click("Rec_Driver");
    }
}
