#pragma once
// The market's choices of the team the player runs: asked in windows, or made by a fixed policy
// for headless careers. Every other team, and every driver's answer, stays the rules'.

#include <functional>
#include <string>
#include <vector>

#include "offseason/MarketCalls.h"
#include "season/ManagementState.h"
#include "season/WorldState.h"

namespace karven {
class Shell;
struct Season;
} // namespace karven

namespace karven::principal {

// A rookie of this off-season by his OffDrvTable position; nullptr for a driver of the table.
using RookieLookup = std::function<const WorldDriver*(int driver)>;

// While the management runs: what signing a driver of the market costs the team, his salary for
// a season and the buy-out of a contract that still runs elsewhere; nothing when it does not run.
struct SigningCost {
    Money salary = 0, buyOut = 0;
    Money Total() const { return salary + buyOut; }
};
SigningCost CostOf(const Season& season, const FrmKarvenOff& form, int team, int driver, const RookieLookup& rookie);
// The drivers of `available` the team can sign: none once its money has run out (all of them
// while the management rests).
std::vector<int> Affordable(const Season& season, const FrmKarvenOff& form, int team, const std::vector<int>& available,
                            const RookieLookup& rookie);

// While the management runs, a driver answers the team's offer by the money: he accepts what he
// asks, asks for more when offered a little less (the team pays it or not), and refuses less.
class TeamMarket : public MarketCalls {
public:
    explicit TeamMarket(const Season& season, RookieLookup rookie = {}) : season_(season), rookie_(std::move(rookie)) {}
    bool Runs(const FrmKarvenOff& form, int team) const override;
    bool Answer(FrmKarvenOff& form, int team, int driver, bool rules) override;
    // The contracts agreed in this market, for the season's close.
    std::vector<Contract> signings;

protected:
    // What the driver asks of this team for a season.
    Money AskingOf(const FrmKarvenOff& form, int team, int driver) const;
    // A driver asking for more than the offer: whether the team pays it (by default, while it
    // has money left).
    virtual bool PaysMore(FrmKarvenOff& form, int team, int driver, Money asking);
    const Season& season_;
    RookieLookup rookie_;
    // The offer of the last Approach: a season's salary (0: the rules answer) and its seasons.
    Money offered_ = 0;
    int seasons_ = 2;
};

// Asks the player; after スキップ or under オート実況 the evaluation answers. ルールに任せる hands the
// rest of this market to the evaluation.
class AskedMarket final : public TeamMarket {
public:
    AskedMarket(Shell& shell, RookieLookup rookie);
    bool PaysMore(FrmKarvenOff& form, int team, int driver, Money asking) override;
    bool Keep(FrmKarvenOff& form, int team, int driver, bool rules) override;
    int Approach(FrmKarvenOff& form, int team, const std::vector<int>& available, int rules) override;
    // A refusal, and a driver of his who signs elsewhere, told to him in plain words, even after
    // スキップ: the rules' own announcement of a refusal only says the offer is held.
    void Answered(FrmKarvenOff& form, int team, int driver, bool accepted) override;
    void Moved(FrmKarvenOff& form, int team, int driver, const std::string& fromTimNo) override;

private:
    bool Answers() const;
    void Tell(const std::string& text);
    // Under 次の判断まで: the signings he did not see, told before his next question, then forgotten.
    std::string TakeUnseenMoves();
    Shell& shell_;
    bool leftToRules_ = false;
    std::vector<std::string> unseenMoves_;
};

// The fixed policy of karven-sim --manage: keep a driver the market ranks no lower than twice
// the team's place and two more; make the offer to the best driver who would listen to it (one
// whose rank and the cycle reach twice the team's place), else to the best available. While the
// team has money, a sensible principal judges by the ratings instead: he keeps one of the field's
// best and pays the best he can afford what he asks, his buy-outs within half his money.
// A reckless principal lets his drivers go, to make his offers to the dearest he may sign.
class PolicyMarket final : public TeamMarket {
public:
    enum class Policy { Sensible, Rules, Reckless };
    PolicyMarket(const Season& season, Policy policy, RookieLookup rookie = {})
        : TeamMarket(season, std::move(rookie)), policy_(policy) {}
    bool PaysMore(FrmKarvenOff& form, int team, int driver, Money asking) override;
    bool Keep(FrmKarvenOff& form, int team, int driver, bool rules) override;
    int Approach(FrmKarvenOff& form, int team, const std::vector<int>& available, int rules) override;
    bool Answer(FrmKarvenOff& form, int team, int driver, bool rules) override;
    int cycle = 0; // the negotiation's R, counted by the offers asked

private:
    Policy policy_;
    Money buyOuts_ = 0; // agreed in this market, paid at its close

};

} // namespace karven::principal
