#pragma once
// The world at the market: what the composition hands the market window while the world is on.

#include "offseason/FrmKarvenOff.h"
#include "world/Turn.h"

namespace karven::world {

class WorldMarket : public MarketWatch {
public:
    explicit WorldMarket(Shell& shell) : shell_(shell) {}
    // The evaluation done: the news, told in its window, and the market's tables to match.
    void Opened(FrmKarvenOff& form) override;
    // The season closed and the next prepared: the world turns.
    void Confirmed(FrmKarvenOff& form) override;
    // The rookie at this OffDrvTable position, once the news is out; nullptr for anyone else.
    const WorldDriver* Rookie(int driver) const;
    // Called in the world's turn before the machines are rated again; nothing when empty.
    std::function<void(Season&, bool regulations)> beforeRanking;

private:
    Shell& shell_;
    MarketNews news_;
    int firstRookie_ = 0;
};

} // namespace karven::world
