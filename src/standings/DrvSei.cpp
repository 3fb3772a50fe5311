#include "standings/DrvSei.h"

#include <algorithm>

#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

namespace {
int DriverCount(const Season& season) {
    return std::clamp(ReadCount(season.DrvCount), 0, int(season.DrvTable.size()) - 1);
}

constexpr int Left = 16;
constexpr int CaptionWidth = 110;
constexpr int ValueLeft = Left + CaptionWidth;
constexpr int ValueWidth = 60;
constexpr int UnitLeft = ValueLeft + ValueWidth + 4;
constexpr int RowTop = 56;
constexpr int RowHeight = 28;
constexpr int FontSize = 11;

struct Row {
    const char* caption;
    const char* value;
    const char* unit;
};
constexpr Row Rows[] = {
    {C_("count", "ＧＰ"), "lblGp", "戦"}, {C_("count", "チャンピオン"), "lblWc", "回"}, {"優勝", "lblYu", "回"},
    {"ＰＰ", "lblPp", "回"},             {C_("count", "ＦＬ"), "lblFl", "回"},           {"獲得ポイント", "lblPo", "Ｐ"},
};

Control& AddLabel(Form& form, const std::string& name, int index, Rect rect, const std::string& text,
                  Align align) {
    Control& c = form.Add(ControlKind::Label, name, index, rect, text);
    c.style.fontSize = FontSize;
    c.style.align = align;
    return c;
}
} // namespace

FrmKarvenDrvSei::FrmKarvenDrvSei(Shell& shell) : Form("frmkarvenDrvSei", "ドライバー実績"), shell_(shell) {
    geometry = {0, 0, 380, RowTop + 6 * RowHeight + 60};

    Control& name = AddLabel(*this, "lblNm", -1, {Left, 14, 260, 28}, "", Align::Left);
    name.style.fontSize = 14;
    name.style.bold = true;
    name.style.border = true;
    Control& up = Add(ControlKind::Button, "cmdUp", {300, 12, 30, 30}, "▲");
    up.onClick = [this] {
        DrvSeiPrev(*this, shell_);
        Announce((*this)("lblNm").text);
    };
    up.spoken = "前のドライバー";
    Control& down = Add(ControlKind::Button, "cmdDn", {334, 12, 30, 30}, "▼");
    down.onClick = [this] {
        DrvSeiNext(*this, shell_);
        Announce((*this)("lblNm").text);
    };
    down.spoken = "次のドライバー";
    // Beside the arrows: where in the table this driver stands, and paging by the keyboard.
    Control& page = AddLabel(*this, "lblPage", -1, {Left, geometry.height - 40, 120, 22}, "", Align::Left);
    page.style.fontSize = 10;
    keyButtons = {{"Up", "cmdUp"}, {"PageUp", "cmdUp"}, {"Left", "cmdUp"},
                  {"Down", "cmdDn"}, {"PageDown", "cmdDn"}, {"Right", "cmdDn"}};

    for (int i = 0; i < 6; ++i) {
        int top = RowTop + i * RowHeight;
        AddLabel(*this, "lblCaption", i + 1, {Left, top, CaptionWidth, 22}, Rows[i].caption, Align::Left);
        AddLabel(*this, Rows[i].value, -1, {ValueLeft, top, ValueWidth, 22}, "", Align::Right);
        AddLabel(*this, "lblUnit", i + 1, {UnitLeft, top, 24, 22}, Rows[i].unit, Align::Left);
    }
    // The best place shares the wins row.
    int winsTop = RowTop + 2 * RowHeight;
    AddLabel(*this, "lblBestOpen", -1, {UnitLeft + 28, winsTop, 60, 22}, "（最高", Align::Left);
    AddLabel(*this, "lblSa", -1, {UnitLeft + 88, winsTop, 36, 22}, "", Align::Right);
    AddLabel(*this, "lblBestClose", -1, {UnitLeft + 126, winsTop, 40, 22}, "位）", Align::Left);

    Add(ControlKind::Button, "cmdOK", {geometry.width - 116, geometry.height - 44, 100, 30}, "OK").onClick =
        [this] { Close(); };
    defaultButton = cancelButton = "cmdOK";
    // Beside the rules: the driver's seasons in the history.
    Control& seasons = Add(ControlKind::Button, "cmdSeasons", {geometry.width - 224, geometry.height - 44, 100, 30},
                           "シーズン別");
    seasons.accessKey = 'H';
    seasons.visible = bool(shell.ShowDriverRecord);
    seasons.onClick = [this] {
        int count = DriverCount(shell_.season);
        if (count == 0 || !shell_.ShowDriverRecord) return;
        shell_.ShowDriverRecord(shell_.season.DrvTable[std::clamp(ReadCount(SeiDrvNo), 1, count)].DrvNm);
    };
}

void FrmKarvenDrvSei::Load() { DrvSeiLoad(*this, shell_); }

void ShowDrvSei(Shell& shell, const std::string& number) {
    int count = DriverCount(shell.season);
    if (count == 0) return;
    FrmKarvenDrvSei form(shell);
    int n = ReadCount(number);
    // A driver added or removed since the caller looked: show the nearest one.
    form.SeiDrvNo = n >= 1 && n <= count ? number : Format00(std::clamp(n, 1, count));
    shell.platform.ShowModal(form);
}

void DrvSeiLoad(FrmKarvenDrvSei& form, Shell& shell) {
    PlaceTopRight(form, shell.main.geometry);
    // English counts need no unit after the number: its captions say what is counted.
    if (CurrentLanguage() == Language::English)
        for (int i = 1; i <= 6; ++i) form("lblUnit", i).text.clear();
    DrvSeiDisplay(form, shell);
}

void DrvSeiDisplay(FrmKarvenDrvSei& form, Shell& shell) {
    int count = DriverCount(shell.season);
    if (count == 0) return;
    int shown = std::clamp(ReadCount(form.SeiDrvNo), 1, count);
    const DrvRecord& d = shell.season.DrvTable[shown];
    form("lblPage").text = std::to_string(shown) + " / " + std::to_string(count);
    form("lblNm").text = d.DrvNm;
    form("lblGp").text = d.CareerGp;
    form("lblWc").text = d.CareerWc;
    form("lblYu").text = d.CareerWins;
    form("lblSa").text = d.CareerBest == "0" ? "" : d.CareerBest; // "0": no best place yet
    form("lblPp").text = d.CareerPp;
    form("lblFl").text = d.CareerFl;
    form("lblPo").text = d.CareerPoints;
}

namespace {
// The number shown, kept inside the table so that paging cannot overflow.
int Shown(const FrmKarvenDrvSei& form, int count) {
    return std::clamp(ReadCount(form.SeiDrvNo), 1, std::max(count, 1));
}
} // namespace

void DrvSeiPrev(FrmKarvenDrvSei& form, Shell& shell) {
    int n = Shown(form, DriverCount(shell.season));
    form.SeiDrvNo = n - 1 > 0 ? Format00(n - 1) : Format00(DriverCount(shell.season));
    DrvSeiDisplay(form, shell);
}

void DrvSeiNext(FrmKarvenDrvSei& form, Shell& shell) {
    int n = Shown(form, DriverCount(shell.season));
    form.SeiDrvNo = DriverCount(shell.season) >= n + 1 ? Format00(n + 1) : "01";
    DrvSeiDisplay(form, shell);
}

} // namespace karven
