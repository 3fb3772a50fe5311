#include "sim/Market.h"

#include "app/Game.h"
#include "offseason/FrmKarvenOff.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "sim/AutoPlatform.h"

namespace karven::sim {

namespace {
Json LineUp(const Season& season) {
    Json teams = Json::array();
    for (size_t t = 1; t < season.TimTable.size(); ++t) {
        const TimRecord& team = season.TimTable[t];
        Json drivers = Json::array();
        for (size_t d = 1; d < season.DrvTable.size(); ++d)
            if (!season.DrvTable[d].TimNo.empty() && season.DrvTable[d].TimNo == team.TimNo)
                drivers.push_back(season.DrvTable[d].DrvNm);
        teams.push_back({{"TimNo", team.TimNo}, {"TimNm", team.TimNm}, {"drivers", drivers}});
    }
    return teams;
}
} // namespace

Json RunMarket(Game& game, AutoPlatform& platform) {
    Json champion = nullptr;
    bool opened = false;
    int announced = 0;
    platform.Answer(FrmKarvenOff::FormName, [&](Form& form) {
        opened = true;
        form.Click("cmdStart");
        auto& market = dynamic_cast<FrmKarvenOff&>(form);
        announced = market.announced;
        if (int c = ChampionIndex(market.OffDrvTable); c > 0) champion = market.OffDrvTable[c].DrvNm;
        form.Click("cmdOK");
    });
    // Every offer and answer is announced; unless echoed, nobody reads them and they are skipped.
    platform.SkipUnreadWindows(true);
    game.shell.main.Click("cmdOffSis");
    platform.SkipUnreadWindows(false);
    if (!opened) return nullptr; // the season is not over

    Json unseated = Json::array();
    for (size_t d = 1; d < game.season.DrvTable.size(); ++d)
        if (game.season.DrvTable[d].TimNo.empty()) unseated.push_back(game.season.DrvTable[d].DrvNm);
    return {{"champion", champion},
            {"teams", LineUp(game.season)},
            {"unseated", unseated},
            {"announcements", announced}};
}

void PrintMarket(std::ostream& out, const Json& market) {
    out << TrF("ストーブリーグ\n  チャンピオン: {1}\n",
               market["champion"].is_null() ? std::string(Tr("なし")) : market["champion"].get<std::string>());
    for (const Json& team : market["teams"]) {
        out << "  " << team["TimNo"].get<std::string>() << " " << team["TimNm"].get<std::string>() << ":";
        for (const Json& driver : team["drivers"]) out << " " << driver.get<std::string>();
        out << "\n";
    }
    out << Tr("  シートなし:");
    for (const Json& driver : market["unseated"]) out << " " << driver.get<std::string>();
    out << TrF("\n  発表 {1} 件\n\n", market["announcements"].get<int>());
}

} // namespace karven::sim
