#include "standings/RankingGrid.h"

#include <algorithm>

#include "season/Season.h"
#include "season/Translate.h"
#include "season/Utf8.h"
#include "shell/Grid.h"
#include "shell/Platform.h"
#include "shell/Shell.h"
#include "standings/Rankings.h"
#include "standings/Summaries.h"
#include "standings/TitleColumn.h"

namespace karven {

namespace {
// Beside the points: whether each can still take the title, in standings order (the same order as
// the rows: points, then table order).
void ShowTitleColumn(Shell& shell, Title title, int rows) {
    FrmKarvenRace& main = shell.main;
    TitleRace race = JudgeTitle(shell.season, title);
    std::vector<double> points;
    std::vector<int> listed;
    for (const TitleChance& c : race.entries)
        if (title == Title::Drivers ? c.points >= 1 : c.points > 0) {
            points.push_back(c.points);
            listed.push_back(c.unit);
        }
    std::vector<int> order = RankOrder(points);
    for (int p = 1; p <= rows && p <= int(order.size()); ++p) {
        const TitleChance& c = race.entries[listed[order[p - 1]] - 1];
        main.lbl(5, p).text = TitleMark(c);
        main.lbl(5, p).toolTip = TitleTip(c);
    }
}

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
    ShowTitleColumn(shell, Title::Drivers, rows);
    for (int p = 1; p <= rows; ++p) {
        const DriverStanding& s = standings[p - 1];
        main.lbl(1, p).text = std::to_string(p);
        main.lbl(2, p).text = s.DrvNm;
        main.lbl(3, p).text = s.TimNm;
        main.lbl(4, p).text = s.Points;
        MarkRow(main, p, shell.season.history.principal.Runs(s.TimNo));
        // A driver without a seat has no colour code: the path then ends in "<separator>.dat"
        // and the row keeps its neutral swatch.
        std::string path = ColorFilePath(shell, s.ColorNo, 1);
        if (Utf8FromEnd(path, 5) != std::string(1, PathSeparator)) main.imgCo(p).picture = path;
    }
    main.Announce(DriverStandingsSummary(shell.season));
}

void ShowTimRanking(Shell& shell) {
    FrmKarvenRace& main = shell.main;
    SetTitle(main, [endGp = shell.season.Sis.EndGp] { return RankingTitle(N_("ｺﾝｽﾄﾗｸﾀｰｽﾞﾗﾝｷﾝｸﾞ"), endGp); });
    SetGridHeader(main, 5);
    ClearGrid(shell);

    std::vector<TeamStanding> standings = TeamStandings(shell.season);
    int rows = std::min<int>(standings.size(), GridRows);
    ShowTitleColumn(shell, Title::Teams, rows);
    for (int p = 1; p <= rows; ++p) {
        const TeamStanding& s = standings[p - 1];
        main.lbl(1, p).text = std::to_string(p);
        main.lbl(2, p).text = s.TimNm;
        main.lbl(4, p).text = s.Points;
        MarkRow(main, p, shell.season.history.principal.Runs(s.TimNo));
        main.imgCo(p).picture = ColorFilePath(shell, s.ColorNo, 1);
    }
    main.Announce(TeamStandingsSummary(shell.season));
}

} // namespace karven
