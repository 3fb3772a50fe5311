// The team principal's windows drawn as a player sees them, in both languages: the chooser, a race
// call, the offer and the record, every table entry legible, the keys answering as they say.
#include <QTableWidget>
#include <gtest/gtest.h>

#include "GameUnderTest.h"
#include "Legible.h"
#include "ModalDriver.h"
#include "Screens.h"
#include "offseason/FrmKarvenOff.h"
#include "principal/Board.h"
#include "principal/FrmApproach.h"
#include "principal/FrmCall.h"
#include "principal/FrmPrincipal.h"
#include "season/Numbers.h"
#include "support/Language.h"

using namespace karven;
using karven::test::Legible;
using karven::test::Read;

namespace {
void ExpectLegible(QWidget& window, const std::string& where) {
    auto* t = window.findChild<QTableWidget*>("tblRec");
    ASSERT_NE(t, nullptr) << where;
    Legible seen = Read(*t);
    EXPECT_TRUE(seen.faults.empty()) << where << ": " << (seen.faults.empty() ? "" : seen.faults.front());
    EXPECT_EQ(seen.cut, 0) << where << ": every entry whole at the window's natural size";
    EXPECT_GT(seen.whole, 0) << where;
}
} // namespace

TEST(PrincipalWindows, TheChooserTheCallTheOfferAndTheRecordReadWhole) {
    for (Language language : {Language::Japanese, Language::English}) {
        LanguageScope scope(language);
        const std::string suffix = language == Language::English ? "_en" : "";
        test::GameUnderTest g(33);
        g.Start();
        Shell& shell = g.game.shell;
        Season& season = g.game.season;

        // The chooser: Enter takes the team chosen.
        test::WhenModal([&](QWidget& window) {
            test::Activate(window);
            ExpectLegible(window, "chooser" + suffix);
            window.grab().save(test::ScreenPath(("principal_chooser" + suffix + ".png").c_str()));
            test::PressKey(window, Qt::Key_Return);
        });
        principal::ChoosePrincipal(shell);
        ASSERT_TRUE(season.history.principal.InCharge()) << suffix;
        EXPECT_TRUE(shell.main("lblPrincipal").visible);
        EXPECT_NE(shell.main("lblPrincipal").text.find(season.TimTable[1].TimNm), std::string::npos);

        // A call: Esc leaves the rules' answer.
        principal::Call call{"ピットイン", "12周目\r\n2位\r\n\r\n" + std::string(Tr("ピットインしますか？")), "ピットイン",
                             "ステイアウト", true};
        test::WhenModal([&](QWidget& window) {
            test::Activate(window);
            window.grab().save(test::ScreenPath(("principal_call" + suffix + ".png").c_str()));
            test::PressKey(window, Qt::Key_Escape);
        });
        EXPECT_TRUE(principal::Ask(shell, call));

        // The offer: every driver on one line.
        FrmKarvenOff market(shell);
        market.OffTimTable.push_back({"01", season.TimTable[1].TimNm, "0001", "3", "0", "0"});
        std::vector<int> available;
        for (int d = 1; d <= 12 && d < int(season.DrvTable.size()); ++d) {
            market.OffDrvTable.push_back({season.DrvTable[size_t(d)].TimNo, Format00(d), season.DrvTable[size_t(d)].DrvNm,
                                          FormatPlain(d), "12", FormatPlain(d), "30", "0"});
            available.push_back(d);
        }
        principal::FrmApproach approach(shell, market, 1, available, 4, nullptr);
        test::WhenModal([&](QWidget& window) {
            test::Activate(window);
            ExpectLegible(window, "approach" + suffix);
            window.grab().save(test::ScreenPath(("principal_approach" + suffix + ".png").c_str()));
            test::PressKey(window, Qt::Key_Return);
        });
        shell.platform.ShowModal(approach);
        EXPECT_EQ(approach.answer, principal::FrmApproach::Answer::Offer);
        EXPECT_EQ(approach.Chosen(), 4) << "Enter makes the evaluation's offer";

        // The record after a judged season.
        season.history.principal.seasons.push_back(
            {1, season.TimTable[1].TimNm, 2, 1, Verdict::Exceeded, true, false});
        test::WhenModal([&](QWidget& window) {
            test::Activate(window);
            ExpectLegible(window, "record" + suffix);
            window.grab().save(test::ScreenPath(("principal_record" + suffix + ".png").c_str()));
            test::PressKey(window, Qt::Key_Escape);
        });
        principal::ShowPrincipalPage(shell);
    }
}
