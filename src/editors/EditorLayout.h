#pragma once
// What the settings editors' windows share in their look.

#include "shell/Form.h"

#include <string>

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

inline Control& AddArrow(Form& form, const std::string& name, int left, int top, const char* arrow) {
    return form.Add(ControlKind::Button, name, {left, top, ArrowSize, ArrowSize}, arrow);
}

} // namespace karven::editors
