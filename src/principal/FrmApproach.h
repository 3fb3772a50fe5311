#pragma once
// The driver the player's team makes its offer to: every driver it may approach, with his
// ratings, age, season and career; the evaluation's own pick chosen at first.

#include <vector>

#include "principal/Market.h"
#include "shell/Form.h"

namespace karven {
class FrmKarvenOff;
}

namespace karven::principal {

class FrmApproach : public Form {
public:
    // Esc and the close box leave this offer to the evaluation; ルールに任せる the rest of the market.
    enum class Answer { Offer, Pass, RulesOnce, RulesFromNow };
    FrmApproach(Shell& shell, const FrmKarvenOff& market, int team, const std::vector<int>& available, int rules,
                const RookieLookup& rookie);
    void Load() override;
    void QueryClose() override; // the close box: the evaluation's pick

    static constexpr const char* FormName = "frmkarvenapproach";
    Answer answer = Answer::RulesOnce;
    // The driver chosen, an OffDrvTable position; 0 for none.
    int Chosen() const;

private:
    Shell& shell_;
    std::vector<int> available_;
};

} // namespace karven::principal
