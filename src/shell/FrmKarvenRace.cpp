#include "shell/FrmKarvenRace.h"

namespace karven {

namespace {
struct Column {
    int left;
    int width;
    Align align;
};
// lbl1..lbl6: No, driver, team, Time, PIT, TIR; the colour swatch sits between No and driver.
// The driver column holds the longest names of the default season whole.
constexpr Column Columns[7] = {{0, 0, Align::Left},     {12, 34, Align::Center}, {86, 170, Align::Left},
                               {260, 186, Align::Left}, {450, 64, Align::Right}, {518, 34, Align::Center},
                               {556, 34, Align::Center}};
constexpr int SwatchLeft = 50;
constexpr int SwatchWidth = 32;
constexpr int PanelLeft = 604;
constexpr int PanelWidth = 296;
// The message windows sit against the right edge; this column keeps them off the grid and the panel.
constexpr int MessageColumnLeft = PanelLeft + PanelWidth + 10;
constexpr int MessageColumnWidth = 340;

void AddMenuItem(Form& form, const char* menu, const char* name, int index, const char* caption, char key) {
    Control& item = form.Add(ControlKind::MenuItem, name, index, {}, caption);
    item.parent = menu;
    item.accessKey = key;
}

void AddSeparator(Form& form, const char* menu, const char* name) {
    form.Add(ControlKind::Separator, name, {}).parent = menu;
}
} // namespace

FrmKarvenRace::FrmKarvenRace() : Form("frmkarvenrace", "KARVEN") {
    geometry = {0, 0, MessageColumnLeft + MessageColumnWidth, GridTop + GridRows * GridRowHeight + 14};

    // Menus, in menu order.
    Add(ControlKind::Menu, "File", {}, "ﾌｧｲﾙ").accessKey = 'F';
    AddMenuItem(*this, "File", "File_open", -1, "開く", 'O');
    AddMenuItem(*this, "File", "File_autosave", -1, "自動保存から開く", 'A');
    AddMenuItem(*this, "File", "File_update", -1, "保存", 'S');
    AddSeparator(*this, "File", "File_Sen1");
    AddMenuItem(*this, "File", "File_End", -1, "終了", 'X');
    Add(ControlKind::Menu, "Set", {}, "設定").accessKey = 'S';
    AddMenuItem(*this, "Set", "Set_Sis", 21, "ｼｰｽﾞﾝ", 'S');
    AddMenuItem(*this, "Set", "Set_Tim", 22, "ﾁｰﾑ", 'T');
    AddMenuItem(*this, "Set", "Set_Drv", 23, "ﾄﾞﾗｲﾊﾞｰ", 'D');
    Add(ControlKind::Menu, "Eve", {}, "ｲﾍﾞﾝﾄ").accessKey = 'E';
    AddMenuItem(*this, "Eve", "Eve_Pit", 31, "ﾋﾟｯﾄｲﾝ", 'P');
    AddMenuItem(*this, "Eve", "Eve_Pen", 32, "ﾍﾟﾅﾙﾃｨ", 'N');
    AddMenuItem(*this, "Eve", "Eve_Ten", 33, "天候変化", 'W');
    // Beside the rules: commentary that moves on by itself, at a pace the player picks.
    AddSeparator(*this, "Eve", "Eve_Sen1");
    AddMenuItem(*this, "Eve", "Eve_Auto", -1, "オート実況", 'A');
    Control& pace = Add(ControlKind::Menu, "Eve_Pace", {}, "実況の間隔");
    pace.parent = "Eve";
    pace.accessKey = 'I';
    const char* paces[] = {"0.3 秒", "1 秒", "2 秒"};
    for (int i = 1; i <= 3; ++i) AddMenuItem(*this, "Eve_Pace", "Eve_Delay", i, paces[i - 1], char('0' + i));
    (*this)("Eve_Delay", 2).checked = true;
    Add(ControlKind::Menu, "Ana", {}, "分析").accessKey = 'A';
    AddMenuItem(*this, "Ana", "Ana_Odds", -1, "チャンピオン予想", 'O');
    AddMenuItem(*this, "Ana", "Ana_Points", -1, "ポイント推移", 'P');
    // Beside the rules: the seasons of the history and the records of all of them.
    Add(ControlKind::Menu, "Rec", {}, "記録").accessKey = 'R';
    AddMenuItem(*this, "Rec", "Rec_Champions", -1, "歴代チャンピオン", 'C');
    AddMenuItem(*this, "Rec", "Rec_Past", -1, "過去のシーズン", 'P');
    AddMenuItem(*this, "Rec", "Rec_AllTime", -1, "通算記録", 'A');
    AddSeparator(*this, "Rec", "Rec_Sen1");
    AddMenuItem(*this, "Rec", "Rec_Driver", -1, "ドライバー", 'D');
    AddMenuItem(*this, "Rec", "Rec_Team", -1, "チーム", 'T');
    Add(ControlKind::Menu, "Help", {}, "ﾍﾙﾌﾟ").accessKey = 'H';
    AddMenuItem(*this, "Help", "Help_help", -1, "ﾍﾙﾌﾟ", 'H');
    AddSeparator(*this, "Help", "Help_Sen1");
    AddMenuItem(*this, "Help", "Help_Ver", -1, "ﾊﾞｰｼﾞｮﾝ", 'V');

    // Title line and grid.
    Control& title = Add(ControlKind::Label, "lblTitle", {12, 12, 610, 30}, "KARVEN");
    title.style.fontSize = 15;
    title.style.bold = true;
    for (int c = 1; c <= 6; ++c) {
        Control& h = Add(ControlKind::Label, "lblT" + std::to_string(c), {Columns[c].left, GridTop - 24,
                                                                         Columns[c].width, 20});
        h.style.align = Columns[c].align;
        h.style.bold = true;
        heading_[c] = &h;
    }
    for (int k = 1; k <= GridRows; ++k) {
        int top = GridTop + (k - 1) * GridRowHeight;
        for (int c = 1; c <= 6; ++c) {
            Control& cell = Add(ControlKind::Label, "lbl" + std::to_string(c), k,
                                {Columns[c].left, top, Columns[c].width, GridRowHeight - 1});
            cell.style.align = Columns[c].align;
            if (k % 2 == 0) cell.style.backColor = 0xEEF2F8;
            grid_[c][k] = &cell;
        }
        swatch_[k] = &Add(ControlKind::Picture, "imgCo", k, {SwatchLeft, top + 3, SwatchWidth, GridRowHeight - 7});
    }

    // Where the notices and the commentary appear.
    Control& messages = Add(ControlKind::Label, "lblMsgBox",
                            {MessageColumnLeft, 12, MessageColumnWidth - 12, geometry.height - 24}, "KARVEN");
    messages.style.border = true;
    messages.style.align = Align::Center;
    messages.style.fontSize = 22;
    messages.style.bold = true;
    messages.style.backColor = 0xF4F6FA;
    messages.textColor = 0xD0D6E2;

    // Command buttons (button view).
    const char* captions[] = {"新シーズン",       "予選",           "決勝",
                              "ﾄﾞﾗｲﾊﾞｰｽﾞﾗﾝｷﾝｸﾞ", "ｺﾝｽﾄﾗｸﾀｰｽﾞﾗﾝｷﾝｸﾞ", "シーズン成績表",
                              "個人成績表",       "ストーブリーグ", "End"};
    const char* names[] = {"cmdStart",   "cmdYosen",  "cmdKesyou", "cmdDrvRank", "cmdTimRank",
                           "cmdSeiseki", "cmdDrvSei", "cmdOffSis", "cmdEnd"};
    // Gaps separate the weekend, the championship, the off-season and the end.
    const int gapBefore[] = {0, 0, 0, 20, 0, 0, 0, 20, 20};
    int top = 24;
    for (int i = 0; i < 9; ++i) {
        top += gapBefore[i];
        Add(ControlKind::Button, names[i], {PanelLeft + 24, top, PanelWidth - 48, 42}, captions[i]);
        top += 52;
    }

    // Race panel (race view): weather, rain probability and the animation.
    int panel = PanelLeft;
    Add(ControlKind::Picture, "imgTitle", {panel + 8, 12, PanelWidth - 16, 40}).picture = "";
    Control& tenkiBox = Add(ControlKind::Label, "lblTenkiBox", {panel, 60, PanelWidth, 168});
    tenkiBox.style.border = true;
    Add(ControlKind::Label, "lblTenki", {panel + 12, 68, 120, 22}, "天気").style.bold = true;
    Add(ControlKind::Picture, "imgTenki", 0, {panel + 12, 94, 120, 90});
    for (int i = 1; i <= 3; ++i) Add(ControlKind::Picture, "imgTenki", i, {panel + 12, 94, 120, 90}).visible = false;
    Add(ControlKind::Label, "lblKakuritulbl", {panel + 148, 68, 136, 22}, "降水確率").style.bold = true;
    Control& kousui = Add(ControlKind::Label, "lblKousui", {panel + 148, 100, 136, 52});
    kousui.style.fontSize = 28;
    kousui.style.bold = true;
    kousui.style.align = Align::Center;
    Control& scale = Add(ControlKind::Label, "lblKakuritu", {panel + 148, 160, 136, 22}, "晴 0⇔100 雨");
    scale.style.align = Align::Center;
    Control& box = Add(ControlKind::Label, "lblBox", {panel, 240, PanelWidth, 236});
    box.style.border = true;
    Add(ControlKind::Picture, "imgAnime", {panel + 8, 248, PanelWidth - 16, 220});

    defaultButton.clear();
    cancelButton.clear();
}

void FrmKarvenRace::SpanTeamColumn(bool span) {
    const int spanned = Columns[3].left + Columns[3].width - Columns[2].left;
    for (int k = 1; k <= GridRows; ++k) {
        lbl(2, k).rect.width = span ? spanned : Columns[2].width;
        lbl(3, k).visible = !span;
    }
}

} // namespace karven
