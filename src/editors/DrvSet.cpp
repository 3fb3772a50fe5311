#include "editors/DrvSet.h"

#include <utility>

#include <algorithm>

#include "editors/EditorLayout.h"
#include "editors/SisSet.h"
#include "season/Numbers.h"
#include "season/Translate.h"
#include "season/Utf8.h"
#include "shell/Grades.h"
#include "shell/MessageWindows.h"
#include "shell/Platform.h"
#include "shell/SeasonText.h"
#include "shell/Shell.h"
#include "standings/DrvSei.h"

namespace karven {

using namespace editors;

namespace {
constexpr int Margin = 16;
constexpr int ListWidth = 230;
constexpr int PaneLeft = Margin + ListWidth + 16;
constexpr int PaneWidth = 290;
constexpr int CaptionWidth = 96;
constexpr int RowStep = 34;
constexpr int Width = PaneLeft + PaneWidth + Margin;

// Index 1..4 of cmdUp and cmdDn.
const GradeField<DrvRecord> Grades[] = {
    {"テクニック", "lblTc", &DrvRecord::Technique, Scale::Technique,
     "テクニック（S〜E、S が最高）：タイム、スタート、ペナルティの受けにくさに効きます。"},
    {"荒さ", "lblAg", &DrvRecord::Roughness, Scale::High, "荒さ（A〜E、A が最も攻撃的）：前の車を抜きにかかる強さです。"},
    {"ブロック", "lblBr", &DrvRecord::Block, Scale::High, "ブロック（A〜E、A が最高）：抜かれにくさです。"},
    {"安定性", "lblAn", &DrvRecord::Stability, Scale::High,
     "安定性（A〜E、A が最高）：タイヤ選びとリタイアのしにくさに効きます。"},
};

Control& List(FrmKarvenDrvSet& form) {
    return form("lstDrv");
}
int Drivers(FrmKarvenDrvSet& form) {
    return int(List(form).items.size());
}

DrvRecord* Edited(FrmKarvenDrvSet& form) {
    return form.DrvIdx >= 0 && form.DrvIdx < Drivers(form) ? &form.DrvEditTable[form.DrvIdx + 1] : nullptr;
}

void Select(FrmKarvenDrvSet& form, int line) {
    List(form).listIndex = line;
    DrvSetSelect(form);
}
} // namespace

FrmKarvenDrvSet::FrmKarvenDrvSet(Shell& shell) : Form("frmkarvendrvset", "ドライバー設定"), shell_(shell) {
    // Controls in the order Tab walks them.
    Control& list = Add(ControlKind::ListBox, "lstDrv", {Margin, Margin, ListWidth, 0});
    list.style.fontSize = FontSize;
    list.onClick = [this] { DrvSetSelect(*this); };
    list.toolTip = "ドライバーの一覧です。選んだドライバーを右側で編集します。";
    list.spoken = "ドライバー一覧";

    int top = Margin;
    AddText(*this, "lblCaption", 1, {PaneLeft, top, CaptionWidth, ArrowSize}, "名前");
    Control& name = Add(ControlKind::TextBox, "txtDrvNm",
                        {PaneLeft + CaptionWidth, top, PaneWidth - CaptionWidth, ArrowSize});
    name.style.fontSize = FontSize;
    name.enabled = false; // until a driver is chosen, so that nothing typed is lost
    name.toolTip = "ドライバー名。";
    name.labelledBy = "lblCaption(1)";
    KeepFileSafe(name);
    name.onGotFocus = [this] { DrvSetFocus(*this); };
    name.onLostFocus = [this] { DrvSetNameLeft(*this); };
    top += RowStep + 10;

    for (int i = 1; i <= 4; ++i) {
        StepRow row = AddStepRow(*this, i + 1, Grades[i - 1].caption, Grades[i - 1].label, i,
                                 {PaneLeft, top, PaneWidth, ArrowSize}, CaptionWidth);
        row.Explain(Grades[i - 1].toolTip);
        row.OnStep(*this, [this, i](int by) { DrvSetGradeStep(*this, i, by); });
        top += RowStep;
    }
    top += 10;

    const int half = (PaneWidth - 8) / 2;
    Control& jis = Add(ControlKind::Button, "cmdJis", {PaneLeft, top, half, ButtonHeight}, "実績");
    jis.onClick = [this] { DrvSetJis(*this, shell_); };
    jis.toolTip = "選んだドライバーの通算成績を見ます。";
    top += ButtonHeight + 24;
    ButtonPair edit = AddButtonPair(*this, PaneLeft, top, PaneWidth, "cmdAdd", "AddNew", "cmdDel", "Delete");
    edit.left.onClick = [this] {
        DrvSetAdd(*this, shell_);
        focusRequest = "txtDrvNm"; // the new entry's name is what the player types next
    };
    edit.right.onClick = [this] { DrvSetDelete(*this, shell_); };
    edit.left.toolTip = "ドライバーを追加します（最大 999 人）。";
    edit.right.toolTip = "選んだドライバーを削除します。";
    top += ButtonHeight + 24;
    AddOkCancel(*this, PaneLeft, top, PaneWidth).onClick = [this] { DrvSetCommit(*this, shell_); };
    top += ButtonHeight;

    list.rect.height = top - Margin;
    geometry = {0, 0, Width, top + Margin};
}

void FrmKarvenDrvSet::Load() {
    DrvSetLoad(*this, shell_);
}

void ShowDrvSet(Shell& shell) {
    FrmKarvenDrvSet form(shell);
    shell.platform.ShowModal(form);
}

void DrvSetLoad(FrmKarvenDrvSet& form, Shell& shell) {
    PlaceTopRight(form, shell.main.geometry);
    const Season& season = shell.season;
    form("txtDrvNm").text.clear();
    form("txtDrvNm").enabled = false;
    for (const auto& g : Grades) form(g.label).text.clear();

    int drivers =
        std::clamp(ReadCount(season.DrvCount), 0, std::min(int(season.DrvTable.size()) - 1, MaxDrvCount));
    form.DrvEditTable.assign(season.DrvTable.begin(), season.DrvTable.begin() + drivers + 1);
    form.StoredAt.resize(drivers + 1);
    for (int i = 0; i <= drivers; ++i) form.StoredAt[i] = i;
    Control& list = List(form);
    list.items.clear();
    for (int i = 1; i <= drivers; ++i) list.items.push_back(season.DrvTable[i].DrvNm);
    list.listIndex = -1;
    form.DrvIdx = -1;
}

void DrvSetSelect(FrmKarvenDrvSet& form) {
    form.DrvIdx = List(form).listIndex;
    DrvRecord* driver = Edited(form);
    if (!driver) form.DrvIdx = -1;
    form("txtDrvNm").enabled = driver != nullptr;
    if (!driver) return;
    form("txtDrvNm").text = driver->DrvNm;
    for (const auto& g : Grades) g.Show(form, *driver);
}

void DrvSetFocus(FrmKarvenDrvSet& form) {
    form.DrvIdx = List(form).listIndex;
}

void DrvSetNameLeft(FrmKarvenDrvSet& form) {
    DrvRecord* driver = Edited(form);
    if (!driver) return;
    driver->DrvNm = form("txtDrvNm").text; // any text, the empty one too
    List(form).items[form.DrvIdx] = driver->DrvNm;
}

void DrvSetGradeStep(FrmKarvenDrvSet& form, int grade, int step) {
    DrvRecord* driver = Edited(form);
    if (!driver || grade < 1 || grade > 4) return;
    Grades[grade - 1].Step(form, *driver, step);
}

void DrvSetJis(FrmKarvenDrvSet& form, Shell& shell) {
    int s = List(form).listIndex;
    if (s < 0 || s >= Drivers(form)) {
        shell.MsgText = Tr("先にドライバーを選択してください");
        ShowOk(shell);
        return;
    }
    // The records window reads the stored season; a driver added here has no record there yet.
    if (form.StoredAt[s + 1] == 0) {
        shell.MsgText = Tr("追加したばかりのドライバーには、\r\nまだ実績がありません。");
        ShowOk(shell);
        return;
    }
    ShowDrvSei(shell, FormatPlain(form.StoredAt[s + 1]));
}

void DrvSetAdd(FrmKarvenDrvSet& form, Shell& shell) {
    int drivers = Drivers(form);
    if (drivers + 1 > MaxDrvCount) {
        shell.MsgText = TrF("ドライバー数は、\r\n最大 {1} 人です！", MaxDrvCount);
        ShowOk(shell);
        return;
    }
    int n = drivers + 1;
    form.DrvEditTable.push_back(NewDrvRecord(n));
    form.StoredAt.push_back(0);
    List(form).items.push_back(form.DrvEditTable[n].DrvNm);
    Select(form, n - 1);
}

void DrvSetDelete(FrmKarvenDrvSet& form, Shell& shell) {
    Control& list = List(form);
    int drivers = Drivers(form);
    int s = list.listIndex;
    if (s < 0 || s >= drivers) {
        shell.MsgText = Tr("先に\r\n削除するドライバーを選択してください！");
        ShowOk(shell);
        return;
    }
    if (drivers <= 1) return;
    // The drivers behind move up one place; the deleted driver's seat goes with him.
    form.DrvEditTable.erase(form.DrvEditTable.begin() + s + 1);
    form.StoredAt.erase(form.StoredAt.begin() + s + 1);
    for (int i = s + 1; i < drivers; ++i) form.DrvEditTable[i].DrvNo = Format00(i);
    list.items.erase(list.items.begin() + s);
    Select(form, s < drivers - 1 ? s : s - 1);
}

void DrvSetCommit(FrmKarvenDrvSet& form, Shell& shell) {
    Season& season = shell.season;
    season.DrvCount = FormatPlain(Drivers(form));
    std::vector<DrvRecord> before = std::exchange(season.DrvTable, form.DrvEditTable);
    // The file drops spaces at either end; dropping them here keeps the season as it will read back.
    for (DrvRecord& driver : season.DrvTable) driver.DrvNm = Trim(driver.DrvNm);
    std::vector<int> teams(season.TimTable.size());
    for (size_t t = 0; t < teams.size(); ++t) teams[t] = int(t);
    FollowTableEdits(season, before, season.TimTable, form.StoredAt, teams);
    FitNinCount(season);
    form.Close();
}

} // namespace karven
