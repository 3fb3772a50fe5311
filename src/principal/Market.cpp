#include "principal/Market.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "management/Management.h"
#include "management/Tuning.h"
#include "offseason/FrmKarvenOff.h"
#include "offseason/Negotiation.h"
#include "principal/Board.h"
#include "principal/FrmApproach.h"
#include "principal/FrmCall.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Grades.h"
#include "shell/MessageWindows.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven::principal {

SigningCost CostOf(const Season& season, const FrmKarvenOff& form, int team, int driver, const RookieLookup& rookie) {
    if (!management::Running(season) || driver <= 0 || driver >= int(form.OffDrvTable.size())) return {};
    const OffDrvRecord& o = form.OffDrvTable[size_t(driver)];
    const std::string& TimNm = form.OffTimTable[size_t(team)].TimNm;
    if (const WorldDriver* newcomer = rookie ? rookie(driver) : nullptr) return {management::Demand(newcomer->whole), 0};
    if (driver < int(season.DrvTable.size()) && season.DrvTable[size_t(driver)].DrvNm == o.DrvNm)
        return {management::DemandOf(season, driver), management::BuyOut(season, o.DrvNm, TimNm)};
    return {};
}

std::vector<int> Affordable(const Season& season, const FrmKarvenOff& form, int team, const std::vector<int>& available,
                            const RookieLookup& rookie) {
    (void)form, (void)team, (void)rookie;
    if (management::CanSign(season, management::TeamInCharge(season))) return available;
    return {};
}

bool TeamMarket::Runs(const FrmKarvenOff& form, int team) const {
    const PrincipalState& p = season_.history.principal;
    return p.InCharge() && form.OffTimTable[size_t(team)].TimNo == p.TimNo;
}

Money TeamMarket::AskingOf(const FrmKarvenOff& form, int team, int driver) const {
    return management::Asking(CostOf(season_, form, team, driver, rookie_).salary, form.OffTimTable[size_t(team)].TimRank,
                              int(form.OffTimTable.size()) - 1);
}

bool TeamMarket::Answer(FrmKarvenOff& form, int team, int driver, bool rules) {
    const Money offered = std::exchange(offered_, 0);
    if (!management::Running(season_) || offered <= 0) return rules;
    const Money asking = AskingOf(form, team, driver);
    const management::Reply reply = management::ReplyTo(offered, asking);
    const bool accepted = reply == management::Reply::Accepts ||
                          (reply == management::Reply::AsksMore && PaysMore(form, team, driver, asking));
    if (accepted)
        signings.push_back({form.OffDrvTable[size_t(driver)].DrvNm, form.OffTimTable[size_t(team)].TimNm,
                            reply == management::Reply::Accepts ? offered : asking, seasons_});
    return accepted;
}

bool TeamMarket::PaysMore(FrmKarvenOff&, int, int, Money) {
    return management::CanSign(season_, management::TeamInCharge(season_));
}

AskedMarket::AskedMarket(Shell& shell, RookieLookup rookie) : TeamMarket(shell.season, std::move(rookie)), shell_(shell) {}

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

int AskedMarket::Approach(FrmKarvenOff& form, int team, const std::vector<int>& all, int rules) {
    // Whom the money reaches; the evaluation's pick beyond it is no pick.
    const std::vector<int> available = Affordable(shell_.season, form, team, all, rookie_);
    if (std::find(available.begin(), available.end(), rules) == available.end()) rules = 0;
    // Unasked, the evaluation's pick is offered what he asks.
    offered_ = rules ? AskingOf(form, team, rules) : 0;
    seasons_ = 2;
    if (!Answers()) return rules;
    const std::string unseen = TakeUnseenMoves();
    if (!unseen.empty()) Tell(unseen);
    FrmApproach window(shell_, form, team, available, rules, rookie_, R);
    shell_.platform.ShowModal(window);
    switch (window.answer) {
    case FrmApproach::Answer::Offer:
        offered_ = Money(std::llround(double(AskingOf(form, team, window.Chosen())) * window.OfferShare()));
        seasons_ = window.OfferSeasons();
        return window.Chosen();
    case FrmApproach::Answer::Pass: offered_ = 0; return 0;
    case FrmApproach::Answer::RulesFromNow: leftToRules_ = true; break;
    case FrmApproach::Answer::RulesOnce: break;
    }
    return rules;
}

bool AskedMarket::PaysMore(FrmKarvenOff& form, int team, int driver, Money asking) {
    const bool affordable = TeamMarket::PaysMore(form, team, driver, asking);
    if (!Answers()) return affordable;
    const std::string& name = form.OffDrvTable[size_t(driver)].DrvNm;
    (void)team;
    Call call{"契約", TrF("{1} は、年俸 {2} なら契約すると言っています。", name, management::MoneyText(asking)) + "\r\n\r\n" +
                          Tr("この年俸で契約しますか？"),
              "契約する", "見送る", affordable, ""};
    return Ask(shell_, call);
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
    if (policy_ == Policy::Reckless) return false; // both seats for the dearest he can find
    // With money to spend, he judges a driver by his ratings (what he asks follows them), as the
    // window shows them: one among the field's best stays, the rest make room for a better one.
    // The market's evaluation ranks a rookie by a score drawn at random, no guide to his driving.
    if (management::Running(season_)) {
        const Money worth = CostOf(season_, form, team, driver, rookie_).salary;
        int better = 0;
        for (int d = 1; d < int(form.OffDrvTable.size()); ++d)
            if (d != driver && CostOf(season_, form, team, d, rookie_).salary > worth) ++better;
        return better < management::tuning::SensibleKeepBest;
    }
    return form.OffDrvTable[size_t(driver)].ScoreRank <= 2 * form.OffTimTable[size_t(team)].TimRank + 2;
}

int PolicyMarket::Approach(FrmKarvenOff& form, int team, const std::vector<int>& all, int rules) {
    const int R = std::min(cycle++, MaxCycleNumber);
    const std::vector<int> available = Affordable(season_, form, team, all, rookie_);
    if (std::find(available.begin(), available.end(), rules) == available.end()) rules = 0;
    offered_ = 0;
    if (policy_ == Policy::Rules) return rules;
    if (policy_ == Policy::Reckless) {
        int dearest = 0;
        Money most = -1;
        for (int d : available)
            if (Money cost = CostOf(season_, form, team, d, rookie_).Total(); cost > most) {
                most = cost;
                dearest = d;
            }
        if (dearest) offered_ = Money(double(AskingOf(form, team, dearest)) * management::RecklessPay());
        seasons_ = 3;
        return dearest;
    }
    const int timRank = form.OffTimTable[size_t(team)].TimRank;
    auto better = [&](int a, int b) { return form.OffDrvTable[size_t(a)].ScoreRank < form.OffDrvTable[size_t(b)].ScoreRank; };
    // With money, the best by his ratings, as Keep judges them.
    auto worthier = [&](int a, int b) {
        const Money wa = CostOf(season_, form, team, a, rookie_).salary, wb = CostOf(season_, form, team, b, rookie_).salary;
        return wa != wb ? wa > wb : better(a, b);
    };
    // A sensible principal pays a buy-out from the money he has, and a salary he can keep paying:
    // a share of what the season brought.
    const int table = management::TeamInCharge(season_);
    const bool money = management::Running(season_);
    const ManagedTeam* books = money ? &season_.history.management.teams[size_t(table)] : nullptr;
    int best = 0, listening = 0;
    for (int d : available) {
        // The buy-outs he agreed already are paid from the same money, and the machine needs the
        // rest; a driver free of contract costs none, even to a team in debt.
        const Money buyOut = CostOf(season_, form, team, d, rookie_).buyOut;
        if (books && ((buyOut > 0 && double(buyOut + buyOuts_) > management::tuning::SensibleBuyOuts * double(books->cash)) ||
                      AskingOf(form, team, d) > management::SalaryRoom(*books)))
            continue;
        if (best == 0 || (books ? worthier(d, best) : better(d, best))) best = d;
        bool listens = form.OffDrvTable[size_t(d)].ScoreRank + R >= 2 * timRank;
        if (listens && (listening == 0 || better(d, listening))) listening = d;
    }
    // With money, he pays the best he can afford what he asks; without, the ranks decide.
    if (money) {
        offered_ = best ? AskingOf(form, team, best) : 0;
        seasons_ = 2;
        return best;
    }
    return listening != 0 ? listening : best;
}

bool PolicyMarket::Answer(FrmKarvenOff& form, int team, int driver, bool rules) {
    const Money buyOut = CostOf(season_, form, team, driver, rookie_).buyOut;
    const bool accepted = TeamMarket::Answer(form, team, driver, rules);
    if (accepted) buyOuts_ += buyOut;
    return accepted;
}

bool PolicyMarket::PaysMore(FrmKarvenOff&, int, int, Money asking) {
    if (policy_ == Policy::Reckless) return true;
    const int table = management::TeamInCharge(season_);
    return season_.history.management.teams[size_t(table)].cash >= asking;
}

} // namespace karven::principal
