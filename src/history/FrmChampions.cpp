#include "history/FrmChampions.h"

#include "history/Archive.h"
#include "history/HistoryLayout.h"
#include "history/HistoryWindows.h"
#include "history/Records.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "season/Utf8.h"
#include "shell/Platform.h"
#include "shell/SeasonText.h"
#include "shell/Shell.h"

namespace karven {

using namespace history;

namespace {
constexpr int Width = 1000;
constexpr int TableHeight = 380;

// The one who won the most races of the season, with how many.
std::string WinsLeader(const ArchivedSeason& s) {
    AllTime one = AllTimeRecords({s});
    const DriverTotals* best = nullptr;
    for (const DriverTotals& d : one.drivers)
        if (d.wins > 0 && (!best || d.wins > best->wins)) best = &d;
    return best ? TrF("{1}（{2}）", best->DrvNm, TrN("{1}勝", best->wins)) : "";
}
} // namespace

std::vector<std::vector<std::string>> FrmChampions::Rows(const std::vector<ArchivedSeason>& seasons, size_t archived) {
    std::vector<std::vector<std::string>> rows;
    for (size_t i = 0; i < seasons.size(); ++i) {
        const ArchivedSeason& s = seasons[i];
        bool now = i >= archived;
        std::string champion = now ? Tr("進行中") : s.Champion().value_or(Tr(s.complete ? "―" : "（途中終了）"));
        std::string team = s.Champion() ? s.Name(s.championTeam) : "";
        std::string leader = s.StandingsLeader();
        // A closed season whose standings leader was not crowned (the market crowns by its own
        // rating, and a season closed early crowns nobody) is marked.
        if (!now && !leader.empty() && s.Champion() != leader) leader = TrF("{1} ※", leader);
        rows.push_back({SeasonTitle(s), champion, team, s.ConstructorsChampion().value_or(""), leader, WinsLeader(s)});
    }
    return rows;
}

FrmChampions::FrmChampions(Shell& shell) : Form("frmkarvenchampions", "歴代チャンピオン"), shell_(shell) {
    geometry = {0, 0, Width, Margin + TableHeight + 3 * Margin + 2 * ButtonHeight};
    AddTable(*this, {Margin, Margin, Width - 2 * Margin, TableHeight},
             {{"期", 130}, {"チャンピオン", 0}, {"チーム", 0}, {"コンストラクターズ", 0}, {"ランキング首位", 150},
              {"最多勝", 220}});
    (*this)("tblRec").toolTip = "ランキング首位：ドライバーズランキングの首位（進行中のシーズンは今の首位）。\r\n"
                                "※ は、ランキング首位がチャンピオンにならなかったシーズンです。";
    int top = Margin + TableHeight + Margin;
    int left = AddButton(*this, "cmdOpen", "開く", Margin, top, 'O');
    left = AddButton(*this, "cmdRecords", "通算記録", left, top, 'R');
    (*this)("cmdOpen").onClick = [this] { ShowPastSeason(shell_, Chosen() >= 0 ? seasons_[Chosen()].number : 0); };
    (*this)("cmdRecords").onClick = [this] { ShowAllTimeRecords(shell_); };
    // The player names a closed season, a year say.
    top += ButtonHeight + Margin;
    Add(ControlKind::Label, "lblName", {Margin, top + 5, 150, 22}, "選んだ期の名前：");
    Control& name = Add(ControlKind::TextBox, "txtName", {Margin + 150, top, 300, ButtonHeight});
    KeepFileSafe(name);
    Add(ControlKind::Button, "cmdName", {Margin + 458, top, 160, ButtonHeight}, "名前を付ける").onClick = [this] {
        int i = Chosen();
        if (i < 0 || i >= int(shell_.season.history.seasons.size())) return;
        shell_.season.history.seasons[i].name = Trim((*this)("txtName").text);
        Fill();
    };
    (*this)("tblRec").onClick = [this] {
        int i = Chosen();
        bool archived = i >= 0 && i < int(shell_.season.history.seasons.size());
        (*this)("txtName").text = archived ? shell_.season.history.seasons[i].name : "";
        (*this)("txtName").enabled = (*this)("cmdName").enabled = archived;
    };
    AddClose(*this, top);
    defaultButton = "cmdOpen";
}

int FrmChampions::Chosen() const {
    int i = (*this)("tblRec").listIndex;
    return i >= 0 && i < int(seasons_.size()) ? i : -1;
}

void FrmChampions::Fill() {
    seasons_ = SeasonsOnRecord(shell_.season);
    Control& table = (*this)("tblRec");
    table.rows = Rows(seasons_, shell_.season.history.seasons.size());
    if (table.rows.empty()) table.rows.push_back({"", Tr("まだ記録がありません。"), "", "", "", ""});
}

void FrmChampions::Load() {
    PlaceTopRight(*this, shell_.main.geometry);
    Fill();
    Control& table = (*this)("tblRec");
    table.listIndex = seasons_.empty() ? -1 : int(seasons_.size()) - 1;
    (*this)("cmdOpen").enabled = !seasons_.empty();
    table.onClick();
    focusRequest = "tblRec";
}

void ShowChampions(Shell& shell) {
    FrmChampions form(shell);
    shell.platform.ShowModal(form);
}

} // namespace karven
