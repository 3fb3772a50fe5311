#pragma once
// The world's share of an off-season, in the order a real one runs. When the market opens and has
// judged the season just finished, some drivers retire and rookies come in; the market then
// fills the seats by its own rules. When it is confirmed (the champion crowned, the season
// closed), everyone is a year older, the ratings and the machines move, and the closed season
// keeps what the world did.

#include <cstdint>
#include <functional>
#include <vector>

#include "season/Season.h"

namespace karven {
class FrmKarvenOff;
}

namespace karven::world {

// Turns the world on. The first time, it meets every driver and team (an age for each, a
// potential from his ratings) and takes the field's level to keep it at; after that it goes on
// where it stopped, meeting only the drivers the editors added meanwhile.
void EnableWorld(Season& season, uint64_t seed);
void DisableWorld(Season& season);

// The world's records made to match the tables: a driver or team it has not met yet gets a first
// look, a rating the player changed is taken as he set it.
void SyncWorld(Season& season);

struct MarketNews {
    std::vector<int> retiring;        // positions in the driver table, in order
    std::vector<WorldDriver> rookies; // in the order they join the table
    std::vector<double> rookieScores; // the market's score of a driver without a seat
};

// Who retires and who comes in, drawn from the world's own generator for this season: opening
// the market again brings the same news. Needs the world in step with the tables.
MarketNews NewsOf(const Season& season);

// The news in the market's working tables: the retiring take no part (settled, with no seat and
// no seat label), the rookies enter as drivers without a seat, and the ranks are taken again over
// the whole field.
void EnterTheMarket(const MarketNews& news, FrmKarvenOff& form);

// After the market's confirmation. `beforeRanking` (when given) sees the machines developed, and
// whether new regulations came, before the field's whole ratings are given again.
void TurnTheWorld(Season& season, const MarketNews& news, const FrmKarvenOff& form,
                  const std::function<void(Season&, bool regulations)>& beforeRanking = {});

} // namespace karven::world
