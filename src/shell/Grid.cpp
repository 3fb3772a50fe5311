#include "shell/Grid.h"

#include "season/Translate.h"
#include "shell/FrmKarvenRace.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

void SetGridHeader(FrmKarvenRace& main, int mode) {
    static constexpr const char* Headings[5][6] = {
        {"", "", "", "", "", ""},
        {"No", N_("ドライバー"), N_("チーム"), "Time", "", ""},
        {"No", N_("ドライバー"), N_("チーム"), "Time", "PIT", "TIR"},
        {"No", N_("ドライバー"), N_("チーム"), N_("ﾎﾟｲﾝﾄ"), N_("ﾀｲﾄﾙ"), ""},
        {"No", N_("チーム"), "", N_("ﾎﾟｲﾝﾄ"), N_("ﾀｲﾄﾙ"), ""},
    };
    if (mode < 1 || mode > 5) return;
    main.gridMode = mode;
    for (int c = 1; c <= 6; ++c) main.lblT(c).text = Tr(Headings[mode - 1][c - 1]);
    main.SpanTeamColumn(mode == 5);
    if (mode == 1) SetTitle(main, [] { return std::string("KARVEN"); });
}

void SetTitle(FrmKarvenRace& main, std::function<std::string()> make) {
    main("lblTitle").text = make();
    main.retitle = std::move(make);
}

void ClearGrid(Shell& shell) {
    const std::string neutral = ColorFilePath(shell, "", 0);
    for (int k = 1; k <= GridRows; ++k) {
        for (int c = 1; c <= 6; ++c) {
            shell.main.lbl(c, k).text.clear();
            // The standings' title column explains its marks; a tip of the day is not a source text.
            shell.main.lbl(c, k).toolTip.clear();
            shell.main.lbl(c, k).toolTipSource.clear();
        }
        MarkRow(shell.main, k, false);
        shell.main.imgCo(k).picture = neutral;
    }
}

void MarkRow(FrmKarvenRace& main, int k, bool mine) {
    for (int c = 1; c <= 6; ++c) main.lbl(c, k).highlight = mine;
}

std::string ColorFilePath(Shell& shell, const std::string& colorNo, int useColor) {
    if (useColor != 0) {
        std::string path;
        WriteColorPath(path, ColorFolder(shell), colorNo);
        return path;
    }
    return shell.platform.AppPath() + "cls" + ".dat";
}

std::string ColorFolder(Shell& shell) { return shell.platform.AppPath() + "img" + PathSeparator + "color" + PathSeparator; }

void WriteColorPath(std::string& path, const std::string& folder, const std::string& colorNo) {
    path.assign(folder);
    path += colorNo;
    path += ".dat";
}

} // namespace karven
