#include "principal/FrmPrincipal.h"

#include "history/HistoryLayout.h"
#include "management/Management.h"
#include "principal/Board.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Grades.h"
#include "shell/Grid.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven::principal {

using namespace history;

namespace {
constexpr int Width = 1040;
constexpr int TableTop = 86;
constexpr int TableHeight = 340;

std::string Drivers(const Season& season, const TimRecord& t) {
    std::string names;
    for (size_t d = 1; d < season.DrvTable.size(); ++d) {
        if (t.TimNo.empty() || season.DrvTable[d].TimNo != t.TimNo) continue;
        if (!names.empty()) names += Tr("、");
        names += season.DrvTable[d].DrvNm;
    }
    return names;
}

int Teams(const Season& season) { return int(season.TimTable.size()) - 1; }
} // namespace

FrmPrincipal::FrmPrincipal(Shell& shell) : Form(FormName, "監督モード"), shell_(shell) {
    const Season& season = shell.season;
    geometry = {0, 0, Width, TableTop + TableHeight + 2 * Margin + ButtonHeight};
    Control& title = Add(ControlKind::Label, "lblTitle", {Margin, 10, Width - 2 * Margin, 28}, "監督になるチームを選んでください");
    title.style.fontSize = 14;
    title.style.bold = true;
    Add(ControlKind::Label, "lblHint", {Margin, 42, Width - 2 * Margin, 40},
        "決勝のピットインとタイヤ、ストーブリーグの残留とオファーを決め、シーズンごとにチームの目標で評価されます。"
        "チームの資金・開発・スポンサー・契約も任され、ワールドの変化がオンになります（設定 → 本部）。")
        .style.wrap = true;
    Control& table = AddTable(*this, {Margin, TableTop, Width - 2 * Margin, TableHeight},
                              {{"チーム", 0},
                               {"ｽﾋﾟｰﾄﾞ", 60, Align::Center},
                               {"空力", 48, Align::Center},
                               {"安定性", 56, Align::Center},
                               {"ドライバー", 0},
                               {"戦力", 48, Align::Right},
                               {"目標", 190}});
    const int mine = TeamInCharge(season);
    for (int t = 1; t <= Teams(season); ++t) {
        const TimRecord& r = season.TimTable[size_t(t)];
        table.rows.push_back({r.TimNm, GradeLetter(r.Speed, Scale::Low), GradeLetter(r.Aero, Scale::Low),
                              GradeLetter(r.Stability, Scale::High), Drivers(season, r),
                              TrF("{1}位", FormatPlain(StrengthRank(season, t))), TargetText(BoardTarget(season, t))});
    }
    table.listIndex = mine > 0 ? mine - 1 : (Teams(season) > 0 ? 0 : -1);

    const int top = geometry.height - Margin - ButtonHeight;
    int left = AddButton(*this, "cmdTake", "このチームの監督になる", Margin, top, 'T', 200);
    AddButton(*this, "cmdLeave", "監督をやめる", left, top, 'L', 150);
    AddClose(*this, top, "キャンセル");
    (*this)("cmdTake").enabled = Teams(season) > 0;
    (*this)("cmdLeave").enabled = mine > 0;
    (*this)("cmdTake").onClick = [this] {
        int row = (*this)("tblRec").listIndex;
        Season& s = shell_.season;
        if (row >= 0 && row < Teams(s)) {
            const std::string& no = s.TimTable[size_t(row + 1)].TimNo;
            if (no != s.history.principal.TimNo) TakeCharge(s, no);
        }
        Close();
    };
    (*this)("cmdLeave").onClick = [this] {
        TakeCharge(shell_.season, "");
        Close();
    };
    defaultButton = "cmdTake";
}

void FrmPrincipal::Load() {
    Place(shell_.main.geometry.left, shell_.main.geometry.top);
    focusRequest = "tblRec";
}

FrmPrincipalPage::FrmPrincipalPage(Shell& shell) : Form(FormName, "監督の記録"), shell_(shell) {
    const PrincipalState& p = shell.season.history.principal;
    geometry = {0, 0, Width, TableTop + TableHeight + 2 * Margin + ButtonHeight};
    Control& title = Add(ControlKind::Label, "lblTitle", {Margin, 10, Width - 2 * Margin, 28});
    title.text = p.InCharge() ? TrF("監督：{1}（今シーズンの目標：{2}）", p.TimNm, TargetText(p.target)) : Tr("監督：なし");
    title.style.fontSize = 14;
    title.style.bold = true;
    int met = 0, titles = 0, constructors = 0;
    for (const PrincipalSeason& s : p.seasons) {
        met += s.verdict != Verdict::Missed;
        titles += s.driversTitle;
        constructors += s.place == 1;
    }
    Add(ControlKind::Label, "lblSummary", {Margin, 42, Width - 2 * Margin, 28})
        .text = TrF("監督として {1} シーズン　目標達成 {2}　ドライバーズタイトル {3}　コンストラクターズタイトル {4}",
                    FormatPlain(int(p.seasons.size())), FormatPlain(met), FormatPlain(titles), FormatPlain(constructors));
    Control& table = AddTable(*this, {Margin, TableTop, Width - 2 * Margin, TableHeight},
                              {{"シーズン", 72, Align::Right},
                               {"チーム", 0},
                               {"目標", 190},
                               {"結果", 64, Align::Right},
                               {"評価", 110},
                               {"資金", 150, Align::Right},
                               {"備考", 0}});
    for (const PrincipalSeason& s : p.seasons) {
        std::string note;
        if (s.driversTitle) note = Tr("ドライバーズタイトル");
        if (s.dismissed) note += (note.empty() ? "" : Tr("、")) + std::string(Tr("解任"));
        // The money the season began and ended with, when the team was run with it.
        const ManagedSeason* books = management::BooksOf(shell.season, s.season, s.TimNm);
        std::string money = books ? management::MoneyText(books->start) + " → " + management::MoneyText(books->end) : "—";
        if (books && books->bankrupt) note += (note.empty() ? "" : Tr("、")) + std::string(Tr("破産"));
        table.rows.push_back({FormatPlain(s.season), s.TimNm, TargetText(s.target),
                              s.place > 0 ? TrF("{1}位", FormatPlain(s.place)) : "—", VerdictText(s.verdict), money, note});
    }
    if (table.rows.empty()) table.rows.push_back({"", Tr("まだ評価されたシーズンはありません。"), "", "", "", "", ""});
    AddClose(*this, geometry.height - Margin - ButtonHeight);
    defaultButton = "cmdClose";
}

void FrmPrincipalPage::Load() {
    Place(shell_.main.geometry.left, shell_.main.geometry.top);
    focusRequest = "cmdClose";
}

void ChoosePrincipal(Shell& shell) {
    FrmPrincipal form(shell);
    shell.platform.ShowModal(form);
    ShowPrincipal(shell);
}

void ShowPrincipalPage(Shell& shell) {
    FrmPrincipalPage form(shell);
    shell.platform.ShowModal(form);
}

void ShowPrincipal(Shell& shell) {
    const Season& season = shell.season;
    const int team = TeamInCharge(season);
    Control& label = shell.main("lblPrincipal");
    Control& swatch = shell.main("imgPrincipal");
    label.visible = swatch.visible = team != 0;
    shell.main("Set_Principal").checked = team != 0;
    shell.main("Set_HQ").enabled = management::Running(season);
    if (team == 0) return;
    const TimRecord& t = season.TimTable[size_t(team)];
    const PrincipalState& p = season.history.principal;
    label.text = TrF("監督：{1}", t.TimNm) + "\r\n" + (p.target > 0 ? TrF("目標：{1}", TargetText(p.target)) : "");
    // The money is the tool tip's: the panel has room for two lines on a laptop's screen.
    label.toolTip = management::Running(season)
                        ? TrF("資金：{1}", management::MoneyText(season.history.management.teams[size_t(team)].cash))
                        : "";
    swatch.picture = ColorFilePath(shell, t.ColorNo, 1);
}

} // namespace karven::principal
