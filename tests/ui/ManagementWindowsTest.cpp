// The team's headquarters as a player sees it, in both languages: the books, the programmes, the
// sponsor's offers and the contracts legible at the window's natural size, and each button
// changing what it says it changes.
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "GameUnderTest.h"
#include "Legible.h"
#include "ModalDriver.h"
#include "Screens.h"
#include "management/FrmHeadquarters.h"
#include "management/Management.h"
#include "offseason/FrmKarvenOff.h"
#include "principal/Board.h"
#include "principal/FrmApproach.h"
#include "season/Numbers.h"
#include "principal/FrmPrincipal.h"
#include "support/Language.h"

using namespace karven;

TEST(ManagementWindows, TheHeadquartersReadsWholeAndItsButtonsDecide) {
    for (Language language : {Language::Japanese, Language::English}) {
        LanguageScope scope(language);
        const std::string suffix = language == Language::English ? "_en" : "";
        test::GameUnderTest g(21);
        g.Start();
        Season& season = g.game.season;
        principal::TakeCharge(season, "08");
        g.game.FollowPrincipal();
        principal::ShowPrincipal(g.game.shell);
        ASSERT_TRUE(management::Running(season));
        auto books = [&]() -> const ManagedTeam& { return season.history.management.teams[8]; };
        ASSERT_FALSE(books().offers.empty()) << "the sponsors wait for his choice";
        const SponsorDeal second = books().offers[1];
        const Money speed = books().spend[0];

        test::WhenModal([&](QWidget& window) {
            test::Activate(window);
            for (const char* name : {"tblOffers", "tblContracts"}) {
                auto* t = window.findChild<QTableWidget*>(name);
                ASSERT_NE(t, nullptr) << name;
                test::Legible seen = test::Read(*t);
                EXPECT_TRUE(seen.faults.empty()) << name << suffix << ": " << (seen.faults.empty() ? "" : seen.faults.front());
                EXPECT_EQ(seen.cut, 0) << name << suffix;
                EXPECT_GT(seen.whole, 0) << name << suffix;
            }
            for (auto* label : window.findChildren<QLabel*>()) {
                if (label->wordWrap()) {
                    EXPECT_LE(label->heightForWidth(label->width()), label->height())
                        << label->objectName().toStdString() << suffix << " reads whole";
                }
            }
            window.grab().save(test::ScreenPath(("headquarters" + suffix + ".png").c_str()));
            // The second offer, taken; speed up a step; the tyre order on.
            auto* offers = window.findChild<QTableWidget*>("tblOffers");
            offers->setCurrentCell(1, 0);
            window.findChild<QPushButton*>("cmdSponsor")->click();
            window.findChild<QPushButton*>("cmdMore(0)")->click();
            window.findChild<QPushButton*>("cmdTyres")->click();
            window.grab().save(test::ScreenPath(("headquarters_chosen" + suffix + ".png").c_str()));
            test::PressKey(window, Qt::Key_Escape);
        });
        g.game.shell.main.Click("Set_HQ");
        EXPECT_TRUE(books().sponsored) << suffix;
        EXPECT_EQ(books().sponsor, second) << "the offer chosen in the table is the one signed" << suffix;
        EXPECT_GT(books().spend[0], speed) << "+ spends more on speed" << suffix;
        EXPECT_EQ(season.history.management.tyres, TyreOrder::Rules) << suffix;
    }
}

TEST(ManagementWindows, TheOfferShowsWhatEachDriverAsksAndSetsTheTerms) {
    for (Language language : {Language::Japanese, Language::English}) {
        LanguageScope scope(language);
        const std::string suffix = language == Language::English ? "_en" : "";
        test::GameUnderTest g(22);
        g.Start();
        Season& season = g.game.season;
        principal::TakeCharge(season, "01");
        g.game.FollowPrincipal();
        FrmKarvenOff market(g.game.shell);
        market.OffTimTable.push_back({"01", season.TimTable[1].TimNm, "0001", 3});
        for (int d = 1; d <= 6; ++d)
            market.OffDrvTable.push_back({"", Format00(d), season.DrvTable[size_t(d)].DrvNm, d, 12, d, 30});
        principal::FrmApproach approach(g.game.shell, market, 1, {1, 2, 3, 4, 5, 6}, 2, nullptr);
        test::WhenModal([&](QWidget& window) {
            test::Activate(window);
            auto* t = window.findChild<QTableWidget*>("tblRec");
            ASSERT_NE(t, nullptr);
            test::Legible seen = test::Read(*t);
            EXPECT_TRUE(seen.faults.empty()) << suffix << ": " << (seen.faults.empty() ? "" : seen.faults.front());
            EXPECT_EQ(seen.cut, 0) << suffix << ": every entry whole, the asking and the buy-out too";
            window.findChild<QPushButton*>("cmdShare")->click();
            window.findChild<QPushButton*>("cmdYears")->click();
            window.grab().save(test::ScreenPath(("approach_money" + suffix + ".png").c_str()));
            test::PressKey(window, Qt::Key_Return);
        });
        g.platform.ShowModal(approach);
        EXPECT_EQ(approach.answer, principal::FrmApproach::Answer::Offer) << suffix;
        EXPECT_DOUBLE_EQ(approach.OfferShare(), 1.2) << "one press past what he asks" << suffix;
        EXPECT_EQ(approach.OfferSeasons(), 3) << suffix;
    }
}
