#pragma once
// オフシーズンのニュース: the drivers who retire and the rookies who arrive, told as the market
// opens, before its negotiation.

#include "shell/Form.h"
#include "world/Turn.h"

namespace karven {
class Shell;
}

namespace karven::world {

class FrmNews : public Form {
public:
    FrmNews(Shell& shell, const Season& season, const MarketNews& news);
    void Load() override;

    static constexpr const char* FormName = "frmkarvennews";

private:
    Shell& shell_;
};

// Shows the news of this off-season: the market always opens with it while the world is on.
void ShowNews(Shell& shell, const MarketNews& news);

} // namespace karven::world
