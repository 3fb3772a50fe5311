#include "session/Continue.h"

#include <filesystem>
#include <system_error>

#include "season/SeasonFile.h"
#include "season/Translate.h"
#include "session/Autosave.h"
#include "session/FrmAutosaves.h"
#include "shell/MainState.h"
#include "shell/Platform.h"
#include "shell/SeasonFiles.h"
#include "shell/Shell.h"

namespace karven {

namespace {
constexpr int Width = 560;
constexpr int Margin = 14;
constexpr int RowHeight = 34;
constexpr int ButtonWidth = 200;
constexpr int TextLeft = Margin + ButtonWidth + 12;

std::string FileNameOf(const std::string& path) {
    size_t slash = path.find_last_of(PathSeparator);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

// Whether `a` was written after `b`; a time that cannot be read counts as older.
bool Newer(const std::string& a, const std::string& b) {
    std::error_code ea, eb;
    auto ta = std::filesystem::last_write_time(a, ea);
    auto tb = std::filesystem::last_write_time(b, eb);
    return !ea && (eb || ta > tb);
}
} // namespace

FrmContinue::FrmContinue(Shell& shell, std::string file, std::string autosave, bool fileFirst)
    : Form(FormName, "前回の続き"), shell_(shell), file_(std::move(file)), autosave_(std::move(autosave)) {
    resizable = false;
    Control& head = Add(ControlKind::Label, "lblHead", {Margin, 12, Width - 2 * Margin, 24}, "前回のシーズンから続けますか？");
    head.style.bold = true;
    head.style.fontSize = 11;
    int top = 48;
    auto row = [&](const char* name, const char* caption, char key, const std::string& text, auto pick) {
        Control& b = Add(ControlKind::Button, name, {Margin, top, ButtonWidth, RowHeight - 4}, caption);
        b.accessKey = key;
        b.onClick = pick;
        Control& l = Add(ControlKind::Label, std::string("lbl") + (name + 3), {TextLeft, top, Width - TextLeft - Margin, RowHeight - 4});
        l.text = text;
        top += RowHeight;
    };
    if (!file_.empty())
        row("cmdFile", "ファイルから続ける", 'F', FileNameOf(file_), [this] {
            chosen = file_;
            chosenIsAutosave = false;
            Close();
        });
    if (!autosave_.empty())
        row("cmdAutosave", "自動保存から続ける", 'A', AutosaveEntry(autosave_), [this] {
            chosen = autosave_;
            chosenIsAutosave = true;
            Close();
        });
    row("cmdNew", "はじめから", 'N', Tr("初期データのシーズンで始めます。"), [this] {
        chosen.clear();
        Close();
    });
    geometry = {0, 0, Width, top + 8};
    cancelButton = "cmdNew";
    defaultButton = file_.empty() ? "cmdAutosave" : autosave_.empty() || fileFirst ? "cmdFile" : "cmdAutosave";
    keyButtons = {{"F", "cmdFile"}, {"A", "cmdAutosave"}, {"N", "cmdNew"}};
    std::erase_if(keyButtons, [this](const auto& key) { return !Find(key.second); });
}

void FrmContinue::Load() {
    chosen.clear();
    focusRequest = defaultButton;
}

void OfferLastSeason(Shell& shell) {
    std::string file = shell.platform.LastSeasonFile();
    if (!IsFile(file)) file.clear();
    std::vector<std::string> autosaves = ListAutosaves(shell.platform.AutosaveFolder());
    std::string autosave = autosaves.empty() ? "" : autosaves.front();
    if (file.empty() && autosave.empty()) return;
    FrmContinue form(shell, file, autosave, !autosave.empty() && !file.empty() && Newer(file, autosave));
    shell.platform.ShowModal(form);
    if (form.chosen.empty()) return;
    if (form.chosenIsAutosave) {
        OpenAutosaveFile(shell, form.chosen);
        return;
    }
    bool told = false;
    int code = LoadSeasonFile(shell, form.chosen, &told);
    if (code == LoadFailed) {
        if (!told) shell.platform.ShowWarning(Tr("データの読込に失敗しました！"));
        return;
    }
    if (code == LoadOk) SeasonSaved(shell, form.chosen);
    SetMainState(shell.main, SeasonState(shell.season));
}

} // namespace karven
