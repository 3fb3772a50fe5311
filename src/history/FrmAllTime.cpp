#include "history/FrmAllTime.h"

#include "history/Archive.h"
#include "history/HistoryLayout.h"
#include "history/HistoryWindows.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

using namespace history;

namespace {
constexpr int Width = 760;
constexpr int ListWidth = 200;
constexpr int Top = 12;
constexpr int Height = 400;

template <class Row, class Value> std::vector<RankedEntry> Entries(const std::vector<Row>& rows, Value value) {
    std::vector<RankedEntry> entries;
    for (const Row& r : rows) {
        if constexpr (std::is_same_v<Row, DriverTotals>) entries.push_back({0, r.DrvNm, "", double(value(r))});
        else entries.push_back({0, r.TimNm, "", double(value(r))});
    }
    return TopEntries(std::move(entries));
}
} // namespace

std::vector<FrmAllTime::Table> AllTimeTables(const std::vector<ArchivedSeason>& seasons) {
    AllTime all = AllTimeRecords(seasons);
    const auto& d = all.drivers;
    std::vector<FrmAllTime::Table> tables = {
        {Tr("チャンピオン獲得"), false, Entries(d, [](const DriverTotals& r) { return r.titles; })},
        {Tr("優勝"), false, Entries(d, [](const DriverTotals& r) { return r.wins; })},
        {Tr(C_("count", "ポールポジション")), false, Entries(d, [](const DriverTotals& r) { return r.poles; })},
        {Tr(C_("count", "ファステストラップ")), false, Entries(d, [](const DriverTotals& r) { return r.fastestLaps; })},
        {Tr("表彰台"), false, Entries(d, [](const DriverTotals& r) { return r.podiums; })},
        {Tr("出走"), false, Entries(d, [](const DriverTotals& r) { return r.starts; })},
        {Tr("獲得ポイント"), false, Entries(d, [](const DriverTotals& r) { return r.points; })},
    };
    // Wins in one season: each driver's season counts on its own.
    std::vector<RankedEntry> seasonWins;
    for (const ArchivedSeason& s : seasons) {
        AllTime one = AllTimeRecords({s});
        for (const DriverTotals& r : one.drivers) seasonWins.push_back({0, r.DrvNm, SeasonTitle(s), double(r.wins)});
    }
    tables.push_back({Tr("シーズン最多勝"), false, TopEntries(std::move(seasonWins))});
    tables.push_back({Tr("チーム：タイトル"), true, Entries(all.teams, [](const TeamTotals& r) { return r.titles; })});
    tables.push_back({Tr("チーム：優勝"), true, Entries(all.teams, [](const TeamTotals& r) { return r.wins; })});
    return tables;
}

FrmAllTime::FrmAllTime(Shell& shell) : Form("frmkarvenalltime", "通算記録"), shell_(shell) {
    geometry = {0, 0, Width, Top + Height + 2 * Margin + ButtonHeight};
    Control& list = Add(ControlKind::ListBox, "lstKind", {Margin, Top, ListWidth, Height});
    list.style.fontSize = 10;
    list.onClick = [this] { ShowChosen(); };
    const int tableLeft = Margin + ListWidth + 8;
    AddTable(*this, {tableLeft, Top, Width - tableLeft - Margin, Height},
             {{"順位", 48, Align::Right}, {"名前", 0}, {"期", 130}, {C_("a ranking's value", "記録"), 72, Align::Right}});
    int top = geometry.height - Margin - ButtonHeight;
    Add(ControlKind::Button, "cmdPage", {tableLeft, top, 200, ButtonHeight}, "選んだ名前の記録").onClick = [this] {
        OpenPage();
    };
    AddClose(*this, top);
    defaultButton = "cmdPage";
}

void FrmAllTime::Load() {
    PlaceTopRight(*this, shell_.main.geometry);
    tables_ = AllTimeTables(SeasonsOnRecord(shell_.season));
    Control& list = (*this)("lstKind");
    list.items.clear();
    for (const Table& t : tables_) list.items.push_back(t.category);
    list.listIndex = 0;
    focusRequest = "lstKind";
    ShowChosen();
}

void FrmAllTime::ShowChosen() {
    int chosen = (*this)("lstKind").listIndex;
    Control& table = (*this)("tblRec");
    table.rows.clear();
    table.listIndex = -1;
    if (chosen < 0 || chosen >= int(tables_.size())) return;
    for (const RankedEntry& e : tables_[chosen].entries)
        table.rows.push_back({Num(e.place), e.name, e.detail, PointsText(e.value)});
    if (table.rows.empty()) table.rows.push_back({"", Tr("まだ記録がありません。"), "", ""});
}

void FrmAllTime::OpenPage() {
    int chosen = (*this)("lstKind").listIndex;
    if (chosen < 0 || chosen >= int(tables_.size())) return;
    const Table& t = tables_[chosen];
    int row = (*this)("tblRec").listIndex;
    std::string name = row >= 0 && row < int(t.entries.size()) ? t.entries[row].name
                       : t.entries.empty()                      ? ""
                                                                : t.entries.front().name;
    if (t.teams) ShowTeamPage(shell_, name);
    else ShowDriverPage(shell_, name);
}

void ShowAllTimeRecords(Shell& shell) {
    FrmAllTime form(shell);
    shell.platform.ShowModal(form);
}

} // namespace karven
