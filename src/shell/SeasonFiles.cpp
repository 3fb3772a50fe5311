#include "shell/SeasonFiles.h"

#include "season/SeasonFile.h"
#include "season/Translate.h"
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
    void Refused(const std::string& text) override {
        Notice(text);
        refused = true;
    }
    bool refused = false;

private:
    Shell& shell_;
};

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

const char* SaveErrorText(SaveError error) {
    switch (error) {
    case SaveError::Unwritable: return Tr("ファイルに保存できない文字が含まれています");
    case SaveError::Permission: return Tr("書き込み権限がありません");
    case SaveError::NoSpace: return Tr("ディスクの空き容量が足りません");
    case SaveError::NoFolder: return Tr("保存先のフォルダーが見つかりません");
    case SaveError::NotAFile: return Tr("保存先はファイルではありません");
    case SaveError::TooLarge: return Tr("シーズンデータが大きすぎます");
    case SaveError::NameTooLong: return Tr("ファイル名が長すぎます");
    default: return Tr("書き込みに失敗しました");
    }
}

std::string FileNameOf(const std::string& path) {
    size_t slash = path.find_last_of(PathSeparator);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
} // namespace

int LoadSeasonFile(Shell& shell, const std::string& path, bool* told) {
    ShellDialogue dialogue(shell);
    int code = LoadSeasonFile(shell.season, path, dialogue);
    if (told) *told = dialogue.refused;
    return code;
}

bool LoadInitialData(Shell& shell) {
    ShellDialogue dialogue(shell);
    return LoadInitialData(shell.season, shell.platform.AppPath(), dialogue);
}

void OpenSeasonFile(Shell& shell) {
    if (!ConfirmDiscard(shell)) return;
    FrmKarvenRace& main = shell.main;
    main.ActDialog.Filter = Tr(SeasonFileFilter);
    std::string name = shell.platform.ChooseFile(FileDialogMode::Open, main.ActDialog.Filter, main.ActDialog.FileName);
    if (name.empty()) return;
    main.ActDialog.FileName = name;
    bool told = false;
    int code = LoadSeasonFile(shell, name, &told);
    if (code == LoadFailed) {
        if (!told) shell.platform.ShowWarning(Tr("データの読込に失敗しました！"));
        return;
    }
    if (code == LoadOk) SeasonSaved(shell, name);
    SetMainState(main, SeasonState(shell.season));
}

namespace {
bool WriteTo(Shell& shell, const std::string& name) {
    SaveError why;
    if (!WriteSeasonFile(shell.season, name, why)) {
        shell.platform.ShowWarning(TrF("データ保存に失敗しました！\r\n{1}\r\n{2}", name, SaveErrorText(why)));
        return false;
    }
    SeasonSaved(shell, name);
    return true;
}
} // namespace

bool SaveSeasonFile(Shell& shell) {
    FrmKarvenRace& main = shell.main;
    main.ActDialog.Filter = Tr(SeasonFileFilter);
    std::string name = shell.platform.ChooseFile(FileDialogMode::Save, main.ActDialog.Filter, main.ActDialog.FileName);
    if (name.empty()) return false;
    if (!EndsWith(name, ".krv")) name += ".krv";
    main.ActDialog.FileName = name;
    return WriteTo(shell, name);
}

bool SaveSeasonInPlace(Shell& shell) {
    if (shell.SeasonFile.empty()) return SaveSeasonFile(shell);
    if (!WriteTo(shell, shell.platform.SaveInPlacePath(shell.SeasonFile))) return false;
    shell.platform.ShowStatus(TrF("{1} に保存しました。", FileNameOf(shell.SeasonFile)));
    return true;
}

bool HasUnsavedWork(const Shell& shell) { return shell.season != shell.SavedSeason; }

bool ConfirmDiscard(Shell& shell) {
    if (!HasUnsavedWork(shell)) return true;
    FrmAskSave ask(shell);
    shell.platform.ShowModal(ask);
    switch (ask.answer) {
    case FrmAskSave::Answer::Save: return SaveSeasonFile(shell);
    case FrmAskSave::Answer::Discard: return true;
    default: return false;
    }
}

void SeasonSaved(Shell& shell, const std::string& path) {
    shell.SeasonFile = path;
    shell.SavedSeason = shell.season;
    if (!path.empty()) shell.platform.RememberSeasonFile(path);
    ShowSeasonCaption(shell);
}

void ShowSeasonCaption(Shell& shell) {
    bool unsaved = HasUnsavedWork(shell);
    std::string caption = "KARVEN";
    if (unsaved || !shell.SeasonFile.empty())
        caption += std::string(" - ") + (unsaved ? "*" : "") + FileNameOf(shell.SeasonFile);
    const PrincipalState& principal = shell.season.history.principal;
    if (principal.InCharge()) caption += TrF(" ［監督：{1}］", principal.TimNm);
    shell.main.caption = caption;
}

} // namespace karven
