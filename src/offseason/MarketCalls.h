#pragma once
// The market's choices for one team, handed to whoever runs it: whether to offer each of its
// drivers a seat again, and which driver to make an offer to. The rules' evaluation is drawn
// first, as for every team, and its answer offered: the draws keep the rules' order.

#include <string>
#include <vector>

namespace karven {

class FrmKarvenOff;

class MarketCalls {
public:
    virtual ~MarketCalls() = default;
    // OffTimTable[team] is run by this caller.
    virtual bool Runs(const FrmKarvenOff& form, int team) const = 0;
    // Whether the team offers OffDrvTable[driver] to stay; `rules` what the evaluation said.
    virtual bool Keep(FrmKarvenOff& form, int team, int driver, bool rules) = 0;
    // The driver the team makes its offer to this cycle, out of `available` (OffDrvTable
    // positions, in the table's order); 0 for none. `rules` the evaluation's pick, 0 for none.
    virtual int Approach(FrmKarvenOff& form, int team, const std::vector<int>& available, int rules) = 0;
    // The negotiation's cycle number R while Approach is asked: who would listen depends on it.
    int R = 0;
    // The driver's answer to the offer of a team this caller runs, `rules` the rules' own draw
    // (drawn all the same, so the draws keep their order).
    virtual bool Answer(FrmKarvenOff& /*form*/, int /*team*/, int /*driver*/, bool rules) { return rules; }
    // The driver's answer to the offer of a team this caller runs, once the rules announced it.
    virtual void Answered(FrmKarvenOff& /*form*/, int /*team*/, int /*driver*/, bool /*accepted*/) {}
    // Any driver who signed for another team, once announced; `fromTimNo` the seat he left.
    virtual void Moved(FrmKarvenOff& /*form*/, int /*team*/, int /*driver*/, const std::string& /*fromTimNo*/) {}
};

} // namespace karven
