#include "offseason/NewSeason.h"

#include <algorithm>

#include "history/Archive.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Grid.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "shell/Shell.h"

namespace karven {

namespace {
// A count never reaches past its table, whatever a file said.
int Bounded(const std::string& count, size_t tableSize) {
    return std::clamp(ReadCount(count), 0, int(tableSize) - 1);
}
} // namespace

void NewSeason(Shell& shell) {
    shell.MsgText = Tr("今シーズンの成績は消去されますが\r\nよろしいですか？");
    if (AskOkCancel(shell) == 0) return;

    shell.MsgText = Tr("ドライバーの過去履歴も\r\n消去しますか？");
    int clearHistory = AskOkCancel(shell) != 0 ? 1 : 0;

    CloseForNewSeason(shell.season, clearHistory == 1);
    ResetSeason(shell.season, clearHistory);
    SetGridHeader(shell.main, 1);
    ClearGrid(shell);
    SetMainState(shell.main, CommandState::SeasonStart);
}

void ResetSeason(Season& season, int clearHistory) {
    int teams = Bounded(season.TimCount, season.TimTable.size());
    for (int t = 1; t <= teams; ++t) season.TimTable[t].Points = "0";

    int drivers = Bounded(season.DrvCount, season.DrvTable.size());
    for (int d = 1; d <= drivers; ++d) {
        DrvRecord& driver = season.DrvTable[d];
        // All slots, whatever GpCount is: a shorter calendar must not keep old results.
        for (int k = 1; k <= ResultSlots; ++k) driver.Result[k].clear();
        if (clearHistory == 1) {
            for (std::string* field : {&driver.CareerFl, &driver.CareerGp, &driver.CareerPoints,
                                       &driver.CareerPp, &driver.CareerBest, &driver.CareerWc,
                                       &driver.CareerWins})
                *field = "0";
        }
    }
    season.Sis.EndGp = "0";
    season.history.ClearSeasonRaces(); // a season not yet raced has no race records
}

} // namespace karven
