#pragma once
// The driver the player's team makes its offer to: every driver it may approach, with his
// ratings, age, season and career; the evaluation's own pick chosen at first.

#include <string>
#include <utility>
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
    // R: the negotiation's cycle, on which a driver's answer depends.
    FrmApproach(Shell& shell, const FrmKarvenOff& market, int team, const std::vector<int>& available, int rules,
                const RookieLookup& rookie, int R = 0);
    void Load() override;
    void QueryClose() override; // the close box: the evaluation's pick

    static constexpr const char* FormName = "frmkarvenapproach";
    Answer answer = Answer::RulesOnce;
    // The driver chosen, an OffDrvTable position; 0 for none.
    int Chosen() const;
    // While the management runs: the salary offered, as a share of what he asks, and the seasons.
    double OfferShare() const;
    int OfferSeasons() const;

    // A driver's cells, and the keys they sort by.
    struct Row {
        std::vector<std::string> cells;
        std::vector<double> keys; // ascending is best first; NaN sorts by the cell's text
    };
    // 並べ替え: the next column to sort by, best first; the chosen driver stays chosen.
    void SortBy(int column);
    int SortColumn() const { return sortColumn_; }

private:
    Shell& shell_;
    std::vector<int> available_; // in the order of the rows
    std::vector<std::pair<int, Row>> rows_; // by OffDrvTable position, in the order shown
    int sortColumn_ = -1;
    int share_ = 2;   // of OfferShares
    int seasons_ = 2; // 1..3
    void ShowOffer();
};

} // namespace karven::principal
