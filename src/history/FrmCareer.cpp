#include "history/FrmCareer.h"

#include <algorithm>

#include "history/Archive.h"
#include "history/HistoryLayout.h"
#include "history/HistoryWindows.h"
#include "history/Records.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Grades.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

using namespace history;

namespace {
constexpr int Width = 900;
constexpr int ListWidth = 220;
constexpr int Top = 44;
constexpr int Height = 420;
} // namespace

FrmCareer::FrmCareer(Shell& shell, Kind kind, const std::string& name)
    : Form(kind == Kind::Driver ? "frmkarvendrvpage" : "frmkarventimpage",
           kind == Kind::Driver ? "ドライバー記録" : "チーム記録"),
      shell_(shell), kind_(kind), first_(name) {
    geometry = {0, 0, Width, Top + Height + 2 * Margin + ButtonHeight};
    Control& title = Add(ControlKind::Label, "lblName", {Margin, 10, Width - 2 * Margin, 26});
    title.style.fontSize = 14;
    title.style.bold = true;
    Control& list = Add(ControlKind::ListBox, "lstName", {Margin, Top, ListWidth, Height});
    list.style.fontSize = 10;
    list.onClick = [this] { ShowChosen(); };
    const int tableLeft = Margin + ListWidth + 8;
    std::vector<Control::Column> columns = {{"期", 150}, {"チーム", 0}, {"順位", 48, Align::Right},
                                            {"ポイント", 64, Align::Right}, {"優勝", 48, Align::Right},
                                            {"ＰＰ", 48, Align::Right}, {"表彰台", 56, Align::Right},
                                            {"出走", 48, Align::Right}};
    if (kind == Kind::Team) {
        columns.erase(columns.begin() + 1);
        columns[0].width = 0; // the season takes what the team column left
    }
    // With the living world, a driver's age and ratings season by season.
    const WorldState& world = shell.season.history.world;
    showsRatings_ = kind == Kind::Driver && (world.enabled || !world.seasons.empty());
    if (showsRatings_) {
        columns.push_back({"年齢", 44, Align::Right});
        columns.push_back({"能力", 96, Align::Center});
    }
    AddTable(*this, {tableLeft, Top, Width - tableLeft - Margin, Height - 26}, columns);
    Control& note = Add(ControlKind::Label, "lblNote", {tableLeft, Top + Height - 22, Width - tableLeft - Margin, 22});
    note.style.fontSize = 9;
    note.text = kind == Kind::Driver ? "※ 同じ名前のドライバーは、ひとりとして数えます。"
                                     : "※ 同じ名前のチームは、ひとつとして数えます。チャンピオンの期は「★」。";
    AddClose(*this, geometry.height - Margin - ButtonHeight);
    defaultButton = "cmdClose";
}

void FrmCareer::Load() {
    PlaceTopRight(*this, shell_.main.geometry);
    seasons_ = SeasonsOnRecord(shell_.season);
    AllTime all = AllTimeRecords(seasons_);
    names_.clear();
    if (kind_ == Kind::Driver)
        for (const DriverTotals& d : all.drivers) names_.push_back(d.DrvNm);
    else
        for (const TeamTotals& t : all.teams) names_.push_back(t.TimNm);
    // Teams without a win are on record too: every team that raced.
    if (kind_ == Kind::Team)
        for (const ArchivedSeason& s : seasons_)
            for (const ArchivedEntrant& e : s.teams)
                if (e.team && std::find(names_.begin(), names_.end(), s.Name(e.team)) == names_.end())
                    names_.push_back(s.Name(e.team));
    Control& list = (*this)("lstName");
    list.items = names_;
    auto at = std::find(names_.begin(), names_.end(), first_);
    list.listIndex = names_.empty() ? -1 : at == names_.end() ? 0 : int(at - names_.begin());
    focusRequest = "lstName";
    ShowChosen();
}

void FrmCareer::ShowChosen() {
    Control& list = (*this)("lstName");
    Control& table = (*this)("tblRec");
    table.rows.clear();
    if (list.listIndex < 0 || list.listIndex >= int(names_.size())) {
        (*this)("lblName").text = Tr("まだ記録がありません。");
        return;
    }
    const std::string& name = names_[list.listIndex];
    (*this)("lblName").text = name;
    std::vector<CareerLine> lines =
        kind_ == Kind::Driver ? DriverCareer(seasons_, name) : TeamCareer(seasons_, name);
    CareerLine total;
    int titles = 0;
    for (const CareerLine& l : lines) {
        bool now = size_t(l.season - seasons_.data()) >= shell_.season.history.seasons.size();
        std::string season = SeasonTitle(*l.season) + (now ? Tr("（進行中）") : "") + (l.champion ? " ★" : "");
        std::vector<std::string> row = {season, l.TimNm, l.place > 0 ? Num(l.place) : Tr("―"), PointsText(l.points),
                                        Num(l.wins), Num(l.poles), Num(l.podiums), Num(l.starts)};
        if (kind_ == Kind::Team) row.erase(row.begin() + 1);
        if (showsRatings_) {
            auto [age, ratings] = RatingsOf(name, *l.season, now);
            row.push_back(age);
            row.push_back(ratings);
        }
        table.rows.push_back(row);
        total.points += l.points;
        total.wins += l.wins;
        total.poles += l.poles;
        total.podiums += l.podiums;
        total.starts += l.starts;
        titles += l.champion;
    }
    std::vector<std::string> sum = {TrN("合計（タイトル {1}）", titles), "", "", PointsText(total.points),
                                    Num(total.wins), Num(total.poles), Num(total.podiums), Num(total.starts)};
    if (kind_ == Kind::Team) sum.erase(sum.begin() + 1);
    if (showsRatings_) sum.insert(sum.end(), {"", ""});
    table.rows.push_back(sum);
}

std::pair<std::string, std::string> FrmCareer::RatingsOf(const std::string& DrvNm, const ArchivedSeason& season,
                                                         bool now) const {
    // Technique, Roughness, Block and Stability, as the driver editor shows them.
    auto letters = [](const std::array<int, rating::Drivers>& r) {
        return GradeLetter(FormatPlain(r[0]), Scale::Technique) + Tr("・") + GradeLetter(FormatPlain(r[1]), Scale::High) +
               Tr("・") + GradeLetter(FormatPlain(r[2]), Scale::High) + Tr("・") + GradeLetter(FormatPlain(r[3]), Scale::High);
    };
    const Season& s = shell_.season;
    if (now) {
        const WorldState& world = s.history.world;
        for (size_t k = 1; k < s.DrvTable.size(); ++k) {
            const DrvRecord& d = s.DrvTable[k];
            if (d.DrvNm != DrvNm) continue;
            const size_t known = WorldDriverIndex(world, s)[k];
            std::string age = known ? Num(world.drivers[known].age) : "";
            return {age, letters({ReadCount(d.Technique), ReadCount(d.Roughness), ReadCount(d.Block), ReadCount(d.Stability)})};
        }
        return {};
    }
    if (const WorldSeason* facts = s.history.world.SeasonOf(season.number))
        for (const RatedDriver& d : facts->drivers)
            if (d.DrvNm == DrvNm) return {Num(d.age), letters(d.ratings)};
    return {};
}

void ShowDriverPage(Shell& shell, const std::string& DrvNm) {
    FrmCareer page(shell, FrmCareer::Kind::Driver, DrvNm);
    shell.platform.ShowModal(page);
}

void ShowTeamPage(Shell& shell, const std::string& TimNm) {
    FrmCareer page(shell, FrmCareer::Kind::Team, TimNm);
    shell.platform.ShowModal(page);
}

} // namespace karven
