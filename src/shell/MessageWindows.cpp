#include "shell/MessageWindows.h"

#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

namespace {
constexpr int DialogWidth = 380;
constexpr int DialogHeight = 190;

void AddMessageLabel(Form& form, Rect rect) {
    Control& msg = form.Add(ControlKind::Label, "lblMsg", rect);
    msg.style.wrap = true;
    msg.style.fontSize = 11;
}
} // namespace

FrmMsgOk::FrmMsgOk(Shell& shell) : Form("frmMsgOk", "ﾒｯｾｰｼﾞ"), shell_(shell) {
    geometry = {0, 0, DialogWidth, DialogHeight};
    Add(ControlKind::Picture, "Image1", {16, 20, 32, 32}).picture = ":information";
    AddMessageLabel(*this, {60, 16, 304, 118});
    Add(ControlKind::Button, "cmdOk", {140, 144, 100, 30}, "OK").onClick = [this] { Close(); };
    defaultButton = cancelButton = "cmdOk";
}

void FrmMsgOk::Load() {
    (*this)("lblMsg").text = shell_.MsgText;
    PlaceTopRight(*this, shell_.main.geometry);
}

FrmMsgOkCancel::FrmMsgOkCancel(Shell& shell) : Form("frmmsgokcancel", "ﾒｯｾｰｼﾞ"), shell_(shell) {
    geometry = {0, 0, DialogWidth, DialogHeight};
    Add(ControlKind::Picture, "Image1", {16, 20, 32, 32}).picture = ":question";
    AddMessageLabel(*this, {60, 16, 304, 118});
    Add(ControlKind::Button, "cmdOk", {86, 144, 100, 30}, "OK").onClick = [this] {
        shell_.MsgResult = -1;
        Close();
    };
    Add(ControlKind::Button, "cmdCancel", {194, 144, 100, 30}, "Cancel").onClick = [this] {
        shell_.MsgResult = 0;
        Close();
    };
    defaultButton = "cmdOk";
    cancelButton = "cmdCancel";
}

void FrmMsgOkCancel::Load() {
    (*this)("lblMsg").text = shell_.MsgText;
    PlaceTopRight(*this, shell_.main.geometry);
}

FrmKarvenMsg::FrmKarvenMsg(Shell& shell) : Form("frmkarvenmsg", ""), shell_(shell) {
    geometry = {0, 0, 280, 200};
    AddMessageLabel(*this, {16, 12, 248, 136});
    Add(ControlKind::Button, "cmdOK", {90, 156, 100, 30}, "▼").onClick = [this] { Close(); };
    defaultButton = cancelButton = "cmdOK";
}

void FrmKarvenMsg::Load() {
    (*this)("lblMsg").text = shell_.MsgText;
    const Rect& main = shell_.main.geometry;
    geometry.top = main.top + main.height - geometry.height - CommentInsetBottom;
    geometry.left = main.left + main.width - geometry.width - CommentInsetRight;
}

void ShowOk(Shell& shell) {
    shell.MsgResult = -1;
    shell.platform.ShowModal(shell.msgOk());
}

int AskOkCancel(Shell& shell) {
    shell.MsgResult = -1;
    shell.platform.ShowModal(shell.msgOkCancel());
    return shell.MsgResult;
}

void ShowComment(Shell& shell) { shell.platform.ShowModal(shell.msgComment()); }

} // namespace karven
