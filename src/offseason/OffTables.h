#pragma once
// The transfer market's working tables: rebuilt each time the window opens, written into the
// season only when the player confirms.

#include <cstddef>
#include <string>
#include <vector>

namespace karven {

struct DrvRecord;
struct Season;

struct OffTimRecord {
    std::string TimNo;
    std::string TimNm;
    std::string ColorNo;
    std::string TimRank; // 1 = most constructors' points
    std::string Seat1;   // "1" once the first seat for next season is settled
    std::string Seat2;

    bool Full() const;
};

struct OffDrvRecord {
    std::string TimNo; // this season's team, or the team he has signed for
    std::string DrvNo;
    std::string DrvNm;
    std::string ScoreRank;
    std::string EvalPoints;
    std::string PointsRank;
    std::string Score;
    std::string Decided; // "1" once his seat for next season is settled

    bool Settled() const { return Decided == "1"; }
};

// A driver's evaluation points over this season's results.
int EvalPointsOf(const DrvRecord& driver);
// The champion: the first driver whose EvalPoints beat every earlier one, starting from 0;
// 0 when nobody scored.
int ChampionIndex(const std::vector<OffDrvRecord>& drivers);
// Entry i's place by descending first and second key, then ascending number, over entries 1..:
// 1 for the best. The market's ScoreRank and PointsRank.
int RankOf(size_t i, const std::vector<double>& first, const std::vector<double>& second,
           const std::vector<double>& number);
// The same over the season as it stands, as the market would judge it: only drivers with a seat
// earn evaluation points. Needs no draw.
int MarketChampion(const Season& season);

} // namespace karven
