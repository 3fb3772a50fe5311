#include "editors/TimSet.h"

#include <algorithm>
#include <utility>

#include "editors/EditorLayout.h"
#include "editors/SisSet.h"
#include "season/Numbers.h"
#include "season/Translate.h"
#include "season/Utf8.h"
#include "shell/Grades.h"
#include "shell/Grid.h"
#include "shell/MessageWindows.h"
#include "shell/Platform.h"
#include "shell/SeasonText.h"
#include "shell/Shell.h"

namespace karven {

using namespace editors;

namespace {
constexpr int Margin = 16;
constexpr int ListWidth = 250;
constexpr int PaneLeft = Margin + ListWidth + 16;
constexpr int PaneWidth = 280;
constexpr int CaptionWidth = 84;
constexpr int FieldLeft = PaneLeft + CaptionWidth;
constexpr int FieldWidth = PaneWidth - CaptionWidth;
constexpr int RowStep = 34;
constexpr int Width = PaneLeft + PaneWidth + Margin;
constexpr int ColorTurn = 10000; // "0000".."9999"
constexpr const char* Dot = "・";

const GradeField<TimRecord> Grades[] = {
    {"スピード", "lblSp", &TimRecord::Speed, Scale::Low,
     "スピード（A〜E、A が最高）：直線の速さ。予選と決勝のタイムに効き、速いコースほど差が出ます。"},
    {"空力", "lblSh", &TimRecord::Aero, Scale::Low, "空力（A〜E、A が最高）：予選と決勝のラップタイムに効きます。"},
    {"安定性", "lblAn", &TimRecord::Stability, Scale::High,
     "安定性（A〜E、A が最高）：マシンの信頼性。低いほどリタイアしやすくなります。"},
};

Control& List(FrmKarvenTimSet& form) {
    return form("lstTim");
}
int Teams(FrmKarvenTimSet& form) {
    return int(List(form).items.size());
}
int Drivers(const FrmKarvenTimSet& form) {
    return int(form.DrvEditTable.size()) - 1;
}

TimRecord* Edited(FrmKarvenTimSet& form) {
    return form.TimIdx >= 0 && form.TimIdx < Teams(form) ? &form.TimEditTable[form.TimIdx + 1] : nullptr;
}

// The empty number is no seat, so a team without a number holds nobody.
bool Holds(const TimRecord& team, const DrvRecord& driver) {
    return !team.TimNo.empty() && driver.TimNo == team.TimNo;
}

// Drivers beyond the two seats keep their place in the team; the window says they are there.
void ShowOthers(FrmKarvenTimSet& form, const TimRecord& team) {
    int others = 0;
    for (int d = 1; d <= Drivers(form); ++d)
        others += Holds(team, form.DrvEditTable[d]) && d != form.SeatDrv[1] && d != form.SeatDrv[2];
    form("lblDrvMore").text = others > 0 ? TrF("ほかに {1} 人在籍", others) : "";
}

void ShowSeat(FrmKarvenTimSet& form, int seat, int driver) {
    form.SeatDrv[seat] = driver;
    Control& slot = form("cboDrv", seat);
    slot.text = driver ? form.DrvEditTable[driver].DrvNm : "";
    slot.listIndex = -1;
}

void ShowSeats(FrmKarvenTimSet& form, const TimRecord& team) {
    int seat = 0;
    form.SeatDrv = {};
    for (int d = 1; d <= Drivers(form) && seat < 2; ++d)
        if (Holds(team, form.DrvEditTable[d])) ShowSeat(form, ++seat, d);
    while (seat < 2) ShowSeat(form, ++seat, 0);
    ShowOthers(form, team);
}

void ShowColor(FrmKarvenTimSet& form, Shell& shell, const TimRecord& team) {
    std::string path = ColorFilePath(shell, team.ColorNo, 1);
    // A missing or broken picture shows nothing rather than failing.
    form("imgCo").picture = shell.platform.CheckPicture(path) == PictureState::Loaded ? path : "";
    form("lblCo").text = team.ColorNo;
}

void Select(FrmKarvenTimSet& form, Shell& shell, int line) {
    List(form).listIndex = line;
    TimSetSelect(form, shell);
}

void EnableEditing(FrmKarvenTimSet& form, bool on) {
    // Until a team is chosen, so that nothing typed is lost.
    for (Control* c : {&form("txtTimNm"), &form("txtEngNm"), &form("cboDrv", 1), &form("cboDrv", 2)})
        c->enabled = on;
}
} // namespace

FrmKarvenTimSet::FrmKarvenTimSet(Shell& shell) : Form("frmkarventimset", "チーム設定"), shell_(shell) {
    // Controls in the order Tab walks them.
    Control& list = Add(ControlKind::ListBox, "lstTim", {Margin, Margin, ListWidth, 0});
    list.style.fontSize = FontSize;
    list.onClick = [this] { TimSetSelect(*this, shell_); };
    list.toolTip = "チームの一覧です。選んだチームを右側で編集します。";
    list.spoken = "チーム一覧";

    int top = Margin;
    int caption = 1;
    for (bool engine : {false, true}) {
        Control& label = AddText(*this, "lblCaption", caption++, {PaneLeft, top, CaptionWidth, ArrowSize},
                                 engine ? "エンジン" : "チーム");
        Control& box = Add(ControlKind::TextBox, engine ? "txtEngNm" : "txtTimNm",
                           {FieldLeft, top, FieldWidth, ArrowSize});
        box.labelledBy = label.Key();
        box.style.fontSize = FontSize;
        KeepFileSafe(box);
        box.toolTip = engine ? "エンジン名。「チーム・エンジン」の形で保存されます。" : "チーム名。";
        box.onGotFocus = [this] { TimSetFocus(*this); };
        box.onLostFocus = [this, engine] { TimSetNameLeft(*this, engine); };
        top += RowStep;
    }

    top += 10;
    for (int i = 0; i < 3; ++i) {
        StepRow row = AddStepRow(*this, caption++, Grades[i].caption, Grades[i].label, i,
                                 {PaneLeft, top, PaneWidth, ArrowSize}, CaptionWidth);
        row.Explain(Grades[i].toolTip);
        row.OnStep(*this, [this, i](int by) { TimSetGradeStep(*this, i, by); });
        top += RowStep;
    }

    // The colour: the team's swatch, its number, and the arrows that search for the next one.
    StepRow color = AddStepRow(*this, caption++, "カラー", "lblCo", 3, {PaneLeft, top, PaneWidth, ArrowSize},
                               CaptionWidth);
    const int swatchWidth = 64;
    color.value.rect.left += swatchWidth + 8;
    color.value.rect.width -= swatchWidth + 8;
    Control& swatch = Add(ControlKind::Picture, "imgCo", {FieldLeft, top + 2, swatchWidth, ArrowSize - 4});
    swatch.style.border = true;
    color.Explain("マシンカラー（番号 0000〜9999）。▲▼ で画像のある番号を探します。");
    swatch.toolTip = color.value.toolTip;
    color.OnStep(*this, [this](int by) { TimSetColorStep(*this, shell_, by); });
    swatch.spoken = "マシンカラー";
    top += RowStep + 10;

    for (int seat = 1; seat <= 2; ++seat) {
        AddText(*this, "lblCaption", caption++, {PaneLeft, top, CaptionWidth, ArrowSize},
                seat == 1 ? "ドライバー" : "");
        Control& slot = Add(ControlKind::ComboBox, "cboDrv", seat, {FieldLeft, top, FieldWidth, ArrowSize});
        slot.style.fontSize = FontSize;
        slot.spoken = seat == 1 ? "ドライバー1" : "ドライバー2"; // the second seat's caption is blank
        slot.toolTip = "このチームのドライバー。一覧から選ぶか名前を入力します。空欄でシートを空けます。";
        slot.onGotFocus = [this, seat] { TimSetSeatGot(*this, seat); };
        slot.onLostFocus = [this, seat] { TimSetSeatLeft(*this, seat); };
        top += RowStep;
    }
    AddText(*this, "lblDrvMore", -1, {FieldLeft, top - 6, FieldWidth, 20}, "", Align::Right);
    top += 20;

    ButtonPair edit = AddButtonPair(*this, PaneLeft, top, PaneWidth, "cmdAdd", "AddNew", "cmdDel", "Delete");
    edit.left.onClick = [this] {
        TimSetAdd(*this, shell_);
        focusRequest = "txtTimNm"; // the new entry's name is what the player types next
    };
    edit.right.onClick = [this] { TimSetDelete(*this, shell_); };
    edit.left.toolTip = "チームを追加します（最大 16 チーム）。";
    edit.right.toolTip = "選んだチームを削除します。所属ドライバーは所属なしになります。";
    top += ButtonHeight + 24;
    AddOkCancel(*this, PaneLeft, top, PaneWidth).onClick = [this] { TimSetCommit(*this, shell_); };
    top += ButtonHeight;

    list.rect.height = top - Margin;
    geometry = {0, 0, Width, top + Margin};
}

void FrmKarvenTimSet::Load() {
    TimSetLoad(*this, shell_);
}

void ShowTimSet(Shell& shell) {
    FrmKarvenTimSet form(shell);
    shell.platform.ShowModal(form);
}

TeamName SplitTimNm(std::string_view timNm) {
    size_t dot = timNm.find(Dot);
    if (dot == std::string_view::npos) return {std::string(timNm), std::string(timNm)};
    return {std::string(timNm.substr(0, dot)),
            Utf8Mid(timNm.substr(dot + std::string_view(Dot).size()), 0, NameLength)};
}

std::string JoinTimNm(const std::string& team, const std::string& engine, bool leftEngine) {
    if (!leftEngine && team.empty()) return engine;
    // Equal boxes hold one name: stored once, without the dot.
    if (engine.empty() || team == engine) return team;
    return team + Dot + engine;
}

void TimSetLoad(FrmKarvenTimSet& form, Shell& shell) {
    PlaceTopRight(form, shell.main.geometry);
    const Season& season = shell.season;
    for (const char* box : {"txtTimNm", "txtEngNm", "lblSp", "lblSh", "lblAn", "lblCo", "lblDrvMore"})
        form(box).text.clear();
    form("imgCo").picture.clear();

    // Counts beyond the records held never read past them.
    int teams =
        std::clamp(ReadCount(season.TimCount), 0, std::min(int(season.TimTable.size()) - 1, MaxTimCount));
    form.TimEditTable.assign(MaxTimCount + 1, TimRecord{});
    std::copy_n(season.TimTable.begin() + 1, teams, form.TimEditTable.begin() + 1);
    Control& list = List(form);
    list.items.clear();
    for (int i = 1; i <= teams; ++i) list.items.push_back(season.TimTable[i].TimNm);
    list.listIndex = -1;

    int drivers = std::clamp(ReadCount(season.DrvCount), 0, int(season.DrvTable.size()) - 1);
    form.DrvEditTable.assign(season.DrvTable.begin(), season.DrvTable.begin() + drivers + 1);
    for (int seat = 1; seat <= 2; ++seat) {
        Control& slot = form("cboDrv", seat);
        slot.text.clear();
        slot.listIndex = -1;
        slot.items.clear();
        for (int d = 1; d <= drivers; ++d) slot.items.push_back(form.DrvEditTable[d].DrvNm);
    }
    form.TimIdx = -1;
    form.SeatDrv = {};
    form.StoredAt.resize(size_t(teams) + 1);
    for (int t = 0; t <= teams; ++t) form.StoredAt[size_t(t)] = t;
    EnableEditing(form, false);
}

void TimSetSelect(FrmKarvenTimSet& form, Shell& shell) {
    form.TimIdx = List(form).listIndex;
    TimRecord* team = Edited(form);
    if (!team) form.TimIdx = -1;
    EnableEditing(form, team != nullptr);
    if (!team) return;
    TeamName name = SplitTimNm(team->TimNm);
    form("txtTimNm").text = name.team;
    form("txtEngNm").text = name.engine;
    ShowColor(form, shell, *team);
    for (const auto& g : Grades) g.Show(form, *team);
    ShowSeats(form, *team);
}

void TimSetFocus(FrmKarvenTimSet& form) {
    form.TimIdx = List(form).listIndex;
}

void TimSetNameLeft(FrmKarvenTimSet& form, bool leftEngine) {
    TimRecord* team = Edited(form);
    if (!team) return;
    team->TimNm = JoinTimNm(form("txtTimNm").text, form("txtEngNm").text, leftEngine);
    List(form).items[form.TimIdx] = team->TimNm;
}

void TimSetSeatGot(FrmKarvenTimSet& form, int seat) {
    form.TimIdx = List(form).listIndex;
    form.SlotDrvNm = form("cboDrv", seat).text;
    form.SlotDrv = form.SeatDrv[seat];
}

void TimSetSeatLeft(FrmKarvenTimSet& form, int seat) {
    TimRecord* team = Edited(form);
    if (!team) return;
    const std::string& text = form("cboDrv", seat).text;
    // A seat passed through unchanged changes nothing, also when two drivers share the name.
    if (text == form.SlotDrvNm) return;
    // The driver shown in the seat leaves it, not a namesake in another team.
    if (form.SlotDrv > 0 && form.SlotDrv <= Drivers(form) && Holds(*team, form.DrvEditTable[form.SlotDrv]))
        form.DrvEditTable[form.SlotDrv].TimNo.clear();
    form.SlotDrv = 0;
    // The first driver of the name takes the seat, from another team if he sat there; an empty
    // seat or a name nobody has seats nobody, and the seat shows empty.
    int taken = 0;
    for (int d = 1; d <= Drivers(form) && !text.empty() && !taken; ++d)
        if (form.DrvEditTable[d].DrvNm == text) taken = d;
    if (taken) form.DrvEditTable[taken].TimNo = team->TimNo;
    // Each seat keeps what the player put there; a driver moved from the other seat leaves it.
    ShowSeat(form, seat, taken);
    if (taken && form.SeatDrv[3 - seat] == taken) ShowSeat(form, 3 - seat, 0);
    ShowOthers(form, *team);
}

void TimSetGradeStep(FrmKarvenTimSet& form, int grade, int step) {
    TimRecord* team = Edited(form);
    if (!team || grade < 0 || grade > 2) return;
    Grades[grade].Step(form, *team, step);
}

void TimSetColorStep(FrmKarvenTimSet& form, Shell& shell, int step) {
    TimRecord* team = Edited(form);
    if (!team) return;
    const std::string before = team->ColorNo;
    // Down wraps from "9999" to "0000", up from "0001" to "9999"; a missing picture is skipped.
    for (int tried = 0; tried < ColorTurn; ++tried) {
        int n = ReadCount(team->ColorNo) + step;
        if (step > 0)
            team->ColorNo = n >= 0 && n <= 9999 ? Format0000(n) : "0000";
        else
            team->ColorNo = n > 0 && n <= 9999 ? Format0000(n) : "9999";
        std::string path = ColorFilePath(shell, team->ColorNo, 1);
        PictureState state = shell.platform.CheckPicture(path);
        if (state == PictureState::Missing) continue;
        // A picture that is there but cannot be read ends the step on its number; picture and
        // number shown stay, and the next press goes on from it.
        if (state == PictureState::Unreadable) return;
        form("imgCo").picture = path;
        form("lblCo").text = team->ColorNo;
        return;
    }
    // A whole turn without a single colour picture.
    team->ColorNo = before;
    shell.MsgText = Tr("マシンカラーの画像が\r\n見つかりません！");
    ShowOk(shell);
}

void TimSetAdd(FrmKarvenTimSet& form, Shell& shell) {
    int teams = Teams(form);
    if (teams + 1 > MaxTimCount) {
        shell.MsgText = TrF("チーム数は、\r\n最大 {1} チームです！", MaxTimCount);
        ShowOk(shell);
        return;
    }
    int n = teams + 1;
    form.TimEditTable[n] = NewTimRecord(n);
    form.StoredAt.resize(size_t(n) + 1);
    form.StoredAt[size_t(n)] = 0;
    // A seat stored with a number no team had was no seat; it stays none rather than filling the
    // new team behind the player's back.
    for (int d = 1; d <= Drivers(form); ++d) {
        DrvRecord& driver = form.DrvEditTable[d];
        if (driver.TimNo.empty() || ReadCount(driver.TimNo) != n) continue;
        bool held = false;
        for (int t = 1; t < n; ++t) held = held || Holds(form.TimEditTable[t], driver);
        if (!held) driver.TimNo.clear();
    }
    List(form).items.push_back(form.TimEditTable[n].TimNm);
    Select(form, shell, n - 1);
}

void TimSetDelete(FrmKarvenTimSet& form, Shell& shell) {
    Control& list = List(form);
    int teams = Teams(form);
    int s = list.listIndex;
    if (s < 0 || s >= teams) {
        shell.MsgText = Tr("先に\r\n削除するチームを選択してください！");
        ShowOk(shell);
        return;
    }
    if (teams <= 1) return;
    std::vector<DrvRecord>& drivers = form.DrvEditTable;
    for (int d = 1; d <= Drivers(form); ++d)
        if (Holds(form.TimEditTable[s + 1], drivers[d])) drivers[d].TimNo.clear();
    // The teams behind move up one place and their drivers follow them.
    for (int j = s + 2; j <= teams; ++j) {
        form.TimEditTable[j - 1] = form.TimEditTable[j];
        form.TimEditTable[j - 1].TimNo = Format00(j - 1);
        for (int d = 1; d <= Drivers(form); ++d)
            if (Holds(form.TimEditTable[j], drivers[d])) drivers[d].TimNo = form.TimEditTable[j - 1].TimNo;
    }
    form.TimEditTable[teams] = TimRecord{};
    if (size_t(s) + 1 < form.StoredAt.size()) form.StoredAt.erase(form.StoredAt.begin() + s + 1);
    list.items.erase(list.items.begin() + s);
    Select(form, shell, s < teams - 1 ? s : s - 1);
}

void TimSetCommit(FrmKarvenTimSet& form, Shell& shell) {
    Season& season = shell.season;
    int teams = Teams(form);
    season.TimCount = FormatPlain(teams);
    std::vector<TimRecord> table(form.TimEditTable.begin(), form.TimEditTable.begin() + teams + 1);
    // The file drops spaces at either end; dropping them here keeps the season as it will read back.
    for (TimRecord& team : table) team.TimNm = Trim(team.TimNm);
    table[0] = TimRecord{};
    std::vector<TimRecord> before = std::exchange(season.TimTable, std::move(table));
    season.DrvTable = form.DrvEditTable;
    std::vector<int> drivers(season.DrvTable.size());
    for (size_t d = 0; d < drivers.size(); ++d) drivers[d] = int(d);
    FollowTableEdits(season, season.DrvTable, before, drivers, form.StoredAt);
    FitNinCount(season);
    form.Close();
}

} // namespace karven
