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
    int TimRank = 0;    // 1 = most constructors' points
    bool Seat1 = false; // once the first seat for next season is settled
    bool Seat2 = false;

    bool Full() const { return Seat1 && Seat2; }
};

struct OffDrvRecord {
    std::string TimNo; // this season's team, or the team he has signed for
    std::string DrvNo;
    std::string DrvNm;
    int ScoreRank = 0;
    double EvalPoints = 0;
    int PointsRank = 0;
    double Score = 0;     // as its text would read back
    bool Decided = false; // once his seat for next season is settled

    bool Settled() const { return Decided; }
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
