#include "editors/GpSet.h"

#include "editors/EditorLayout.h"
#include "editors/SisSet.h"
#include "season/Numbers.h"
#include "season/Translate.h"
#include "season/Utf8.h"
#include "shell/MessageWindows.h"
#include "shell/Platform.h"
#include "shell/SeasonText.h"
#include "shell/Shell.h"

#include <algorithm>

namespace karven {

using namespace editors;

namespace {
constexpr int Margin = 16;
constexpr int ListWidth = 230;
constexpr int ListHeight = 17 * 18 + 8; // the longest calendar without a scroll bar
constexpr int PaneLeft = Margin + ListWidth + 16;
constexpr int PaneWidth = 208;
constexpr int Width = PaneLeft + PaneWidth + Margin;
constexpr int Height = Margin + ListHeight + Margin;

constexpr const char* CourseTexts[] = {"超速", "速", "普通", "難", "超難"};

Control& List(FrmKarvenGpSet& form) { return form("lstGp"); }

// Selecting an entry runs what a click on it runs.
void Select(FrmKarvenGpSet& form, int position) {
    List(form).listIndex = position;
    GpSetSelect(form);
}
} // namespace

FrmKarvenGpSet::FrmKarvenGpSet(Shell& shell, FrmKarvenSisSet* settings)
    : Form("frmkarvengpset", "グランプリ設定"), shell_(shell), settings_(settings) {
    geometry = {0, 0, Width, Height};

    // Controls in the order Tab walks them.
    Control& list = Add(ControlKind::ListBox, "lstGp", {Margin, Margin, ListWidth, ListHeight});
    list.style.fontSize = FontSize;
    list.onClick = [this] { GpSetSelect(*this); };
    list.toolTip = "日程です。選んだグランプリを右側で編集します。";
    list.spoken = "日程";

    AddText(*this, "lblCaption", 1, {PaneLeft, Margin, PaneWidth, 22}, "ＧＰ名");
    Control& name = Add(ControlKind::TextBox, "txtGp", {PaneLeft, Margin + 24, PaneWidth, ArrowSize});
    name.style.fontSize = FontSize;
    name.enabled = false; // until a Grand Prix is chosen, so nothing typed is lost
    name.toolTip = "グランプリの名前。";
    name.labelledBy = "lblCaption(1)";
    KeepFileSafe(name);
    name.onLostFocus = [this] { GpSetNameLeft(*this); };

    const int courseTop = Margin + 68;
    AddText(*this, "lblCaption", 2, {PaneLeft, courseTop, PaneWidth, 22}, "コース");
    const int boxWidth = PaneWidth - 2 * ArrowSize - 8;
    Control& course = AddValueBox(*this, "lblTc", {PaneLeft, courseTop + 24, boxWidth, ArrowSize}, Align::Center);
    Control& harder = AddArrow(*this, "cmdUp", PaneLeft + boxWidth + 4, courseTop + 24, UpArrow);
    harder.onClick = [this] { GpSetCourseStep(*this, +1); };
    Control& easier = AddArrow(*this, "cmdDn", PaneLeft + boxWidth + 8 + ArrowSize, courseTop + 24, DownArrow);
    easier.onClick = [this] { GpSetCourseStep(*this, -1); };
    course.toolTip = "コースの性格（超速・速・普通・難・超難）。速いコースほどマシンのスピードの差が大きく出ます。";
    harder.toolTip = "コースを一段難しくします。";
    easier.toolTip = "コースを一段速くします。";
    harder.spoken = "コースを難しく";
    easier.spoken = "コースを速く";
    for (Control* arrow : {&harder, &easier}) AnnounceAfter(*this, *arrow, (*this)("lblCaption", 2), course);

    const int editTop = courseTop + 24 + ArrowSize + 24;
    ButtonPair edit =
        AddButtonPair(*this, PaneLeft, editTop, PaneWidth, "cmdAdd", "AddNew", "cmdDel", "Delete");
    edit.left.onClick = [this] {
        GpSetAdd(*this, shell_);
        focusRequest = "txtGp"; // the new entry's name is what the player types next
    };
    edit.right.onClick = [this] { GpSetDelete(*this, shell_); };
    edit.left.toolTip = "グランプリを日程の最後に追加します（最大 17 ＧＰ）。";
    edit.right.toolTip = "選んだグランプリを日程から削除します。";

    const int okTop = Margin + ListHeight - ButtonHeight;
    AddOkCancel(*this, PaneLeft, okTop, PaneWidth).onClick = [this] {
        GpSetCommit(*this, shell_, settings_);
    };
}

void FrmKarvenGpSet::Load() { GpSetLoad(*this, shell_); }

std::string CourseTypeText(std::string_view value, CourseTypeWay way) {
    for (int i = 0; i < 5; ++i) {
        std::string code = std::to_string(i + 1);
        if (way == CourseTypeWay::ToText && value == code) return CourseTexts[i];
        // A calendar written in either language reads back.
        if (way == CourseTypeWay::ToCode && (value == CourseTexts[i] || value == English(CourseTexts[i]))) return code;
    }
    return "";
}

std::string GpEntryText(int number, std::string_view name) {
    std::string text = number > 9 ? std::to_string(number) : " " + std::to_string(number);
    text += "GP ";
    text += name;
    return text;
}

std::string GpEntryName(std::string_view entry) { return Utf8Mid(entry, 5, NameLength); }

void GpSetLoad(FrmKarvenGpSet& form, Shell& shell) {
    PlaceTopRight(form, shell.main.geometry);
    const Season& season = shell.season;
    // A count beyond the records held, or beyond the 17 result slots, never reads past them.
    int count =
        std::clamp(ReadCount(season.Sis.GpCount), 0, std::min(int(season.GpTable.size()) - 1, MaxGpCount));
    form.GpEditTable.assign(MaxGpCount + 1, GpRecord{});
    std::copy_n(season.GpTable.begin() + 1, count, form.GpEditTable.begin() + 1);

    form("txtGp").text.clear();
    Control& list = List(form);
    list.items.clear();
    // The number is the entry's position: an odd stored GpNo cannot shift where the name starts.
    for (int i = 1; i <= count; ++i) list.items.push_back(GpEntryText(i, season.GpTable[i].GpNm));
    list.listIndex = -1;
    form.GpSel = -1;
    form("txtGp").enabled = false;
}

void GpSetSelect(FrmKarvenGpSet& form) {
    Control& list = List(form);
    int sel = list.listIndex;
    form.GpSel = sel >= 0 && sel < int(list.items.size()) ? sel : -1;
    Control& name = form("txtGp");
    name.enabled = form.GpSel >= 0;
    if (form.GpSel < 0) return;
    name.text = GpEntryName(list.items[form.GpSel]);
    form("lblTc").text = Tr(CourseTypeText(form.GpEditTable[form.GpSel + 1].CourseType).c_str());
}

void GpSetNameLeft(FrmKarvenGpSet& form) {
    Control& list = List(form);
    if (form.GpSel < 0 || form.GpSel >= int(list.items.size())) return;
    list.items[form.GpSel] = GpEntryText(form.GpSel + 1, form("txtGp").text);
}

void GpSetCourseStep(FrmKarvenGpSet& form, int step) {
    Control& list = List(form);
    form.GpSel = list.listIndex;
    if (form.GpSel < 0 || form.GpSel >= int(list.items.size())) return;
    std::string& type = form.GpEditTable[form.GpSel + 1].CourseType;
    double value = ReadNumber(type);
    if (step > 0 ? value >= 5 : value <= 1) return;
    type = FormatPlain(value + step);
    form("lblTc").text = Tr(CourseTypeText(type).c_str());
}

void GpSetAdd(FrmKarvenGpSet& form, Shell& shell) {
    Control& list = List(form);
    if (int(list.items.size()) >= MaxGpCount) {
        shell.MsgText = TrF("ＧＰ数は、\r\n最大 {1} GPです！", MaxGpCount);
        ShowOk(shell);
        return;
    }
    int n = int(list.items.size()) + 1;
    list.items.push_back(GpEntryText(n, "New"));
    form.GpEditTable[n].CourseType = "3";
    Select(form, n - 1);
}

void GpSetDelete(FrmKarvenGpSet& form, Shell& shell) {
    Control& list = List(form);
    int m = int(list.items.size());
    int s = list.listIndex;
    if (s < 0 || s >= m) {
        shell.MsgText = Tr("先に\r\n削除するＧＰを選択してください！");
        ShowOk(shell);
        return;
    }
    if (m <= 1) return;
    if (ReadCount(shell.season.Sis.EndGp) + 1 >= m) {
        shell.MsgText = Tr("終了ＧＰ + 1\r\n以下にはできません！");
        ShowOk(shell);
        return;
    }
    // The course types move up with their Grands Prix.
    for (int k = s + 1; k <= m - 1; ++k)
        form.GpEditTable[k].CourseType = FormatPlain(ReadNumber(form.GpEditTable[k + 1].CourseType));
    list.items.erase(list.items.begin() + s);
    for (int k = 0; k < int(list.items.size()); ++k)
        list.items[k] = GpEntryText(k + 1, GpEntryName(list.items[k]));
    Select(form, s < int(list.items.size()) ? s : s - 1);
}

void GpSetCommit(FrmKarvenGpSet& form, Shell& shell, FrmKarvenSisSet* settings) {
    const Control& list = List(form);
    int count = int(list.items.size());
    Season& season = shell.season;
    season.Sis.GpCount = FormatPlain(count);
    if (settings) (*settings)("lblGp").text = season.Sis.GpCount;

    std::vector<GpRecord> table(count + 1);
    for (int i = 1; i <= count; ++i) {
        GpRecord& g = table[i];
        g.GpNo = Format00(i);
        // The file drops spaces at either end; dropping them here keeps the season as it will read back.
        g.GpNm = Trim(GpEntryName(list.items[i - 1]));
        g.CourseType = form.GpEditTable[i].CourseType;
    }
    season.GpTable = std::move(table);
    form.Close();
}

} // namespace karven
