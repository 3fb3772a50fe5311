#include "world/WorldMarket.h"

#include "shell/Shell.h"
#include "world/FrmNews.h"

namespace karven::world {

void WorldMarket::Opened(FrmKarvenOff& form) {
    SyncWorld(shell_.season);
    news_ = NewsOf(shell_.season);
    EnterTheMarket(news_, form);
    ShowNews(shell_, news_);
}

void WorldMarket::Confirmed(FrmKarvenOff& form) { TurnTheWorld(shell_.season, news_, form); }

} // namespace karven::world
