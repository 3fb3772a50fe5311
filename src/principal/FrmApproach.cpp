#include "principal/FrmApproach.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "history/HistoryLayout.h"
#include "management/Management.h"
#include "offseason/FrmKarvenOff.h"
#include "principal/Market.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Grades.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven::principal {

using namespace history;

namespace {
constexpr int Width = 1000;
constexpr int TableTop = 86;
constexpr int TableHeight = 330;

// A driver's ratings in the rules' order, each on its own scale.
constexpr Scale DriverScales[] = {Scale::Technique, Scale::High, Scale::High, Scale::High};

std::string TeamName(const FrmKarvenOff& market, const std::string& TimNo) {
    if (TimNo.empty()) return Tr("（シートなし）");
    for (size_t t = 1; t < market.OffTimTable.size(); ++t)
        if (market.OffTimTable[t].TimNo == TimNo) return market.OffTimTable[t].TimNm;
    return "";
}

// How likely the driver takes the offer, as his answer is drawn: four times in five he weighs
// the ranks (and then a coin decides), once in five a 1-in-20 chance. Returns a percentage.
int AcceptChance(int scoreRank, int timRank, int R) {
    const bool weighs = scoreRank + R >= 2 * timRank;
    return weighs ? 80 / 2 + 20 / 20 : 20 / 20;
}

constexpr double ByText = std::numeric_limits<double>::quiet_NaN();

// The salary offered, as shares of what the driver asks, in the order the button steps through.
constexpr double OfferShares[] = {0.8, 0.9, 1.0, 1.2, 1.5};

// The ratings as letters, and as keys best first: a lower technique is better, a higher anything else.
void AddRatings(std::vector<std::string>& cells, std::vector<double>& keys, const std::array<std::string, 4>& ratings) {
    for (size_t r = 0; r < ratings.size(); ++r) {
        cells.push_back(GradeLetter(ratings[r], DriverScales[r]));
        double value = ReadNumber(ratings[r]);
        keys.push_back(DriverScales[r] == Scale::Technique ? value : -value);
    }
}
} // namespace

namespace {
// `aged`: the world's record of each driver of the table, 0 for none (WorldDriverIndex).
FrmApproach::Row MakeRow(const Season& season, const FrmKarvenOff& market, int team, int d, const RookieLookup& rookie,
                         int R, const std::vector<size_t>& aged) {
    const OffDrvRecord& o = market.OffDrvTable[size_t(d)];
    FrmApproach::Row row;
    std::vector<std::string>& cells = row.cells;
    std::vector<double>& keys = row.keys;
    cells = {o.DrvNm, TeamName(market, o.TimNo), FormatPlain(o.ScoreRank)};
    keys = {ByText, ByText, double(o.ScoreRank)};
    const WorldDriver* newcomer = rookie ? rookie(d) : nullptr;
    const bool inTable = d < int(season.DrvTable.size()) && season.DrvTable[size_t(d)].DrvNm == o.DrvNm;
    if (newcomer) {
        AddRatings(cells, keys, {Num(newcomer->whole[0]), Num(newcomer->whole[1]), Num(newcomer->whole[2]),
                                 Num(newcomer->whole[3])});
        cells.push_back(Num(newcomer->age));
        keys.push_back(newcomer->age);
    } else if (inTable) {
        const DrvRecord& driver = season.DrvTable[size_t(d)];
        AddRatings(cells, keys, {driver.Technique, driver.Roughness, driver.Block, driver.Stability});
        const size_t known = size_t(d) < aged.size() ? aged[size_t(d)] : 0;
        cells.push_back(known ? Num(season.history.world.drivers[known].age) : "—");
        keys.push_back(known ? season.history.world.drivers[known].age : std::numeric_limits<double>::infinity());
    } else {
        cells.insert(cells.end(), 5, "—");
        keys.insert(keys.end(), 5, std::numeric_limits<double>::infinity());
    }
    cells.push_back(FormatPlain(o.EvalPoints));
    keys.push_back(-o.EvalPoints);
    if (inTable && !newcomer) {
        const DrvRecord& driver = season.DrvTable[size_t(d)];
        cells.push_back(TrF("{1}戦{2}勝 タイトル{3}", driver.CareerGp, driver.CareerWins, driver.CareerWc));
        keys.push_back(-(ReadNumber(driver.CareerWc) * 1e6 + ReadNumber(driver.CareerWins)));
    } else {
        cells.push_back(Tr("新人"));
        keys.push_back(0);
    }
    int chance = AcceptChance(o.ScoreRank, market.OffTimTable[size_t(team)].TimRank, R);
    cells.push_back(TrF("{1}{2}%", chance > 1 ? "○ " : "", FormatPlain(chance)));
    keys.push_back(-chance);
    return row;
}
} // namespace

FrmApproach::FrmApproach(Shell& shell, const FrmKarvenOff& market, int team, const std::vector<int>& available,
                         int rules, const RookieLookup& rookie, int R)
    : Form(FormName, "オファー"), shell_(shell), available_(available) {
    geometry = {0, 0, Width, TableTop + TableHeight + 2 * Margin + ButtonHeight};
    const OffTimRecord& t = market.OffTimTable[size_t(team)];
    Control& title = Add(ControlKind::Label, "lblTitle", {Margin, 10, Width - 2 * Margin, 28});
    title.text = TrF("{1} がオファーを出すドライバー", t.TimNm);
    title.style.fontSize = 14;
    title.style.bold = true;
    Control& hint = Add(ControlKind::Label, "lblHint", {Margin, 40, Width - 2 * Margin, 40});
    hint.text = TrF("チームの順位 {1}位。評価順位は、ストーブリーグがドライバーを評価した順位です。○は、この順位ならオファーに耳を傾けるドライバーです。",
                    t.TimRank);
    hint.style.wrap = true;
    Control& table = AddTable(*this, {Margin, TableTop, Width - 2 * Margin, TableHeight},
                              {{"ドライバー", 0},
                               {"所属", 0},
                               {"評価順位", 72, Align::Right},
                               {"テクニック", 72, Align::Center},
                               {"荒さ", 48, Align::Center},
                               {"ブロック", 64, Align::Center},
                               {"安定性", 56, Align::Center},
                               {"年齢", 48, Align::Right},
                               {"評価点", 56, Align::Right},
                               {"通算", 0},
                               {"見込み", 64, Align::Right}});
    const bool money = management::Running(shell.season);
    if (money) {
        hint.text = Tr("年俸要求は、ドライバーがこのチームに求める年俸です。要求どおりなら契約し、8割以上なら増額を求め、それより少ないと断ります。移籍金は、契約の残っているドライバーを引き抜くときに前のチームへ払います。");
        table.columns.push_back({"年俸要求", 88, Align::Right});
        table.columns.push_back({"移籍金", 80, Align::Right});
    }
    const WorldState& world = shell.season.history.world;
    const std::vector<size_t> aged = world.enabled ? WorldDriverIndex(world, shell.season) : std::vector<size_t>{};
    for (int d : available) {
        Row row = MakeRow(shell.season, market, team, d, rookie, R, aged);
        if (money) {
            // The money answers, not the ranks: no chance to show.
            row.cells.back() = "—";
            row.keys.back() = 0;
            // What he asks of this team, and what his team asks to let him go.
            SigningCost cost = CostOf(shell.season, market, team, d, rookie);
            Money asking = management::Asking(cost.salary, t.TimRank, int(market.OffTimTable.size()) - 1);
            row.cells.push_back(management::MoneyText(asking));
            row.keys.push_back(double(asking));
            row.cells.push_back(cost.buyOut > 0 ? management::MoneyText(cost.buyOut) : "—");
            row.keys.push_back(double(cost.buyOut));
        }
        rows_.push_back({d, row});
    }
    for (const auto& [d, row] : rows_) table.rows.push_back(row.cells);
    auto at = std::find(available.begin(), available.end(), rules);
    // The evaluation's pick is chosen, and Enter makes its offer; without one, Enter passes.
    table.listIndex = at == available.end() ? -1 : int(at - available.begin());

    if (money) geometry.height += ButtonHeight + 8;
    const int top = geometry.height - Margin - ButtonHeight;
    if (money) {
        // The offer's terms: each press steps to the next.
        const int row = top - ButtonHeight - 8;
        int at = AddButton(*this, "cmdShare", "", Margin, row, 'M', 220);
        AddButton(*this, "cmdYears", "", at, row, 'Y', 150);
        (*this)("cmdShare").onClick = [this] {
            share_ = (share_ + 1) % int(std::size(OfferShares));
            ShowOffer();
        };
        (*this)("cmdYears").onClick = [this] {
            seasons_ = seasons_ % 3 + 1;
            ShowOffer();
        };
        (*this)("cmdShare").toolTip = "押すたびに、提示する年俸を変えます。要求より少ないと、増額を求められるか断られます。";
        (*this)("cmdYears").toolTip = "押すたびに、契約年数を変えます。";
        ShowOffer();
    }
    int left = AddButton(*this, "cmdOffer", "オファーを出す", Margin, top, 'O', 150);
    left = AddButton(*this, "cmdPass", "今回は見送る", left, top, 'P', 150);
    left = AddButton(*this, "cmdRules", "ルールに任せる", left, top, 'R', 160);
    AddButton(*this, "cmdSort", "並べ替え", left, top, 'S', 120);
    Control& sorted = Add(ControlKind::Label, "lblSort", {left + 128, top, Width - left - 128 - Margin, ButtonHeight});
    sorted.style.align = Align::Left;
    (*this)("cmdOffer").onClick = [this] {
        answer = Answer::Offer;
        Close();
    };
    (*this)("cmdPass").onClick = [this] {
        answer = Answer::Pass;
        Close();
    };
    (*this)("cmdRules").onClick = [this] {
        answer = Answer::RulesFromNow;
        Close();
    };
    (*this)("cmdSort").onClick = [this] { SortBy((sortColumn_ + 1) % int((*this)("tblRec").columns.size())); };
    (*this)("cmdSort").toolTip = "押すたびに、次の列の順に並べ替えます（良いほうから）。";
    (*this)("cmdOffer").enabled = !available.empty();
    (*this)("cmdRules").toolTip = "この先のストーブリーグでは、このチームの残留とオファーもルールどおりに決まります。";
    defaultButton = table.listIndex >= 0 ? "cmdOffer" : "cmdPass";
}

void FrmApproach::SortBy(int column) {
    Control& table = (*this)("tblRec");
    if (column < 0 || column >= int(table.columns.size())) return;
    const int chosen = Chosen();
    std::stable_sort(rows_.begin(), rows_.end(), [column](const auto& a, const auto& b) {
        double x = a.second.keys[size_t(column)], y = b.second.keys[size_t(column)];
        if (std::isnan(x) || std::isnan(y)) return a.second.cells[size_t(column)] < b.second.cells[size_t(column)];
        return x < y;
    });
    sortColumn_ = column;
    table.rows.clear();
    available_.clear();
    for (const auto& [d, row] : rows_) {
        table.rows.push_back(row.cells);
        available_.push_back(d);
    }
    auto at = std::find(available_.begin(), available_.end(), chosen);
    table.listIndex = chosen == 0 || at == available_.end() ? table.listIndex : int(at - available_.begin());
    (*this)("lblSort").text = TrF("並び：{1}", table.columns[size_t(column)].heading);
}

void FrmApproach::Load() {
    Place(shell_.main.geometry.left, shell_.main.geometry.top);
    focusRequest = defaultButton;
}

void FrmApproach::QueryClose() {
    answer = Answer::RulesOnce;
    Close();
}

void FrmApproach::ShowOffer() {
    (*this)("cmdShare").text = TrF("年俸：要求の{1}%", FormatPlain(int(std::lround(OfferShares[share_] * 100))));
    (*this)("cmdYears").text = TrF("契約：{1}年", FormatPlain(seasons_));
}

double FrmApproach::OfferShare() const { return OfferShares[share_]; }
int FrmApproach::OfferSeasons() const { return seasons_; }

int FrmApproach::Chosen() const {
    int row = (*this)("tblRec").listIndex;
    return row >= 0 && row < int(available_.size()) ? available_[size_t(row)] : 0;
}

} // namespace karven::principal
