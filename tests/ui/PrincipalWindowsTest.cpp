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
#include "history/Archive.h"
#include "history/FrmSeasonSummary.h"
#include <QLabel>
#include <QPushButton>
#include "season/Numbers.h"
#include "shell/MessageWindows.h"
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
                             "ステイアウト", true, ""};
        test::WhenModal([&](QWidget& window) {
            test::Activate(window);
            window.grab().save(test::ScreenPath(("principal_call" + suffix + ".png").c_str()));
            test::PressKey(window, Qt::Key_Escape);
        });
        EXPECT_TRUE(principal::Ask(shell, call));

        // Played on to it: what passed unseen above the situation, the buttons still in the window.
        call.summary = TrF("見ていない間（{1}周目から）", "3") + "\r\n" + TrF("{1}　{2}位 → {3}位", season.DrvTable[1].DrvNm, "5", "2") +
                       "\r\n" + TrF("{1}　リタイア", season.DrvTable[2].DrvNm) + "\r\n" + TrF("リタイア {1}台", "4") +
                       "\r\n" + TrF("天気 {1} → {2}", Tr("晴れ"), Tr("雨")) + "\r\n";
        test::WhenModal([&](QWidget& window) {
            test::Activate(window);
            auto* since = window.findChild<QLabel*>("lblSummary");
            ASSERT_NE(since, nullptr) << suffix;
            EXPECT_LE(since->heightForWidth(since->width()), since->height()) << "the summary reads whole" << suffix;
            window.grab().save(test::ScreenPath(("principal_call_summary" + suffix + ".png").c_str()));
            test::PressKey(window, Qt::Key_Y);
        });
        EXPECT_TRUE(principal::Ask(shell, call));

        // A commentary window offers 次の判断まで beside スキップ to a principal: D takes it.
        shell.SkipOffered = true;
        shell.MsgText = TrF("{1}周目", 12) + "\r\n\r\n" + TrF("天気は {1}", Tr("くもり"));
        test::WhenModal([&](QWidget& window) {
            test::Activate(window);
            for (const char* name : {"cmdOK", "cmdSkip", "cmdDecide"}) {
                auto* button = window.findChild<QPushButton*>(name);
                ASSERT_NE(button, nullptr) << name;
                EXPECT_TRUE(button->isVisible()) << name;
                EXPECT_LE(button->sizeHint().width(), button->width()) << name << suffix;
                EXPECT_LE(button->geometry().right(), window.width()) << name << suffix;
            }
            window.grab().save(test::ScreenPath(("principal_comment" + suffix + ".png").c_str()));
            test::PressKey(window, Qt::Key_D);
        });
        ShowComment(shell);
        EXPECT_TRUE(shell.SkipRequested && shell.PlayToDecision);
        shell.SkipOffered = shell.SkipRequested = shell.PlayToDecision = false;

        // The offer: every driver on one line.
        FrmKarvenOff market(shell);
        market.OffTimTable.push_back({"01", season.TimTable[1].TimNm, "0001", 3});
        std::vector<int> available;
        for (int d = 1; d <= 12 && d < int(season.DrvTable.size()); ++d) {
            market.OffDrvTable.push_back({season.DrvTable[size_t(d)].TimNo, Format00(d), season.DrvTable[size_t(d)].DrvNm, d, 12, d, 30});
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

// Whether a label shows all of its text at the size it was given: the binder elides what does
// not fit with "…".
bool ShowsWhole(const QLabel& label) {
    return label.isVisible() && !label.text().contains(QChar(0x2026)) &&
           (!label.wordWrap() || label.heightForWidth(label.width()) <= label.height());
}

TEST(PrincipalWindows, TheMainWindowShowsTheTeamAndTheSummaryTheVerdict) {
    for (Language language : {Language::Japanese, Language::English}) {
        LanguageScope scope(language);
        const std::string suffix = language == Language::English ? "_en" : "";
        test::GameUnderTest g(34);
        g.Start([](Season& s) {
            GameRandom random(34);
            while (PlayGrandPrix(s, random, {})) {
            }
        });
        Shell& shell = g.game.shell;
        Season& season = g.game.season;
        // The team with the longest name: the panel must still show it whole.
        size_t longest = 1;
        for (size_t t = 2; t < season.TimTable.size(); ++t)
            if (season.TimTable[t].TimNm.size() > season.TimTable[longest].TimNm.size()) longest = t;
        principal::TakeCharge(season, season.TimTable[longest].TimNo);
        principal::ShowPrincipal(shell);
        g.binder.RefreshAll();
        auto* label = g.window.findChild<QLabel*>("lblPrincipal");
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(ShowsWhole(*label)) << suffix << ": " << label->text().toStdString();
        EXPECT_NE(label->text().toStdString().find(season.TimTable[longest].TimNm), std::string::npos);
        g.window.grab().save(test::ScreenPath(("principal_main" + suffix + ".png").c_str()));

        ArchiveSeason(season, SeasonSoFar(season));
        auto judged = principal::Judge(season);
        ASSERT_TRUE(judged.has_value());
        judged->dismissed = true; // the longest verdict: the job lost with it
        const std::string verdict = principal::VerdictMessage(*judged);
        test::WhenModal([&](QWidget& window) {
            test::Activate(window);
            auto* shown = window.findChild<QLabel*>("lblVerdict");
            ASSERT_NE(shown, nullptr);
            // The binder breaks the lines where the label needs them.
            auto unbroken = [](QString text) { return text.remove('\r').remove('\n').remove(' ').toStdString(); };
            EXPECT_EQ(unbroken(shown->text()), unbroken(QString::fromStdString(verdict)));
            EXPECT_TRUE(ShowsWhole(*shown)) << suffix << ": " << verdict;
            window.grab().save(test::ScreenPath(("principal_summary" + suffix + ".png").c_str()));
            test::PressKey(window, Qt::Key_Return);
        });
        ShowSeasonSummary(shell, {}, verdict);
    }
}
