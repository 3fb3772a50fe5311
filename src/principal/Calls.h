#pragma once
// The race calls of the team the player runs: asked in a window, or made by a fixed policy for
// headless careers. Cars of other teams, and every call without a choice, stay the rules'.

#include "race/RaceCalls.h"

namespace karven {
class Shell;
struct Season;
} // namespace karven

namespace karven::principal {

struct Call;

// Runs the cars whose team is the one in charge.
class TeamCalls : public RaceCalls {
public:
    explicit TeamCalls(const Season& season) : season_(season) {}
    bool Runs(const RaceState& race, int k) const override;

private:
    const Season& season_;
};

// Asks the player; under スキップ or オート実況, and on the last lap, the rules' roll answers, so a race
// can always run on. Under 次の判断まで he is asked, told first what passed unseen.
class AskedCalls final : public TeamCalls {
public:
    explicit AskedCalls(Shell& shell);
    bool PitIn(RaceState& race, int k, bool rules) override;
    bool RainTyres(RaceState& race, int k, bool rules) override;

private:
    bool Answers(const RaceState& race) const;
    bool AskAbout(const RaceState& race, Call call);
    Shell& shell_;
};

// The fixed policy of karven-sim --manage: come in on the wrong tyres and only then (a stop costs
// more than worn tyres), and fit the tyres of the weather. `Rules` answers as the roll did.
class PolicyCalls final : public TeamCalls {
public:
    enum class Policy { Sensible, Rules };
    PolicyCalls(const Season& season, Policy policy) : TeamCalls(season), policy_(policy) {}
    bool PitIn(RaceState& race, int k, bool rules) override;
    bool RainTyres(RaceState& race, int k, bool rules) override;

private:
    Policy policy_;
};

} // namespace karven::principal
