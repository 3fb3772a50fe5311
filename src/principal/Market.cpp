#include "principal/Market.h"

#include <algorithm>

#include "editors/Grades.h"
#include "offseason/FrmKarvenOff.h"
#include "offseason/Negotiation.h"
#include "principal/Board.h"
#include "principal/FrmApproach.h"
#include "principal/FrmCall.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/MessageWindows.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven::principal {

namespace {
int Rank(const std::string& text) { return ReadCount(text); }
} // namespace

bool TeamMarket::Runs(const FrmKarvenOff& form, int team) const {
    const PrincipalState& p = season_.history.principal;
    return p.InCharge() && form.OffTimTable[size_t(team)].TimNo == p.TimNo;
}

AskedMarket::AskedMarket(Shell& shell, RookieLookup rookie) : TeamMarket(shell.season), shell_(shell), rookie_(std::move(rookie)) {}

// 次の判断まで passes the announcements by, not his questions.
bool AskedMarket::Answers() const {
    return !leftToRules_ && (shell_.PlayToDecision || (!shell_.SkipRequested && shell_.AutoAdvanceMs <= 0));
}

bool AskedMarket::Keep(FrmKarvenOff& form, int team, int driver, bool rules) {
    if (!Answers()) return rules;
    (void)team;
    const OffDrvRecord& d = form.OffDrvTable[size_t(driver)];
    std::string text = TrF("{1}（評価順位 {2}位、ポイント順位 {3}位）", d.DrvNm, d.ScoreRank, d.PointsRank) + "\r\n";
    if (driver < int(shell_.season.DrvTable.size())) {
        const DrvRecord& r = shell_.season.DrvTable[size_t(driver)];
        text += TrF("テクニック {1}　荒さ {2}　ブロック {3}　安定性 {4}", GradeLetter(r.Technique, Scale::Technique),
                    GradeLetter(r.Roughness, Scale::High), GradeLetter(r.Block, Scale::High),
                    GradeLetter(r.Stability, Scale::High)) + "\r\n";
    }
    text += "\r\n" + TrF("{1} に残留を提示しますか？", d.DrvNm);
    Call call{"残留", text, "残留を提示する", "放出する", rules, TakeUnseenMoves()};
    return Ask(shell_, call);
}

int AskedMarket::Approach(FrmKarvenOff& form, int team, const std::vector<int>& available, int rules) {
    if (!Answers()) return rules;
    const std::string unseen = TakeUnseenMoves();
    if (!unseen.empty()) Tell(unseen);
    FrmApproach window(shell_, form, team, available, rules, rookie_, R);
    shell_.platform.ShowModal(window);
    switch (window.answer) {
    case FrmApproach::Answer::Offer: return window.Chosen();
    case FrmApproach::Answer::Pass: return 0;
    case FrmApproach::Answer::RulesFromNow: leftToRules_ = true; break;
    case FrmApproach::Answer::RulesOnce: break;
    }
    return rules;
}

void AskedMarket::Tell(const std::string& text) {
    shell_.MsgText = text;
    // The player's own news shows even when he skips the rest.
    const bool skipped = shell_.SkipRequested;
    shell_.SkipRequested = false;
    ShowOk(shell_);
    shell_.SkipRequested = shell_.SkipRequested || skipped;
}

void AskedMarket::Answered(FrmKarvenOff& form, int, int driver, bool accepted) {
    if (accepted) return; // the rules' announcement says it already
    Tell(TrF("{1} は、あなたのチームのオファーを断りました。", form.OffDrvTable[size_t(driver)].DrvNm));
}

std::string AskedMarket::TakeUnseenMoves() {
    constexpr size_t Shown = 5; // what the call's summary holds
    if (unseenMoves_.empty()) return "";
    std::string text = std::string(Tr("見ていない間の移籍")) + "\r\n";
    for (size_t i = 0; i < std::min(Shown, unseenMoves_.size()); ++i) text += unseenMoves_[i] + "\r\n";
    if (unseenMoves_.size() > Shown) text += TrF("ほか {1} 人", FormatPlain(int(unseenMoves_.size() - Shown))) + "\r\n";
    unseenMoves_.clear();
    return text;
}

void AskedMarket::Moved(FrmKarvenOff& form, int team, int driver, const std::string& fromTimNo) {
    if (shell_.PlayToDecision)
        unseenMoves_.push_back(TrF("{1} → {2}", form.OffDrvTable[size_t(driver)].DrvNm, form.OffTimTable[size_t(team)].TimNm));
    const PrincipalState& p = season_.history.principal;
    if (!p.InCharge() || fromTimNo != p.TimNo || form.OffTimTable[size_t(team)].TimNo == p.TimNo) return;
    Tell(TrF("あなたのチームを離れた {1} は、{2} と契約しました。", form.OffDrvTable[size_t(driver)].DrvNm,
             form.OffTimTable[size_t(team)].TimNm));
}

bool PolicyMarket::Keep(FrmKarvenOff& form, int team, int driver, bool rules) {
    if (policy_ == Policy::Rules) return rules;
    return Rank(form.OffDrvTable[size_t(driver)].ScoreRank) <= 2 * Rank(form.OffTimTable[size_t(team)].TimRank) + 2;
}

int PolicyMarket::Approach(FrmKarvenOff& form, int team, const std::vector<int>& available, int rules) {
    const int R = std::min(cycle++, MaxCycleNumber);
    if (policy_ == Policy::Rules) return rules;
    const int timRank = Rank(form.OffTimTable[size_t(team)].TimRank);
    auto better = [&](int a, int b) { return Rank(form.OffDrvTable[size_t(a)].ScoreRank) < Rank(form.OffDrvTable[size_t(b)].ScoreRank); };
    int best = 0, listening = 0;
    for (int d : available) {
        if (best == 0 || better(d, best)) best = d;
        bool listens = Rank(form.OffDrvTable[size_t(d)].ScoreRank) + R >= 2 * timRank;
        if (listens && (listening == 0 || better(d, listening))) listening = d;
    }
    return listening != 0 ? listening : best;
}

} // namespace karven::principal
