#include "shell/SeasonFiles.h"

#include "season/Numbers.h"
#include "season/SeasonFile.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

namespace {
class ShellDialogue final : public LoadDialogue {
public:
    explicit ShellDialogue(Shell& shell) : shell_(shell) {}
    void Notice(const std::string& text) override {
        shell_.MsgText = text;
        ShowOk(shell_);
    }
    bool Confirm(const std::string& text) override {
        shell_.MsgText = text;
        return AskOkCancel(shell_) != 0;
    }

private:
    Shell& shell_;
};

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}
} // namespace

int LoadSeasonFile(Shell& shell, const std::string& path) {
    ShellDialogue dialogue(shell);
    return LoadSeasonFile(shell.season, path, dialogue);
}

bool LoadInitialData(Shell& shell) {
    ShellDialogue dialogue(shell);
    return LoadInitialData(shell.season, shell.platform.AppPath(), dialogue);
}

void OpenSeasonFile(Shell& shell) {
    FrmKarvenRace& main = shell.main;
    main.ActDialog.Filter = SeasonFileFilter;
    std::string name = shell.platform.ChooseFile(FileDialogMode::Open, main.ActDialog.Filter, main.ActDialog.FileName);
    if (name.empty()) return;
    main.ActDialog.FileName = name;
    int code = LoadSeasonFile(shell, name);
    if (code == LoadFailed) {
        shell.platform.ShowWarning("データの読込に失敗しました！");
        return;
    }
    SetMainState(main, ReadCount(shell.season.Sis.GpCount) > ReadCount(shell.season.Sis.EndGp) ? 2 : 4);
}

void SaveSeasonFile(Shell& shell) {
    FrmKarvenRace& main = shell.main;
    main.ActDialog.Filter = SeasonFileFilter;
    std::string name = shell.platform.ChooseFile(FileDialogMode::Save, main.ActDialog.Filter, main.ActDialog.FileName);
    if (name.empty()) return;
    if (!EndsWith(name, ".krv")) name += ".krv";
    main.ActDialog.FileName = name;
    if (!WriteSeasonFile(shell.season, name)) shell.platform.ShowWarning("データ保存に失敗しました！");
}

} // namespace karven
