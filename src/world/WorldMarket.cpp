#include "world/WorldMarket.h"

#include "shell/Shell.h"
#include "world/FrmNews.h"

namespace karven::world {

void WorldMarket::Opened(FrmKarvenOff& form) {
    SyncWorld(shell_.season);
    news_ = NewsOf(shell_.season);
    firstRookie_ = int(form.OffDrvTable.size());
    EnterTheMarket(news_, form);
    ShowNews(shell_, news_);
}

void WorldMarket::Confirmed(FrmKarvenOff& form) { TurnTheWorld(shell_.season, news_, form, beforeRanking); }

const WorldDriver* WorldMarket::Rookie(int driver) const {
    // Rookies join the market's table after every driver of the season's.
    int i = driver - firstRookie_;
    return i >= 0 && i < int(news_.rookies.size()) ? &news_.rookies[size_t(i)] : nullptr;
}

} // namespace karven::world
