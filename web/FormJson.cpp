#include "FormJson.h"

#include "JsonText.h"
#include "season/Translate.h"
#include "shell/Chart.h"
#include "shell/Form.h"
#include "shell/LabelTable.h"
#include "shell/Strip.h"

namespace karven::web {

namespace {
const char* KindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label: return "label";
    case ControlKind::Button: return "button";
    case ControlKind::Menu: return "menu";
    case ControlKind::MenuItem: return "menuitem";
    case ControlKind::Separator: return "separator";
    case ControlKind::ListBox: return "listbox";
    case ControlKind::TextBox: return "textbox";
    case ControlKind::ComboBox: return "combobox";
    case ControlKind::Picture: return "picture";
    case ControlKind::Document: return "document";
    case ControlKind::Table: return "table";
    case ControlKind::Chart: return "chart";
    case ControlKind::Tabs: return "tabs";
    case ControlKind::Strip: return "strip";
    case ControlKind::Progress: return "progress";
    }
    return "label";
}

const char* AlignName(Align align) { return align == Align::Center ? "center" : align == Align::Right ? "right" : "left"; }

void Strings(JsonWriter& w, const char* name, const std::vector<std::string>& items) {
    w.Key(name);
    w.Open('[');
    for (const std::string& item : items) w.Item(item);
    w.Close(']');
}

void WriteAxis(JsonWriter& w, const char* name, const ChartAxis& axis) {
    w.Key(name);
    w.Open('{');
    w.Str("title", axis.title);
    if (axis.from != 0) w.Real("from", axis.from);
    w.Real("top", axis.top);
    w.Real("step", axis.step);
    w.Num("labelEvery", (long long)axis.labelEvery);
    if (axis.fitLabels) w.Bool("fitLabels", true);
    if (axis.reversed) w.Bool("reversed", true);
    if (axis.decimals >= 0) w.Num("decimals", (long long)axis.decimals);
    if (!axis.unit.empty()) w.Str("unit", axis.unit);
    w.Close('}');
}

void WriteChart(JsonWriter& w, const Chart& chart) {
    w.Key("chart");
    w.Open('{');
    if (chart.Bars()) Strings(w, "barSets", chart.barSets);
    w.Key("lines");
    w.Open('[');
    for (const ChartLine& line : chart.lines) {
        w.Open('{');
        w.Str("name", line.name);
        if (!line.who.empty()) w.Str("who", line.who);
        if (!line.summary.empty()) w.Str("summary", line.summary);
        w.Num("colour", (long long)line.colour);
        w.Num("look", (long long)line.look);
        if (line.first) w.Num("first", (long long)line.first);
        w.Key("values");
        w.Open('[');
        for (double v : line.values) w.RealItem(v);
        w.Close(']');
        w.Close('}');
    }
    w.Close(']');
    WriteAxis(w, "x", chart.x);
    WriteAxis(w, "y", chart.y);
    w.Str("pointTip", Tr(chart.pointTip.c_str()));
    if (!chart.stepWords.empty()) w.Str("stepWords", Tr(chart.stepWords.c_str()));
    w.Str("legendTip", chart.legendTip);
    if (chart.legendList) w.Bool("legendList", true);
    if (!chart.markers) w.Bool("markers", false);
    if (!chart.info.empty()) w.Str("info", chart.info);
    if (!chart.markNames.empty()) {
        Strings(w, "markNames", chart.markNames);
        w.Str("markTip", Tr(chart.markTip.c_str()));
        w.Key("marks");
        w.Open('[');
        for (const ChartMark& m : chart.marks) { // [line, step, value, kind]
            w.Open('[');
            w.Item((long long)m.line);
            w.Item((long long)m.step);
            w.RealItem(m.value);
            w.Item((long long)m.kind);
            w.Close(']');
        }
        w.Close(']');
    }
    w.Close('}');
}

void WriteStrip(JsonWriter& w, const Strip& strip) {
    w.Key("strip");
    w.Open('{');
    w.Str("caption", strip.caption);
    w.Key("cells");
    w.Open('[');
    for (const StripCell& cell : strip.cells) {
        w.Open('{');
        w.Str("letter", cell.letter);
        w.Num("colour", (long long)cell.colour);
        w.Num("letterColour", (long long)cell.letterColour);
        if (!cell.below.empty()) w.Str("below", cell.below);
        w.Close('}');
    }
    w.Close(']');
    w.Close('}');
}

void WriteControl(JsonWriter& w, const Control& c) {
    w.Open('{');
    w.Str("key", c.Key());
    w.Str("kind", KindName(c.kind));
    w.Num("x", c.rect.left);
    w.Num("y", c.rect.top);
    w.Num("w", c.rect.width);
    w.Num("h", c.rect.height);
    w.Str("text", c.text);
    w.Bool("visible", c.visible);
    w.Bool("enabled", c.enabled);
    if (c.checked) w.Bool("checked", true);
    if (c.ShownColor() != DefaultColor) w.Num("color", c.ShownColor());
    if (c.style.backColor != DefaultColor) w.Num("back", c.style.backColor);
    if (c.style.fontSize) w.Num("font", c.style.fontSize);
    if (c.style.bold) w.Bool("bold", true);
    if (c.highlight) w.Bool("highlight", true);
    if (c.style.align != Align::Left) w.Str("align", AlignName(c.style.align));
    if (c.style.border) w.Bool("border", true);
    if (c.style.wrap) w.Bool("wrap", true);
    if (!c.parent.empty()) w.Str("parent", c.parent);
    if (c.accessKey) w.Str("access", std::string(1, c.accessKey));
    if (!c.group.empty()) w.Str("group", c.group);
    if (c.kind == ControlKind::MenuItem && !c.shortcut.empty()) w.Str("shortcut", c.shortcut);
    const std::string tip = ToolTipText(c);
    if (!tip.empty()) w.Str("tip", tip);
    if (!c.items.empty()) Strings(w, "items", c.items);
    if (!c.itemTips.empty()) Strings(w, "itemTips", c.itemTips);
    if (!c.style.typed) w.Bool("picked", true);
    if (c.chart) WriteChart(w, *c.chart);
    if (!c.checks.empty()) {
        w.Key("checks");
        w.Open('[');
        for (bool on : c.checks) w.Item((long long)on);
        w.Close(']');
    }
    if (c.strip) WriteStrip(w, *c.strip);
    if (c.kind == ControlKind::Progress) {
        w.Num("value", c.value);
        w.Num("max", c.maximum);
    }
    if (c.listIndex >= 0) w.Num("index", c.listIndex);
    if (c.maxLength > 0) w.Num("maxLength", c.maxLength);
    // The page reports a focus only to a control that has a handler for it.
    if (c.onGotFocus) w.Bool("gotFocus", true);
    if (c.onLostFocus) w.Bool("lostFocus", true);
    if (!c.picture.empty()) w.Str("picture", c.picture);
    if (!c.spoken.empty()) w.Str("spoken", c.spoken);
    if (!c.labelledBy.empty()) w.Str("labelledBy", c.labelledBy);
    if (!c.mark.empty()) w.Str("mark", c.mark);
    if (c.kind == ControlKind::Table) {
        w.Key("columns");
        w.Open('[');
        for (const Control::Column& col : c.columns) {
            w.Open('{');
            w.Str("heading", col.heading);
            w.Num("width", col.width);
            w.Str("align", AlignName(col.align));
            w.Close('}');
        }
        w.Close(']');
        w.Key("rows");
        w.Open('[');
        for (const auto& row : c.rows) {
            w.Open('[');
            for (const std::string& cell : row) w.Item(cell);
            w.Close(']');
        }
        w.Close(']');
    }
    w.Close('}');
}

// As the table reads now: its name, the headings and the rows that say something, each cell as its
// label's key and what it says.
void WriteLabelTable(JsonWriter& w, const LabelTable& t) {
    const TableReading reading = ReadTable(t);
    w.Open('{');
    w.Str("name", t.name);
    w.Str("label", TableName(t));
    w.Str("shortcut", t.shortcut);
    w.Key("headings");
    w.Open('[');
    for (int k : reading.columns) w.Item(HeadingText(t, k));
    w.Close(']');
    w.Key("rows");
    w.Open('[');
    for (int r : reading.rows) {
        w.Open('[');
        for (int k : reading.columns) {
            const Control* c = t.cells[size_t(r)][size_t(k)];
            w.Open('[');
            w.Item(c ? c->Key() : std::string());
            w.Item(CellText(t, r, k));
            w.Close(']');
        }
        w.Close(']');
    }
    w.Close(']');
    w.Close('}');
}
} // namespace

std::string FormJson(const Form& form, bool modal) {
    JsonWriter w;
    w.Open('{');
    w.Str("name", form.Name());
    w.Str("caption", form.caption);
    w.Bool("modal", modal);
    w.Num("w", form.geometry.width);
    w.Num("h", form.geometry.height);
    // Where the window was put, in the main window's pixels; unplaced windows open centred.
    w.Bool("placed", form.IsPlaced());
    w.Num("x", form.geometry.left);
    w.Num("y", form.geometry.top);
    w.Str("defaultButton", form.defaultButton);
    w.Str("cancelButton", form.cancelButton);
    w.Str("focus", form.focusRequest);
    w.Num("autoCloseMs", form.autoCloseMs);
    if (!form.spokenCaption.empty()) w.Str("spokenCaption", form.spokenCaption);
    if (!form.announcements.empty()) Strings(w, "announce", form.announcements);
    w.Key("columnStarts");
    w.Open('[');
    for (int x : form.columnStarts) w.Item(x);
    w.Close(']');
    w.Key("keys");
    w.Open('{');
    for (const auto& [key, button] : form.keyButtons) w.Str(key.c_str(), button);
    w.Close('}');
    w.Key("controls");
    w.Open('[');
    for (const Control& c : form.Controls()) WriteControl(w, c);
    w.Close(']');
    w.Str("tableKey", LabelTable().shortcut); // the key into the window's first table, of either kind
    if (!form.labelTables.empty()) {
        w.Key("tables");
        w.Open('[');
        for (const LabelTable& t : form.labelTables) WriteLabelTable(w, t);
        w.Close(']');
    }
    w.Close('}');
    return std::move(w.out);
}

} // namespace karven::web
