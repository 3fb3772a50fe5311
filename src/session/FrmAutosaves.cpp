#include "session/FrmAutosaves.h"

#include "season/Numbers.h"
#include "season/SeasonFile.h"
#include "season/Translate.h"
#include "session/Autosave.h"
#include "shell/MainState.h"
#include "shell/Platform.h"
#include "shell/SeasonFiles.h"
#include "shell/Shell.h"
#include "standings/Rankings.h"

namespace karven {

namespace {
constexpr int Width = 520;
constexpr int Margin = 12;
constexpr int ListTop = 38;
constexpr int ListHeight = 230;
constexpr int ButtonTop = ListTop + ListHeight + 12;
} // namespace

std::string AutosaveEntry(const std::string& path) {
    std::string entry = AutosaveTime(path);
    Season season;
    // The facts one after another, spaced as the language spaces them.
    auto then = [&entry](const std::string& fact) { entry = TrF("{1}　{2}", entry, fact); };
    if (!ReadSeasonFile(season, path)) {
        then(Tr("（読み込めません）"));
        return entry;
    }
    int done = ReadCount(season.Sis.EndGp);
    then(done > 0 ? TrF("第{1}戦まで", done) : Tr("開幕前"));
    std::vector<DriverStanding> standings = DriverStandings(season);
    if (!standings.empty()) then(TrF("首位 {1}", standings.front().DrvNm));
    return entry;
}

FrmAutosaves::FrmAutosaves(Shell& shell, std::vector<std::string> paths)
    : Form("frmkarvenautosave", "自動保存から開く"), shell_(shell), paths_(std::move(paths)) {
    geometry = {0, 0, Width, ButtonTop + 30 + Margin};
    Add(ControlKind::Label, "lblHead", {Margin, 10, Width - 2 * Margin, 22});
    Control& list = Add(ControlKind::ListBox, "lstSave", {Margin, ListTop, Width - 2 * Margin, ListHeight});
    for (const std::string& path : paths_) list.items.push_back(AutosaveEntry(path));
    Add(ControlKind::Button, "cmdOpen", {Width - Margin - 208, ButtonTop, 100, 30}, "開く").onClick = [this] {
        int i = (*this)("lstSave").listIndex;
        if (i < 0 || i >= int(paths_.size())) return;
        chosen = paths_[i];
        Close();
    };
    Add(ControlKind::Button, "cmdCancel", {Width - Margin - 100, ButtonTop, 100, 30}, "キャンセル").onClick = [this] {
        Close();
    };
    defaultButton = "cmdOpen";
    cancelButton = "cmdCancel";
}

void FrmAutosaves::Load() {
    chosen.clear();
    PlaceTopRight(*this, shell_.main.geometry);
    bool any = !paths_.empty();
    (*this)("lblHead").text = Tr(any ? "開く自動保存を選んでください（新しい順）。" : "自動保存はまだありません。");
    Control& list = (*this)("lstSave");
    list.listIndex = any ? 0 : -1;
    (*this)("cmdOpen").enabled = any;
    focusRequest = any ? "lstSave" : "cmdCancel";
}

void OpenAutosave(Shell& shell) {
    if (!ConfirmDiscard(shell)) return;
    FrmAutosaves form(shell, ListAutosaves(shell.platform.AutosaveFolder()));
    shell.platform.ShowModal(form);
    if (!form.chosen.empty()) OpenAutosaveFile(shell, form.chosen);
}

void OpenAutosaveFile(Shell& shell, const std::string& path) {
    bool told = false;
    int code = LoadSeasonFile(shell, path, &told);
    if (code == LoadFailed) {
        if (!told) shell.platform.ShowWarning(Tr("データの読込に失敗しました！"));
        return;
    }
    if (code == LoadOk) {
        shell.SeasonFile.clear(); // an autosave is the game's copy, not a file of the player's
        ShowSeasonCaption(shell);
    }
    SetMainState(shell.main, SeasonState(shell.season));
}

} // namespace karven
