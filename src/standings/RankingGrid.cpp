#include "standings/RankingGrid.h"

#include <algorithm>

#include "season/Season.h"
#include "season/Translate.h"
#include "season/Utf8.h"
#include "shell/Grid.h"
#include "shell/Platform.h"
#include "shell/Shell.h"
#include "standings/Rankings.h"

namespace karven {

namespace {
std::string RankingTitle(const char* name, const std::string& endGp) {
    return TrF("{1} (第{2}戦まで)", Tr(name), endGp);
}
} // namespace

void ShowDrvRanking(Shell& shell) {
    FrmKarvenRace& main = shell.main;
    SetTitle(main, [endGp = shell.season.Sis.EndGp] { return RankingTitle(N_("ﾄﾞﾗｲﾊﾞｰｽﾞﾗﾝｷﾝｸﾞ"), endGp); });
    SetGridHeader(main, 4);
    ClearGrid(shell);

    std::vector<DriverStanding> standings = DriverStandings(shell.season);
    // The grid has 32 rows; a 33rd scorer, impossible with 16 teams of two, is not drawn.
    int rows = std::min<int>(standings.size(), GridRows);
    for (int p = 1; p <= rows; ++p) {
        const DriverStanding& s = standings[p - 1];
        main.lbl(1, p).text = std::to_string(p);
        main.lbl(2, p).text = s.DrvNm;
        main.lbl(3, p).text = s.TimNm;
        main.lbl(4, p).text = s.Points;
        // A driver without a seat has no colour code: the path then ends in "<separator>.dat"
        // and the row keeps its neutral swatch.
        std::string path = ColorFilePath(shell, s.ColorNo, 1);
        if (Utf8FromEnd(path, 5) != std::string(1, PathSeparator)) main.imgCo(p).picture = path;
    }
}

void ShowTimRanking(Shell& shell) {
    FrmKarvenRace& main = shell.main;
    SetTitle(main, [endGp = shell.season.Sis.EndGp] { return RankingTitle(N_("ｺﾝｽﾄﾗｸﾀｰｽﾞﾗﾝｷﾝｸﾞ"), endGp); });
    SetGridHeader(main, 5);
    ClearGrid(shell);

    std::vector<TeamStanding> standings = TeamStandings(shell.season);
    int rows = std::min<int>(standings.size(), GridRows);
    for (int p = 1; p <= rows; ++p) {
        const TeamStanding& s = standings[p - 1];
        main.lbl(1, p).text = std::to_string(p);
        main.lbl(2, p).text = s.TimNm;
        main.lbl(4, p).text = s.Points;
        main.imgCo(p).picture = ColorFilePath(shell, s.ColorNo, 1);
    }
}

} // namespace karven
