#include "editors/SisSet.h"

#include <algorithm>
#include <utility>

#include "editors/EditorLayout.h"
#include "editors/GpSet.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

using namespace editors;

namespace {
constexpr int Left = 20;
constexpr int CaptionWidth = 126;
constexpr int ValueLeft = Left + CaptionWidth;
constexpr int ValueWidth = 60;
constexpr int UnitLeft = ValueLeft + ValueWidth + 6;
constexpr int UnitWidth = 34;
constexpr int ArrowLeft = UnitLeft + UnitWidth + 4;
constexpr int RowTop = 20;
constexpr int RowStep = 44;
constexpr int Width = ArrowLeft + 2 * ArrowSize + 4 + Left;

struct Row {
    const char* caption;
    const char* value;
    const char* unit;
    const char* toolTip;
};
constexpr Row Rows[] = {
    {"予選通過人数", "lblNin", "人", "予選を通過して決勝に出走する人数（1 人からチームに所属するドライバーの数まで）。"},
    {"レース周回数", "lblSyu", "周", "決勝の周回数（5・10・20・40 周）。"},
    {"グランプリ数", "lblGp", "ＧＰ", "シーズンのグランプリ数（最大 17）。EDIT で日程とコースを編集します。"},
};
} // namespace

FrmKarvenSisSet::FrmKarvenSisSet(Shell& shell) : Form("frmkarvensisset", "シーズン設定"), shell_(shell) {
    const int buttonsTop = RowTop + 3 * RowStep + 6;
    geometry = {0, 0, Width, buttonsTop + ButtonHeight + 16};

    for (int i = 0; i < 3; ++i) {
        int top = RowTop + i * RowStep;
        AddText(*this, "lblCaption", i + 1, {Left, top, CaptionWidth, ArrowSize}, Rows[i].caption).toolTip =
            Rows[i].toolTip;
        AddValueBox(*this, Rows[i].value, {ValueLeft, top, ValueWidth, ArrowSize}, Align::Right).toolTip =
            Rows[i].toolTip;
        AddText(*this, "lblUnit", i + 1, {UnitLeft, top, UnitWidth, ArrowSize}, Rows[i].unit).toolTip =
            Rows[i].toolTip;
    }
    // Buttons in the order Tab walks them.
    AddArrow(*this, "cmdNinUp", ArrowLeft, RowTop, UpArrow).onClick = [this] { SisSetNinUp(*this, shell_); };
    AddArrow(*this, "cmdNinDn", ArrowLeft + ArrowSize + 4, RowTop, DownArrow).onClick = [this] {
        SisSetNinDown(*this);
    };
    AddArrow(*this, "cmdSyuUp", ArrowLeft, RowTop + RowStep, UpArrow).onClick = [this] {
        SisSetSyuStep(*this, +1);
    };
    AddArrow(*this, "cmdSyuDn", ArrowLeft + ArrowSize + 4, RowTop + RowStep, DownArrow).onClick = [this] {
        SisSetSyuStep(*this, -1);
    };
    Add(ControlKind::Button, "cmdGp", {ArrowLeft, RowTop + 2 * RowStep, 2 * ArrowSize + 4, ArrowSize}, "EDIT")
        .onClick = [this] {
        FrmKarvenGpSet calendar(shell_, this);
        shell_.platform.ShowModal(calendar);
    };
    Add(ControlKind::Button, "cmdOK", {Width - Left - 208, buttonsTop, 100, ButtonHeight}, "OK").onClick =
        [this] { SisSetCommit(*this, shell_); };
    Add(ControlKind::Button, "cmdCancel", {Width - Left - 100, buttonsTop, 100, ButtonHeight}, "Cancel")
        .onClick = [this] { Close(); };
    // The arrows say what they change; OK and Cancel what they do.
    const std::pair<const char*, int> arrows[] = {
        {"cmdNinUp", 0}, {"cmdNinDn", 0}, {"cmdSyuUp", 1}, {"cmdSyuDn", 1}, {"cmdGp", 2}};
    for (auto [name, row] : arrows) (*this)(name).toolTip = Rows[row].toolTip;
    (*this)("cmdNinUp").spoken = TrF("{1}を上へ", Tr(Rows[0].caption));
    (*this)("cmdNinDn").spoken = TrF("{1}を下へ", Tr(Rows[0].caption));
    (*this)("cmdSyuUp").spoken = TrF("{1}を上へ", Tr(Rows[1].caption));
    (*this)("cmdSyuDn").spoken = TrF("{1}を下へ", Tr(Rows[1].caption));
    (*this)("cmdGp").spoken = TrF("EDIT（{1}）", Tr(Rows[2].caption)); // its caption first, as it is seen
    for (auto [name, row] : arrows)
        if (row < 2) AnnounceAfter(*this, (*this)(name), (*this)("lblCaption", row + 1), (*this)(Rows[row].value));
    (*this)("cmdOK").toolTip = "設定を確定して閉じます。";
    (*this)("cmdCancel").toolTip = "変更を捨てて閉じます。";
    defaultButton = "cmdOK";
    cancelButton = "cmdCancel";
}

void FrmKarvenSisSet::Load() { SisSetLoad(*this, shell_); }

void ShowSisSet(Shell& shell) {
    FrmKarvenSisSet form(shell);
    shell.platform.ShowModal(form);
}

void SisSetLoad(FrmKarvenSisSet& form, Shell& shell) {
    PlaceTopRight(form, shell.main.geometry);
    const SisSettings& sis = shell.season.Sis;
    form("lblGp").text = sis.GpCount;
    form("lblSyu").text = sis.SyuCount;
    form("lblNin").text = sis.NinCount;
}

void SisSetCommit(FrmKarvenSisSet& form, Shell& shell) {
    SisSettings& sis = shell.season.Sis;
    sis.GpCount = form("lblGp").text;
    sis.SyuCount = form("lblSyu").text;
    sis.NinCount = form("lblNin").text;
    form.Close();
}

int SeatedDrivers(const Season& season) {
    int seated = 0;
    for (size_t i = 1; i < season.DrvTable.size(); ++i)
        if (TeamOf(season, season.DrvTable[i])) ++seated;
    return seated;
}

void FitNinCount(Season& season) {
    int seated = SeatedDrivers(season);
    if (ReadCount(season.Sis.NinCount) > seated) season.Sis.NinCount = FormatPlain(std::max(seated, 1));
}

// The grid size steps in whole drivers, so an odd stored text cannot walk below one.
void SisSetNinUp(FrmKarvenSisSet& form, Shell& shell) {
    Control& nin = form("lblNin");
    int n = ReadCount(nin.text) + 1;
    if (ReadCount(shell.season.DrvCount) >= n && SeatedDrivers(shell.season) >= n) nin.text = FormatPlain(n);
}

void SisSetNinDown(FrmKarvenSisSet& form) {
    Control& nin = form("lblNin");
    int n = ReadCount(nin.text) - 1;
    if (n > 0) nin.text = FormatPlain(n);
}

void SisSetSyuStep(FrmKarvenSisSet& form, int step) {
    // Any other stored length, 15 say, stays as it is.
    static constexpr int Laps[] = {5, 10, 20, 40};
    Control& syu = form("lblSyu");
    double laps = ReadNumber(syu.text);
    for (int i = 0; i < 4; ++i) {
        int to = i + step;
        if (laps == Laps[i] && to >= 0 && to < 4) {
            syu.text = FormatPlain(Laps[to]);
            return;
        }
    }
}

} // namespace karven
