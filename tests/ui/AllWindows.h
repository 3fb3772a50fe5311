#pragma once
// Every window of the game that opens over the main window, and how to open it.

#include <functional>
#include <string>
#include <vector>

#include "GameUnderTest.h"
#include "editors/DrvSet.h"
#include "editors/GpSet.h"
#include "editors/SisSet.h"
#include "editors/TimSet.h"
#include "history/Archive.h"
#include "history/FrmSeasonSummary.h"
#include "history/HistoryWindows.h"
#include "management/FrmHeadquarters.h"
#include "management/Management.h"
#include "offseason/FrmKarvenOff.h"
#include "offseason/Market.h"
#include "principal/Board.h"
#include "principal/FrmApproach.h"
#include "principal/FrmCall.h"
#include "principal/FrmPrincipal.h"
#include "season/Numbers.h"
#include "session/Continue.h"
#include "season/SeasonFile.h"
#include "session/FrmAutosaves.h"
#include "shell/FrmGuide.h"
#include "shell/FrmMain.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "standings/DrvSei.h"
#include "standings/Seiseki.h"

namespace karven::test {

struct WindowOpener {
    const char* window;
    std::function<void(GameUnderTest&)> open;
};

inline void FinishSeason(GameUnderTest& g) {
    g.game.season.Sis.EndGp = g.game.season.Sis.GpCount;
    SetMainState(g.game.shell.main, CommandState::SeasonOver);
}

// The offer window of team 01 over the season's first three drivers.
inline void ShowApproach(GameUnderTest& g) {
    FrmKarvenOff market(g.game.shell);
    market.OffTimTable.push_back({"01", g.game.season.TimTable[1].TimNm, "0001", 3});
    for (int d = 1; d <= 3; ++d)
        market.OffDrvTable.push_back({"", Format00(d), g.game.season.DrvTable[size_t(d)].DrvNm, d, 12, d, 30});
    principal::FrmApproach approach(g.game.shell, market, 1, {1, 2, 3}, 2, nullptr);
    g.platform.ShowModal(approach);
}

inline std::vector<WindowOpener> AllWindows() {
    return {
        {"frmmain", [](auto& g) { g.game.shell.main.Click("Help_Ver"); }},
        {"frmguide", [](auto& g) { g.game.shell.main.Click("Help_Howto"); }},
        {"frmMsgOk", [](auto& g) { g.game.shell.MsgText = "KARVEN"; ShowOk(g.game.shell); }},
        {"frmMsgOk+skip",
         [](auto& g) {
             g.game.shell.SkipOffered = true;
             ShowOk(g.game.shell);
         }},
        {"frmmsgokcancel", [](auto& g) { AskOkCancel(g.game.shell); }},
        {"frmkarvenmsg+skip",
         [](auto& g) {
             g.game.shell.SkipOffered = true;
             ShowComment(g.game.shell);
         }},
        {"frmasksave",
         [](auto& g) {
             FrmAskSave ask(g.game.shell);
             g.platform.ShowModal(ask);
         }},
        {"frmkarvenautosave",
         [](auto& g) {
             FrmAutosaves list(g.game.shell, {std::string(KARVEN_BIN_DIR) + InitialDataFile});
             g.platform.ShowModal(list);
         }},
        {"frmkarvenseiseki", [](auto& g) { ShowSeiseki(g.game.shell); }},
        {"frmkarvenDrvSei", [](auto& g) { ShowDrvSei(g.game.shell, "02"); }},
        {"frmkarvenoff",
         [](auto& g) {
             FinishSeason(g);
             ShowOff(g.game.shell);
         }},
        {"frmkarvensisset", [](auto& g) { ShowSisSet(g.game.shell); }},
        {"frmkarvengpset",
         [](auto& g) {
             FrmKarvenSisSet settings(g.game.shell);
             FrmKarvenGpSet calendar(g.game.shell, &settings);
             g.platform.ShowModal(calendar);
         }},
        {"frmkarventimset", [](auto& g) { ShowTimSet(g.game.shell); }},
        {"frmkarvendrvset", [](auto& g) { ShowDrvSet(g.game.shell); }},
        {"frmkarvenchampions", [](auto& g) { ShowChampions(g.game.shell); }},
        {"frmkarvenpast", [](auto& g) { ShowPastSeason(g.game.shell); }},
        {"frmkarvenalltime", [](auto& g) { ShowAllTimeRecords(g.game.shell); }},
        {"frmkarvendrvpage", [](auto& g) { ShowDriverPage(g.game.shell); }},
        {"frmkarventimpage", [](auto& g) { ShowTeamPage(g.game.shell); }},
        {"frmkarvensummary",
         [](auto& g) {
             FrmSeasonSummary summary(g.game.shell, SeasonSoFar(g.game.season));
             g.platform.ShowModal(summary);
         }},
        {"frmkarvenprincipal",
         [](auto& g) {
             principal::FrmPrincipal chooser(g.game.shell);
             g.platform.ShowModal(chooser);
         }},
        {"frmkarvenprincipalpage",
         [](auto& g) {
             principal::TakeCharge(g.game.season, "01");
             principal::FrmPrincipalPage page(g.game.shell);
             g.platform.ShowModal(page);
         }},
        {"frmkarvencall",
         [](auto& g) {
             // As asked after 次の判断まで, with what passed unseen.
             principal::Ask(g.game.shell, {"ピットイン", Tr("ピットインしますか？"), "ピットイン", "ステイアウト", true,
                                           TrF("見ていない間（{1}周目から）", 3) + "\r\n" + TrF("リタイア {1}台", 2)});
         }},
        {"frmkarvenapproach",
         [](auto& g) {
             ShowApproach(g);
         }},
        {"frmkarvenheadquarters",
         [](auto& g) {
             // A team run with money, its books holding two races (booked without running them:
             // the window is what is looked at).
             principal::TakeCharge(g.game.season, "08");
             g.game.FollowPrincipal();
             for (int gp = 0; gp < 2; ++gp)
                 management::BookRace(g.game.season, management::PointsBefore(g.game.season), management::Policy::Player);
             management::ShowHeadquarters(g.game.shell);
         }},
        {"frmkarvenapproach+money",
         [](auto& g) {
             principal::TakeCharge(g.game.season, "01");
             g.game.FollowPrincipal();
             ShowApproach(g);
         }},
        {"frmkarvencontinue",
         [](auto& g) {
             FrmContinue offer(g.game.shell, std::string(KARVEN_BIN_DIR) + InitialDataFile, "", true);
             g.platform.ShowModal(offer);
         }},
        {"frmOdds", [](auto& g) { g.game.shell.main.Click("Ana_Odds"); }},
        {"frmPoints", [](auto& g) { g.game.shell.main.Click("Ana_Points"); }},
        {"frmRaceAna", [](auto& g) { g.game.shell.main.Click("Ana_Race"); }},
    };
}

} // namespace karven::test
