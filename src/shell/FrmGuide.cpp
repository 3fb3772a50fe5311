#include "shell/FrmGuide.h"

#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

namespace {
constexpr int Width = 620;
constexpr int Height = 600;
constexpr int Margin = 12;
} // namespace

FrmGuide::FrmGuide(Shell& shell) : Form("frmguide", "遊び方"), shell_(shell) {
    geometry = {0, 0, Width, Height};
    Control& text = Add(ControlKind::Document, "docGuide", {Margin, Margin, Width - 2 * Margin, Height - 3 * Margin - 30});
    text.style.fontSize = 10;
    Add(ControlKind::Button, "cmdOK", {Width - Margin - 100, Height - Margin - 30, 100, 30}, "閉じる").onClick = [this] {
        Close();
    };
    defaultButton = cancelButton = "cmdOK";
}

void FrmGuide::Load() {
    (*this)("docGuide").text = GuideText(shell_.platform.AppPath());
    focusRequest = "docGuide"; // the arrows and Page keys scroll at once
}

void ShowGuide(Shell& shell) {
    FrmGuide guide(shell);
    shell.platform.ShowModal(guide);
}

} // namespace karven
