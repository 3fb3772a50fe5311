#include "shell/MessageWindows.h"

#include <algorithm>

#include "season/Translate.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

namespace {
// As narrow as the main window's message column: longer texts wrap.
constexpr int DialogWidth = 334;
constexpr int CommentWidth = 280;
constexpr int DialogHeight = 210;

void AddMessageLabel(Form& form, Rect rect) {
    form.resizable = false; // a message keeps its size; the main window's scale sets it
    Control& msg = form.Add(ControlKind::Label, "lblMsg", rect);
    msg.style.wrap = true;
    msg.style.fontSize = 11;
}

// スキップ beside the window's button: the rest of the race or qualifying plays without windows.
Control& AddSkip(Form& form, Shell& shell, Rect rect) {
    Control& skip = form.Add(ControlKind::Button, "cmdSkip", rect, "スキップ");
    skip.accessKey = 'S';
    skip.visible = false;
    skip.onClick = [&form, &shell] {
        shell.SkipRequested = true;
        shell.PlayToDecision = false;
        form.Close();
    };
    form.keyButtons.push_back({"S", "cmdSkip"});
    Control& decide = form.Add(ControlKind::Button, "cmdDecide", rect, "次の判断まで");
    decide.accessKey = 'D';
    decide.visible = false;
    decide.toolTip = "監督の次の判断まで一気に進めます。見ていない間の経過は、判断のときにまとめてお知らせします。";
    decide.onClick = [&form, &shell] {
        shell.SkipRequested = shell.PlayToDecision = true;
        form.Close();
    };
    form.keyButtons.push_back({"D", "cmdDecide"});
    return skip;
}

// While a race or qualifying shows, the button stands aside for スキップ and the window may close
// by itself.
void OfferSkip(Form& form, Shell& shell, Control& button, Control& skip, int alone, int beside, int width) {
    skip.visible = skip.enabled = shell.SkipOffered;
    // A team principal's calls are left to the rules' rolls once he skips; 次の判断まで keeps them his.
    const bool principal = shell.season.history.principal.InCharge();
    skip.toolTip = principal
                       ? Tr("残りを一気に進めます。監督の判断（ピットイン・タイヤ・残留・オファー）はルールどおりに決まります。")
                       : "";
    Control& decide = form("cmdDecide");
    decide.visible = decide.enabled = shell.SkipOffered && principal;
    button.rect.left = shell.SkipOffered ? beside : alone;
    skip.rect.left = button.rect.left + button.rect.width + 8;
    form.geometry.width = width;
    if (decide.visible) {
        // Three buttons share the row, the window widened for them.
        constexpr int Margin = 12, Gap = 6, ButtonWidth = 112;
        form.geometry.width = std::max(width, 2 * Margin + 3 * ButtonWidth + 2 * Gap);
        int left = (form.geometry.width - 3 * ButtonWidth - 2 * Gap) / 2;
        for (Control* c : {&button, &skip, &decide}) {
            c->rect.left = left;
            c->rect.width = ButtonWidth;
            left += ButtonWidth + Gap;
        }
    } else {
        button.rect.width = skip.rect.width = decide.rect.width;
    }
    form.autoCloseMs = shell.SkipOffered ? shell.AutoAdvanceMs : 0;
}
} // namespace

FrmMsgOk::FrmMsgOk(Shell& shell) : Form("frmMsgOk", "ﾒｯｾｰｼﾞ"), shell_(shell) {
    geometry = {0, 0, DialogWidth, DialogHeight};
    Control& icon = Add(ControlKind::Picture, "Image1", {16, 20, 32, 32});
    icon.picture = ":information";
    icon.spoken = "お知らせ";
    AddMessageLabel(*this, {56, 14, 266, 144});
    Add(ControlKind::Button, "cmdOk", {117, 168, 100, 30}, "OK").onClick = [this] { Close(); };
    AddSkip(*this, shell, {171, 168, 100, 30});
    defaultButton = cancelButton = "cmdOk";
}

void FrmMsgOk::Load() {
    (*this)("lblMsg").text = shell_.MsgText;
    OfferSkip(*this, shell_, (*this)("cmdOk"), (*this)("cmdSkip"), 117, 63, DialogWidth);
    PlaceTopRight(*this, shell_.main.geometry);
}

FrmMsgOkCancel::FrmMsgOkCancel(Shell& shell) : Form("frmmsgokcancel", "ﾒｯｾｰｼﾞ"), shell_(shell) {
    geometry = {0, 0, DialogWidth, DialogHeight};
    Control& icon = Add(ControlKind::Picture, "Image1", {16, 20, 32, 32});
    icon.picture = ":question";
    icon.spoken = "質問";
    AddMessageLabel(*this, {56, 14, 266, 144});
    Add(ControlKind::Button, "cmdOk", {63, 168, 100, 30}, "OK").onClick = [this] {
        shell_.MsgResult = -1;
        Close();
    };
    Add(ControlKind::Button, "cmdCancel", {171, 168, 100, 30}, "Cancel").onClick = [this] {
        shell_.MsgResult = 0;
        Close();
    };
    defaultButton = "cmdOk";
    cancelButton = "cmdCancel";
}

void FrmMsgOkCancel::QueryClose() {
    shell_.MsgResult = 0;
    Close();
}

void FrmMsgOkCancel::Load() {
    (*this)("lblMsg").text = shell_.MsgText;
    PlaceTopRight(*this, shell_.main.geometry);
}

FrmKarvenMsg::FrmKarvenMsg(Shell& shell) : Form("frmkarvenmsg", ""), shell_(shell) {
    geometry = {0, 0, CommentWidth, 200};
    AddMessageLabel(*this, {16, 12, 248, 136});
    Control& next = Add(ControlKind::Button, "cmdOK", {90, 156, 100, 30}, "▼");
    next.onClick = [this] { Close(); };
    next.spoken = "次へ";
    AddSkip(*this, shell, {144, 156, 100, 30});
    defaultButton = cancelButton = "cmdOK";
}

void FrmKarvenMsg::Load() {
    (*this)("lblMsg").text = shell_.LastComment = shell_.MsgText;
    // The window has no caption of its own: a screen reader names it by the race it tells.
    spokenCaption = shell_.main.caption.empty() ? Tr("実況") : TrF("実況：{1}", shell_.main.caption);
    OfferSkip(*this, shell_, (*this)("cmdOK"), (*this)("cmdSkip"), 90, 36, CommentWidth);
    const Rect& main = shell_.main.geometry;
    Place(main.left + main.width - geometry.width - CommentInsetRight,
          main.top + main.height - geometry.height - CommentInsetBottom);
}

FrmAskSave::FrmAskSave(Shell& shell) : Form("frmasksave", "ﾒｯｾｰｼﾞ"), shell_(shell) {
    geometry = {0, 0, DialogWidth, DialogHeight};
    Control& icon = Add(ControlKind::Picture, "Image1", {16, 20, 32, 32});
    icon.picture = ":question";
    icon.spoken = "質問";
    AddMessageLabel(*this, {56, 14, 266, 144});
    (*this)("lblMsg").text = Tr("シーズンデータが保存されていません。\r\n保存しますか？");
    struct Choice {
        const char* name;
        const char* caption;
        Answer answer;
    };
    const Choice choices[] = {{"cmdSave", "保存", Answer::Save},
                              {"cmdDiscard", "保存しない", Answer::Discard},
                              {"cmdCancel", "キャンセル", Answer::Cancel}};
    int left = 12;
    for (const Choice& c : choices) {
        Add(ControlKind::Button, c.name, {left, 168, 98, 30}, c.caption).onClick = [this, answer = c.answer] {
            this->answer = answer;
            Close();
        };
        left += 104;
    }
    defaultButton = "cmdSave";
    cancelButton = "cmdCancel";
}

void FrmAskSave::Load() {
    answer = Answer::Cancel;
    PlaceTopRight(*this, shell_.main.geometry);
}

void FrmAskSave::QueryClose() {
    answer = Answer::Cancel;
    Close();
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
