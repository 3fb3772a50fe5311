#include "principal/FrmApproach.h"

#include <algorithm>

#include "history/HistoryLayout.h"
#include "offseason/FrmKarvenOff.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven::principal {

using namespace history;

namespace {
constexpr int Width = 1000;
constexpr int TableTop = 76;
constexpr int TableHeight = 330;

std::string TeamName(const FrmKarvenOff& market, const std::string& TimNo) {
    if (TimNo.empty()) return Tr("（シートなし）");
    for (size_t t = 1; t < market.OffTimTable.size(); ++t)
        if (market.OffTimTable[t].TimNo == TimNo) return market.OffTimTable[t].TimNm;
    return "";
}

std::vector<std::string> Row(const Season& season, const FrmKarvenOff& market, int d, const RookieLookup& rookie) {
    const OffDrvRecord& o = market.OffDrvTable[size_t(d)];
    std::vector<std::string> row = {o.DrvNm, TeamName(market, o.TimNo), o.ScoreRank};
    const WorldDriver* newcomer = rookie ? rookie(d) : nullptr;
    const bool inTable = d < int(season.DrvTable.size()) && season.DrvTable[size_t(d)].DrvNm == o.DrvNm;
    if (newcomer) {
        for (int r : newcomer->whole) row.push_back(Num(r));
        row.push_back(Num(newcomer->age));
    } else if (inTable) {
        const DrvRecord& driver = season.DrvTable[size_t(d)];
        for (const std::string* r : {&driver.Technique, &driver.Roughness, &driver.Block, &driver.Stability})
            row.push_back(*r);
        const WorldState& world = season.history.world;
        const size_t known = world.enabled ? WorldDriverIndex(world, season)[size_t(d)] : 0;
        row.push_back(known ? Num(world.drivers[known].age) : "—");
    } else {
        row.insert(row.end(), 5, "—");
    }
    row.push_back(o.EvalPoints);
    if (inTable && !newcomer) {
        const DrvRecord& driver = season.DrvTable[size_t(d)];
        row.push_back(TrF("{1}戦{2}勝 タイトル{3}", driver.CareerGp, driver.CareerWins, driver.CareerWc));
    } else {
        row.push_back(Tr("新人"));
    }
    return row;
}
} // namespace

FrmApproach::FrmApproach(Shell& shell, const FrmKarvenOff& market, int team, const std::vector<int>& available,
                         int rules, const RookieLookup& rookie)
    : Form(FormName, "オファー"), shell_(shell), available_(available) {
    geometry = {0, 0, Width, TableTop + TableHeight + 2 * Margin + ButtonHeight};
    const OffTimRecord& t = market.OffTimTable[size_t(team)];
    Control& title = Add(ControlKind::Label, "lblTitle", {Margin, 10, Width - 2 * Margin, 28});
    title.text = TrF("{1} がオファーを出すドライバー", t.TimNm);
    title.style.fontSize = 14;
    title.style.bold = true;
    Control& hint = Add(ControlKind::Label, "lblHint", {Margin, 42, Width - 2 * Margin, 26});
    hint.text = TrF("チームの順位 {1}位。評価順位は、ストーブリーグがドライバーを評価した順位です。", t.TimRank);
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
                               {"通算", 0}});
    for (int d : available) table.rows.push_back(Row(shell.season, market, d, rookie));
    auto at = std::find(available.begin(), available.end(), rules);
    // The evaluation's pick is chosen, and Enter makes its offer; without one, Enter passes.
    table.listIndex = at == available.end() ? -1 : int(at - available.begin());

    const int top = geometry.height - Margin - ButtonHeight;
    int left = AddButton(*this, "cmdOffer", "オファーを出す", Margin, top, 'O', 150);
    left = AddButton(*this, "cmdPass", "今回は見送る", left, top, 'P', 150);
    AddButton(*this, "cmdRules", "ルールに任せる", left, top, 'R', 160);
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
    (*this)("cmdOffer").enabled = !available.empty();
    (*this)("cmdRules").toolTip = "この先のストーブリーグでは、このチームの残留とオファーもルールどおりに決まります。";
    defaultButton = table.listIndex >= 0 ? "cmdOffer" : "cmdPass";
}

void FrmApproach::Load() {
    Place(shell_.main.geometry.left, shell_.main.geometry.top);
    focusRequest = defaultButton;
}

void FrmApproach::QueryClose() {
    answer = Answer::RulesOnce;
    Close();
}

int FrmApproach::Chosen() const {
    int row = (*this)("tblRec").listIndex;
    return row >= 0 && row < int(available_.size()) ? available_[size_t(row)] : 0;
}

} // namespace karven::principal
