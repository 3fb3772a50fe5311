#include "history/FrmPastSeason.h"

#include "history/Archive.h"
#include "history/HistoryLayout.h"
#include "history/HistoryWindows.h"
#include "history/Records.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Platform.h"
#include "shell/Shell.h"
#include "standings/FrmKarvenSeiseki.h"

namespace karven {

using namespace history;

namespace {
constexpr int Width = 860;
constexpr int TitleHeight = 30;
constexpr int ViewTop = Margin + TitleHeight + 8;
constexpr int TableTop = ViewTop + ButtonHeight + 8;
constexpr int TableHeight = 400;

struct ViewButton {
    const char* name;
    const char* caption;
    FrmPastSeason::View view;
    char key;
};
constexpr ViewButton Views[] = {{"cmdDrv", "ドライバーズ", FrmPastSeason::View::Drivers, 'D'},
                                {"cmdTim", "コンストラクターズ", FrmPastSeason::View::Constructors, 'C'},
                                {"cmdRace", "レース", FrmPastSeason::View::Races, 'R'},
                                {"cmdMove", "移籍", FrmPastSeason::View::Moves, 'M'}};

std::string OrNone(const std::string& name) { return name.empty() ? Tr("―") : name; }
} // namespace

SeisekiTable ArchivedSeiseki(const ArchivedSeason& s) {
    SeisekiTable table(1);
    for (const ArchivedEntrant& e : s.teams) {
        for (NameRef seat : {e.seat1, e.seat2}) {
            SeisekiRecord& row = table.emplace_back();
            row.TimNm = s.Name(e.team);
            row.ColorNo = e.ColorNo;
            if (!seat) continue;
            row.DrvNm = s.Name(seat);
            double total = 0;
            for (size_t g = 0; g < s.gps.size() && g < ResultSlots; ++g)
                for (const ArchivedCar& c : s.gps[g].result) {
                    if (c.driver != seat) continue;
                    row.Cell[g + 1] = SeisekiCell(c.retired ? "0" : std::to_string(c.place));
                    total += c.points;
                    if (c.points > 0) row.Points = FormatPlain(total);
                }
        }
    }
    return table;
}

FrmPastSeason::FrmPastSeason(Shell& shell, int number)
    : Form("frmkarvenpast", "過去のシーズン"), shell_(shell), number_(number) {
    geometry = {0, 0, Width, TableTop + TableHeight + 2 * Margin + ButtonHeight};
    Add(ControlKind::Button, "cmdPrev", {Margin, Margin, 36, TitleHeight}, "◀").onClick = [this] { Page(-1); };
    Control& title = Add(ControlKind::Label, "lblSeason", {Margin + 44, Margin, Width - 2 * Margin - 88, TitleHeight});
    title.style.fontSize = 13;
    title.style.bold = true;
    title.style.align = Align::Center;
    Add(ControlKind::Button, "cmdNext", {Width - Margin - 36, Margin, 36, TitleHeight}, "▶").onClick = [this] {
        Page(+1);
    };
    keyButtons = {{"PageUp", "cmdPrev"}, {"PageDown", "cmdNext"}};
    int left = Margin;
    for (const ViewButton& v : Views) {
        left = AddButton(*this, v.name, v.caption, left, ViewTop, v.key, 160);
        (*this)(v.name).onClick = [this, view = v.view] { Show(view); };
    }
    AddButton(*this, "cmdSei", "成績表", left, ViewTop, 'S', 160);
    (*this)("cmdSei").onClick = [this] {
        if (const ArchivedSeason* s = Current()) {
            FrmKarvenSeiseki table(shell_, TrF("成績表 {1}", SeasonTitle(*s)), ArchivedSeiseki(*s), int(s->gps.size()));
            shell_.platform.ShowModal(table);
        }
    };
    AddTable(*this, {Margin, TableTop, Width - 2 * Margin, TableHeight}, {});
    int top = geometry.height - Margin - ButtonHeight;
    Add(ControlKind::Button, "cmdPage", {Margin, top, 200, ButtonHeight}, "選んだ名前の記録").onClick = [this] {
        OpenPage();
    };
    AddClose(*this, top);
    defaultButton = "cmdPage";
}

const ArchivedSeason* FrmPastSeason::Current() const { return at_ < seasons_.size() ? &seasons_[at_] : nullptr; }

void FrmPastSeason::Load() {
    PlaceTopRight(*this, shell_.main.geometry);
    seasons_ = SeasonsOnRecord(shell_.season);
    at_ = seasons_.empty() ? 0 : seasons_.size() - 1;
    for (size_t i = 0; i < seasons_.size(); ++i)
        if (seasons_[i].number == number_) at_ = i;
    focusRequest = "tblRec";
    Show(view_);
}

void FrmPastSeason::Page(int step) {
    if (seasons_.empty()) return;
    at_ = (at_ + seasons_.size() + step) % seasons_.size();
    Show(view_);
}

void FrmPastSeason::Show(View view) {
    view_ = view;
    Control& table = (*this)("tblRec");
    table.rows.clear();
    table.listIndex = -1;
    const ArchivedSeason* s = Current();
    for (const char* b : {"cmdPrev", "cmdNext", "cmdSei", "cmdPage"}) (*this)(b).enabled = s != nullptr;
    if (!s) {
        (*this)("lblSeason").text = Tr("まだ記録がありません。");
        table.columns = {{"", 0}};
        return;
    }
    bool now = at_ >= shell_.season.history.seasons.size();
    const char* state = Tr(now ? C_("season state", "進行中") : s->complete ? "全戦終了" : "途中で新シーズン");
    (*this)("lblSeason").text = s->Champion() ? TrF("{1}（{2}）　チャンピオン {3}", SeasonTitle(*s), state, *s->Champion())
                                              : TrF("{1}（{2}）", SeasonTitle(*s), state);
    switch (view) {
    case View::Drivers:
        SetColumns(table, {{"順位", 56, Align::Right}, {"ドライバー", 0}, {"チーム", 0}, {"ポイント", 80, Align::Right},
                           {"優勝", 56, Align::Right}});
        for (const ArchivedDriver& d : s->drivers)
            table.rows.push_back({Num(d.place), s->Name(d.driver), s->Name(d.team), PointsText(d.points), Num(d.wins)});
        break;
    case View::Constructors:
        SetColumns(table, {{"順位", 56, Align::Right}, {"チーム", 0}, {"ポイント", 80, Align::Right},
                           {"優勝", 56, Align::Right}});
        for (const ArchivedTeam& t : s->constructors)
            table.rows.push_back({Num(t.place), s->Name(t.team), PointsText(t.points), Num(t.wins)});
        break;
    case View::Races:
        SetColumns(table, {{"戦", 40, Align::Right}, {"グランプリ", 0}, {"ポールポジション", 0}, {C_("the winner", "優勝"), 0},
                           {"ファステストラップ", 0}});
        for (size_t g = 0; g < s->gps.size(); ++g) {
            const ArchivedGp& gp = s->gps[g];
            std::string winner;
            for (const ArchivedCar& c : gp.result)
                if (c.place == 1 && !c.retired) winner = s->Name(c.driver);
            if (!gp.run) table.rows.push_back({Num(int(g) + 1), gp.GpNm, Tr("（未開催）"), "", ""});
            else table.rows.push_back({Num(int(g) + 1), gp.GpNm, OrNone(s->Name(gp.pole)), OrNone(winner),
                                       OrNone(s->Name(gp.fastestLap))});
        }
        break;
    case View::Moves:
        SetColumns(table, {{"ドライバー", 0}, {"移籍前", 0}, {"移籍後", 0}});
        for (const SeatMove& m : s->moves)
            table.rows.push_back({s->Name(m.driver), OrNone(s->Name(m.from)), OrNone(s->Name(m.to))});
        break;
    }
    if (table.rows.empty()) {
        std::vector<std::string> empty(table.columns.size());
        empty[0] = Tr(view == View::Moves && !now ? "移籍はありませんでした。" : "まだ記録がありません。");
        table.rows.push_back(empty);
    }
}

void FrmPastSeason::OpenPage() {
    const ArchivedSeason* s = Current();
    int row = (*this)("tblRec").listIndex;
    if (!s || row < 0) return;
    switch (view_) {
    case View::Drivers:
        if (row < int(s->drivers.size())) ShowDriverPage(shell_, s->Name(s->drivers[row].driver));
        break;
    case View::Constructors:
        if (row < int(s->constructors.size())) ShowTeamPage(shell_, s->Name(s->constructors[row].team));
        break;
    case View::Moves:
        if (row < int(s->moves.size())) ShowDriverPage(shell_, s->Name(s->moves[row].driver));
        break;
    case View::Races:
        if (row >= int(s->gps.size())) break;
        for (const ArchivedCar& c : s->gps[row].result)
            if (c.place == 1 && !c.retired) ShowDriverPage(shell_, s->Name(c.driver));
        break;
    }
}

void ShowPastSeason(Shell& shell, int number) {
    FrmPastSeason form(shell, number);
    shell.platform.ShowModal(form);
}

} // namespace karven
