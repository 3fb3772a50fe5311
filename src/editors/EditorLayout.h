#pragma once
// What the settings editors' windows share in their look.

#include "shell/Form.h"

#include <functional>
#include <string>
#include <utility>

#include "season/Translate.h"

namespace karven::editors {

constexpr int FontSize = 11;
constexpr int ButtonHeight = 30;
constexpr int ArrowSize = 28;
constexpr const char* UpArrow = "▲";
constexpr const char* DownArrow = "▼";

inline Control& AddText(Form& form, const std::string& name, int index, Rect rect, const std::string& text,
                        Align align = Align::Left) {
    Control& c = form.Add(ControlKind::Label, name, index, rect, text);
    c.style.fontSize = FontSize;
    c.style.align = align;
    return c;
}

// A value shown in a framed box, the way the editors show what the arrows change.
inline Control& AddValueBox(Form& form, const std::string& name, Rect rect, Align align) {
    Control& c = AddText(form, name, -1, rect, "", align);
    c.style.border = true;
    c.style.backColor = 0xFFFFFF;
    return c;
}

inline Control& AddArrow(Form& form, const std::string& name, int left, int top, const char* arrow,
                         int index = -1) {
    return form.Add(ControlKind::Button, name, index, {left, top, ArrowSize, ArrowSize}, arrow);
}

// Two buttons side by side across a pane of the given width: AddNew and Delete, OK and Cancel.
struct ButtonPair {
    Control& left;
    Control& right;
};
inline ButtonPair AddButtonPair(Form& form, int left, int top, int width, const char* leftName,
                                const char* leftText, const char* rightName, const char* rightText) {
    const int half = (width - 8) / 2;
    Control& first = form.Add(ControlKind::Button, leftName, {left, top, half, ButtonHeight}, leftText);
    Control& second =
        form.Add(ControlKind::Button, rightName, {left + half + 8, top, half, ButtonHeight}, rightText);
    return {first, second};
}

// OK and Cancel; Enter presses OK, Esc and Cancel close the window without a word.
inline Control& AddOkCancel(Form& form, int left, int top, int width) {
    ButtonPair pair = AddButtonPair(form, left, top, width, "cmdOK", "OK", "cmdCancel", "Cancel");
    pair.left.toolTip = "変更を確定して閉じます。";
    pair.right.toolTip = "変更を捨てて閉じます。";
    pair.right.onClick = [&form] { form.Close(); };
    form.defaultButton = "cmdOK";
    form.cancelButton = "cmdCancel";
    return pair.left;
}

// After the button's own work, its row's caption and new value are told to a player who listens.
inline void AnnounceAfter(Form& form, Control& button, const Control& caption, const Control& value) {
    button.onClick = [&form, press = button.onClick, caption = &caption, value = &value] {
        if (press) press();
        form.Announce(caption->text + " " + value->text);
    };
}

// One row of a grade: its caption, the letter in a box, and the arrows cmdUp(index) and
// cmdDn(index) beside it. The caller wires the arrows.
struct StepRow {
    Control& caption;
    Control& value;
    Control& up;
    Control& down;
    // One tooltip on the whole row.
    void Explain(const std::string& toolTip) {
        for (Control* c : {&caption, &value, &up, &down}) c->toolTip = toolTip;
    }
    // ▲ steps by -1 and ▼ by +1; the new value is then told to a player who listens.
    void OnStep(Form& form, std::function<void(int)> step) {
        up.onClick = [step] { step(-1); };
        down.onClick = [step] { step(+1); };
        for (Control* arrow : {&up, &down}) AnnounceAfter(form, *arrow, caption, value);
    }
};
inline StepRow AddStepRow(Form& form, int captionIndex, const std::string& caption, const std::string& value,
                          int index, Rect rect, int captionWidth) {
    Control& text = AddText(form, "lblCaption", captionIndex, {rect.left, rect.top, captionWidth, ArrowSize}, caption);
    int boxLeft = rect.left + captionWidth;
    int boxWidth = rect.width - captionWidth - 2 * ArrowSize - 12;
    Control& box = AddValueBox(form, value, {boxLeft, rect.top, boxWidth, ArrowSize}, Align::Center);
    int arrowLeft = boxLeft + boxWidth + 8;
    Control& up = AddArrow(form, "cmdUp", arrowLeft, rect.top, UpArrow, index);
    Control& down = AddArrow(form, "cmdDn", arrowLeft + ArrowSize + 4, rect.top, DownArrow, index);
    up.spoken = TrF("{1}を上へ", Tr(caption.c_str()));
    down.spoken = TrF("{1}を下へ", Tr(caption.c_str()));
    return {text, box, up, down};
}

} // namespace karven::editors
