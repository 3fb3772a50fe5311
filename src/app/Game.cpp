#include "app/Game.h"

#include "editors/DrvSet.h"
#include "editors/SisSet.h"
#include "editors/TimSet.h"
#include "offseason/Market.h"
#include "race/Race.h"
#include "shell/FrmMain.h"
#include "shell/MainState.h"
#include "shell/Platform.h"
#include "shell/SeasonFiles.h"
#include "shell/StartUp.h"
#include "standings/DrvSei.h"
#include "standings/RankingGrid.h"
#include "standings/Seiseki.h"
#include "weekend/NewSeason.h"
#include "weekend/Qualifying.h"

namespace karven {

Game::Game(Platform& platform, Random& random) : shell(season, platform, random) { WireMainWindow(); }

bool Game::StartUp() { return karven::StartUp(shell); }

void Game::WireMainWindow() {
    FrmKarvenRace& main = shell.main;
    Platform& platform = shell.platform;

    main("cmdYosen").onClick = [this] { RunQualifying(shell, weekend); };
    main("cmdKesyou").onClick = [this] { RunKesyou(shell, weekend); };
    main("File_open").onClick = [this] { OpenSeasonFile(shell); };
    main("File_update").onClick = [this] { SaveSeasonFile(shell); };
    main("File_End").onClick = [&platform] { platform.EndProgram(); };
    main("cmdEnd").onClick = [&platform] { platform.EndProgram(); };
    for (int i = 31; i <= 33; ++i) {
        main(EventItemName(i), i).onClick = [this, i] { ToggleEvent(shell, i); };
    }
    main("Eve_Auto").onClick = [this] { ToggleAutoAdvance(shell); };
    for (int i = 1; i <= 3; ++i) main("Eve_Delay", i).onClick = [this, i] { ChooseAutoPace(shell, i); };
    main("cmdStart").onClick = [this] { NewSeason(shell); };
    main("cmdDrvRank").onClick = [this] { ShowDrvRanking(shell); };
    main("cmdTimRank").onClick = [this] { ShowTimRanking(shell); };
    main("cmdSeiseki").onClick = [this] { ShowSeiseki(shell); };
    main("cmdDrvSei").onClick = [this] { ShowDrvSei(shell, "01"); };
    main("cmdOffSis").onClick = [this] { ShowOff(shell); };
    main("Set_Sis", 21).onClick = [this] { ShowSisSet(shell); };
    main("Set_Tim", 22).onClick = [this] { ShowTimSet(shell); };
    main("Set_Drv", 23).onClick = [this] { ShowDrvSet(shell); };
    main("Ana_Odds").onClick = [this, &platform] { platform.ShowAnalysis(Analysis::Odds, shell); };
    main("Ana_Points").onClick = [this, &platform] { platform.ShowAnalysis(Analysis::Points, shell); };
    main("Help_Ver").onClick = [&platform] {
        FrmMain title;
        platform.ShowModal(title);
    };
}

} // namespace karven
