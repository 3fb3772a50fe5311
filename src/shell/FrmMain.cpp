#include "shell/FrmMain.h"

#include "season/Translate.h"
#include "shell/Version.h"

namespace karven {

FrmMain::FrmMain() : Form("frmmain") {
    geometry = {0, 0, 360, 220};
    resizable = false;
    Control& ver = Add(ControlKind::Label, "lblVer", {20, 30, 320, 90});
    ver.style.fontSize = 36;
    ver.style.bold = true;
    ver.style.align = Align::Center;
    // Beside the program's name: which build this is.
    Control& build = Add(ControlKind::Label, "lblBuild", {20, 118, 320, 24}, TrF("バージョン {1}", KARVEN_VERSION));
    build.style.align = Align::Center;
    Add(ControlKind::Button, "cmdOK", {130, 160, 100, 32}, "OK").onClick = [this] { Close(); };
    defaultButton = cancelButton = "cmdOK";
}

void FrmMain::Load() {
    caption = "KARVEN";
    (*this)("lblVer").text = "KARVEN";
}

} // namespace karven
