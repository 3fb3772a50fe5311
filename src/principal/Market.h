#pragma once
// The market's choices of the team the player runs: asked in windows, or made by a fixed policy
// for headless careers. Every other team, and every driver's answer, stays the rules'.

#include <functional>
#include <string>
#include <vector>

#include "offseason/MarketCalls.h"
#include "season/WorldState.h"

namespace karven {
class Shell;
struct Season;
} // namespace karven

namespace karven::principal {

// A rookie of this off-season by his OffDrvTable position; nullptr for a driver of the table.
using RookieLookup = std::function<const WorldDriver*(int driver)>;

class TeamMarket : public MarketCalls {
public:
    explicit TeamMarket(const Season& season) : season_(season) {}
    bool Runs(const FrmKarvenOff& form, int team) const override;

protected:
    const Season& season_;
};

// Asks the player; after スキップ or under オート実況 the evaluation answers. ルールに任せる hands the
// rest of this market to the evaluation.
class AskedMarket final : public TeamMarket {
public:
    AskedMarket(Shell& shell, RookieLookup rookie);
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
    RookieLookup rookie_;
    bool leftToRules_ = false;
    std::vector<std::string> unseenMoves_;
};

// The fixed policy of karven-sim --manage: keep a driver the market ranks no lower than twice
// the team's place and two more; make the offer to the best driver who would listen to it (one
// whose rank and the cycle reach twice the team's place), else to the best available.
class PolicyMarket final : public TeamMarket {
public:
    enum class Policy { Sensible, Rules };
    PolicyMarket(const Season& season, Policy policy) : TeamMarket(season), policy_(policy) {}
    bool Keep(FrmKarvenOff& form, int team, int driver, bool rules) override;
    int Approach(FrmKarvenOff& form, int team, const std::vector<int>& available, int rules) override;
    int cycle = 0; // the negotiation's R, counted by the offers asked

private:
    Policy policy_;
};

} // namespace karven::principal
