#include "principal/FrmCall.h"

#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven::principal {

namespace {
constexpr int Width = 420;
constexpr int TextTop = 44;
constexpr int TextHeight = 230;
constexpr int ButtonWidth = 150;
constexpr int ButtonHeight = 32;
constexpr int SummaryHeight = 110; // six lines
} // namespace

FrmCall::FrmCall(Shell& shell, const Call& call) : Form(FormName, "監督の判断"), shell_(shell), rules_(call.rules) {
    const int summary = call.summary.empty() ? 0 : SummaryHeight;
    geometry = {0, 0, Width, TextTop + summary + TextHeight + ButtonHeight + 24};
    resizable = false;
    Control& title = Add(ControlKind::Label, "lblTitle", {12, 8, Width - 24, 30}, call.title);
    title.style.fontSize = 14;
    title.style.bold = true;
    title.style.align = Align::Center;
    if (summary) {
        Control& since = Add(ControlKind::Label, "lblSummary", {16, TextTop, Width - 32, SummaryHeight - 8});
        since.text = call.summary;
        since.style.fontSize = 10;
        since.style.wrap = true;
    }
    Control& text = Add(ControlKind::Label, "lblMsg", {16, TextTop + summary, Width - 32, TextHeight});
    text.text = call.text;
    text.style.fontSize = 11;
    text.style.align = Align::Center;
    const int top = TextTop + summary + TextHeight + 8;
    const int gap = 16;
    const int left = (Width - 2 * ButtonWidth - gap) / 2;
    Control& yes = Add(ControlKind::Button, "cmdYes", {left, top, ButtonWidth, ButtonHeight}, call.yes);
    yes.accessKey = 'Y';
    yes.onClick = [this] {
        answer = true;
        Close();
    };
    Control& no = Add(ControlKind::Button, "cmdNo", {left + ButtonWidth + gap, top, ButtonWidth, ButtonHeight}, call.no);
    no.accessKey = 'N';
    no.onClick = [this] {
        answer = false;
        Close();
    };
    // What the car would have done by itself is one key away.
    std::string rules = call.rules ? "cmdYes" : "cmdNo";
    (*this)(rules).toolTip = "ルールどおりなら、こちらになります。";
    defaultButton = rules;
    // A question's letters work without Alt, as the main window's do.
    keyButtons = {{"Y", "cmdYes"}, {"N", "cmdNo"}};
    answer = call.rules; // Esc and the close box: see QueryClose
}

void FrmCall::Load() {
    PlaceTopRight(*this, shell_.main.geometry);
    focusRequest = defaultButton;
}

void FrmCall::QueryClose() {
    answer = rules_;
    Close();
}

bool Ask(Shell& shell, const Call& call) {
    FrmCall form(shell, call);
    shell.platform.ShowModal(form);
    return form.answer;
}

} // namespace karven::principal
