#pragma once
// The all-time records: every season of the history and the season in progress added up, by
// driver and team name (two drivers sharing a name share a line).

#include <string>
#include <vector>

#include "season/History.h"

namespace karven {

struct Season;

struct DriverTotals {
    std::string DrvNm;
    int titles = 0, wins = 0, poles = 0, fastestLaps = 0, podiums = 0, starts = 0;
    double points = 0;
    int bestSeasonWins = 0;
};

struct TeamTotals {
    std::string TimNm;
    int titles = 0, wins = 0;
};

struct AllTime {
    std::vector<DriverTotals> drivers; // by titles, then wins; equal ones as they first appeared
    std::vector<TeamTotals> teams;
};

// The archived seasons, then the season in progress once a race of it has been run (numbered
// after the last, not complete, not crowned).
std::vector<ArchivedSeason> SeasonsOnRecord(const Season& season);
AllTime AllTimeRecords(const std::vector<ArchivedSeason>& seasons);

// A top table: the best `most` entries and whoever ties the last of them; equal values share a place.
struct RankedEntry {
    int place = 0;
    std::string name;
    std::string detail; // what else tells the entry apart, as a season for the wins of one season
    double value = 0;
};
std::vector<RankedEntry> TopEntries(std::vector<RankedEntry> entries, size_t most = 10);

// One season of a driver's or a team's career.
struct CareerLine {
    const ArchivedSeason* season = nullptr;
    std::string TimNm; // a driver's team that season: in the standings, else of his last race
    int place = 0;     // final place in the standings, 0 when not ranked
    double points = 0;
    int wins = 0, poles = 0, podiums = 0, starts = 0;
    bool champion = false;
};
std::vector<CareerLine> DriverCareer(const std::vector<ArchivedSeason>& seasons, const std::string& DrvNm);
std::vector<CareerLine> TeamCareer(const std::vector<ArchivedSeason>& seasons, const std::string& TimNm);

} // namespace karven
