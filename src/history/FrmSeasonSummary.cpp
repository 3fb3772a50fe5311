#include "history/FrmSeasonSummary.h"

#include <map>

#include "history/Archive.h"
#include "history/HistoryLayout.h"
#include "history/HistoryWindows.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Grid.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

using namespace history;

namespace {
constexpr int Width = 620;
constexpr int RowHeight = 28;
constexpr int CaptionWidth = 190;
constexpr int FactsTop = 56;
constexpr int Facts = 6;
constexpr int TableTop = FactsTop + Facts * RowHeight + 30;
constexpr int TableHeight = 200;
constexpr int OffSeasonHeight = 190;
constexpr int VerdictHeight = 84; // four lines: the verdict, and the dismissal when it comes

// The one who did it most in the season, "name（N<unit>）"; the first to get there on a tie.
std::string Leader(const std::map<NameRef, int>& counts, const std::vector<NameRef>& order,
                   const ArchivedSeason& s, const char* counted) {
    NameRef best = 0;
    for (NameRef who : order)
        if (who && counts.at(who) > (best ? counts.at(best) : 0)) best = who;
    return best ? TrF("{1}（{2}）", s.Name(best), TrN(counted, counts.at(best))) : "";
}
} // namespace

SeasonFacts FactsOf(const ArchivedSeason& s) {
    SeasonFacts f;
    f.title = SeasonTitle(s);
    f.champion = s.Champion().value_or("");
    f.championTeam = s.Champion() ? s.Name(s.championTeam) : "";
    f.constructorsChampion = s.ConstructorsChampion().value_or("");
    f.standingsLeader = s.StandingsLeader() == f.champion ? "" : s.StandingsLeader();
    std::map<NameRef, int> wins, poles;
    std::vector<NameRef> winOrder, poleOrder;
    for (const ArchivedGp& gp : s.gps) {
        if (gp.pole && poles[gp.pole]++ == 0) poleOrder.push_back(gp.pole);
        for (const ArchivedCar& c : gp.result)
            if (c.place == 1 && !c.retired && wins[c.driver]++ == 0) winOrder.push_back(c.driver);
    }
    f.winsLeader = Leader(wins, winOrder, s, NN_("{1}勝"));
    f.polesLeader = Leader(poles, poleOrder, s, NN_("{1}回"));
    auto orNone = [&s](NameRef team) { return team ? s.Name(team) : std::string(Tr("―")); };
    for (const SeatMove& m : s.moves) f.moves.push_back({s.Name(m.driver), orNone(m.from), orNone(m.to)});
    return f;
}

FrmSeasonSummary::FrmSeasonSummary(Shell& shell, const ArchivedSeason& season, const OffSeasonRows& offSeason,
                                   const std::string& verdict)
    : Form("frmkarvensummary", "シーズン終了"), shell_(shell) {
    const int offSeasonTop = TableTop + TableHeight + 8;
    const int tablesEnd = offSeason.empty() ? TableTop + TableHeight : offSeasonTop + 24 + OffSeasonHeight;
    const int end = verdict.empty() ? tablesEnd : tablesEnd + 8 + VerdictHeight;
    geometry = {0, 0, Width, end + 2 * Margin + ButtonHeight};
    SeasonFacts f = FactsOf(season);
    Control& title = Add(ControlKind::Label, "lblTitle", {Margin, 12, Width - 2 * Margin, 32},
                         TrF("{1} シーズン終了", f.title));
    title.style.fontSize = 16;
    title.style.bold = true;
    title.style.align = Align::Center;
    const std::string none = Tr("―");
    const std::pair<const char*, std::string> rows[Facts] = {
        {"チャンピオン", f.champion.empty()       ? none
                         : f.championTeam.empty() ? f.champion
                                                  : TrF("{1}（{2}）", f.champion, f.championTeam)},
        {"コンストラクターズ", f.constructorsChampion.empty() ? none : f.constructorsChampion},
        {"ランキング首位", f.standingsLeader.empty() ? Tr("チャンピオンと同じ") : f.standingsLeader},
        {"最多勝", f.winsLeader.empty() ? none : f.winsLeader},
        {"最多ポールポジション", f.polesLeader.empty() ? none : f.polesLeader},
        {"移籍したドライバー", f.moves.empty() ? Tr("なし") : TrN("{1} 人", long(f.moves.size()))},
    };
    for (int i = 0; i < Facts; ++i) {
        int top = FactsTop + i * RowHeight;
        Control& caption = Add(ControlKind::Label, "lblCaption", i, {Margin, top, CaptionWidth, RowHeight - 4}, rows[i].first);
        caption.style.bold = true;
        caption.style.fontSize = 11;
        Control& value = Add(ControlKind::Label, "lblFact", i,
                             {Margin + CaptionWidth, top, Width - 2 * Margin - CaptionWidth, RowHeight - 4}, rows[i].second);
        value.style.fontSize = i == 0 ? 12 : 11;
        value.style.bold = i == 0;
    }
    Control& table = AddTable(*this, {Margin, TableTop, Width - 2 * Margin, TableHeight},
                              {{"ドライバー", 0}, {"移籍前", 0}, {"移籍後", 0}});
    table.rows = f.moves;
    if (table.rows.empty()) table.rows.push_back({Tr("移籍はありませんでした。"), "", ""});
    if (!offSeason.empty()) {
        Control& heading = Add(ControlKind::Label, "lblOffSeason", {Margin, offSeasonTop, Width - 2 * Margin, 22},
                               "オフシーズン（引退・デビュー・能力の変化）");
        heading.style.bold = true;
        heading.style.fontSize = 11;
        Control& changes = Add(ControlKind::Table, "tblOffSeason", {Margin, offSeasonTop + 24, Width - 2 * Margin, OffSeasonHeight});
        changes.style.fontSize = 10;
        changes.columns = {{"", 96}, {"ドライバー／チーム", 0}, {"内容", 0}};
        changes.rows = offSeason;
    }
    if (!verdict.empty()) {
        Control& word = Add(ControlKind::Label, "lblVerdict", {Margin, tablesEnd + 8, Width - 2 * Margin, VerdictHeight});
        word.text = verdict;
        word.style.bold = true;
        word.style.fontSize = 11;
        word.style.border = true;
        word.style.wrap = true;
    }
    int top = geometry.height - Margin - ButtonHeight;
    AddButton(*this, "cmdRecords", "記録を見る", Margin, top, 'R', 160);
    (*this)("cmdRecords").onClick = [this] { ShowChampions(shell_); };
    Add(ControlKind::Button, "cmdOK", {Width - Margin - ButtonWidth, top, ButtonWidth, ButtonHeight}, "OK").onClick =
        [this] { Close(); };
    defaultButton = cancelButton = "cmdOK";
}

void FrmSeasonSummary::Load() {
    PlaceTopRight(*this, shell_.main.geometry);
    focusRequest = "cmdOK";
}

void ShowSeasonSummary(Shell& shell, const OffSeasonRows& offSeason, const std::string& verdict) {
    if (!shell.season.history.seasons.empty()) {
        FrmSeasonSummary summary(shell, shell.season.history.seasons.back(), offSeason, verdict);
        shell.platform.ShowModal(summary);
    }
    // The new season: the grid as a new season leaves it.
    SetGridHeader(shell.main, 1);
    ClearGrid(shell);
}

} // namespace karven
