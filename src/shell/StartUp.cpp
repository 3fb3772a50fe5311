#include "shell/StartUp.h"

#include "season/Translate.h"
#include "shell/FrmMain.h"
#include "shell/Grid.h"
#include "shell/MainState.h"
#include "shell/Platform.h"
#include "shell/SeasonFiles.h"
#include "shell/Shell.h"

namespace karven {

bool StartUp(Shell& shell) {
    FrmMain title;
    shell.platform.ShowModal(title);

    shell.season.Sis.EndGp = "0";
    shell.events = {};
    for (int i = 31; i <= 33; ++i) {
        Control& item = shell.main(EventItemName(i), i);
        item.visible = true;
        item.checked = true;
    }

    if (!LoadInitialData(shell)) {
        shell.platform.ShowWarning(Tr("初期データの読込に失敗しました！\r\n再インストールを行ってください。"));
        shell.platform.EndProgram();
        return false;
    }
    SeasonSaved(shell, ""); // nothing to save until the season changes

    shell.main.caption = "KARVEN";
    SetTitle(shell.main, [] { return std::string("KARVEN"); });
    SetGridHeader(shell.main, 1);
    SetRaceView(shell.main, RaceView::Commands);
    SetMainState(shell.main, CommandState::SeasonStart);
    return true;
}

} // namespace karven
