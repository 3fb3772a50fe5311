#pragma once
// What the history windows share: a table with buttons below it, texts in the rules' style.

#include <string>

#include "shell/Form.h"

namespace karven::history {

constexpr int Margin = 12;
constexpr int ButtonHeight = 30;
constexpr int ButtonWidth = 120;

inline Control& AddTable(Form& form, Rect rect, std::vector<Control::Column> columns) {
    Control& table = form.Add(ControlKind::Table, "tblRec", rect);
    table.columns = std::move(columns);
    table.style.fontSize = 10;
    return table;
}

// A row of buttons from the left edge; the last one, 閉じる, is the window's cancel button.
inline int AddButton(Form& form, const char* name, const char* caption, int left, int top, char key = 0,
                     int width = ButtonWidth) {
    Control& b = form.Add(ControlKind::Button, name, {left, top, width, ButtonHeight}, caption);
    b.accessKey = key;
    return left + width + 8;
}

inline void AddClose(Form& form, int top, const char* caption = "閉じる") {
    form.Add(ControlKind::Button, "cmdClose", {form.geometry.width - Margin - ButtonWidth, top, ButtonWidth,
                                               ButtonHeight}, caption)
        .onClick = [&form] { form.Close(); };
    form.cancelButton = "cmdClose";
}

// A table's columns set while the window is open, their headings in the language of the day.
void SetColumns(Control& table, std::vector<Control::Column> columns);

// "12", "12.5": points as the file keeps them.
std::string PointsText(double points);
std::string Num(int value);

} // namespace karven::history
