#include "season/WorldState.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "season/Season.h"

namespace karven {

const WorldSeason* WorldState::SeasonOf(int number) const {
    for (const WorldSeason& s : seasons)
        if (s.season == number) return &s;
    return nullptr;
}

namespace {
// For each table entry ([0] unused) the record of its name, the n-th of a name the n-th record of it.
template <class Row, class Record>
std::vector<size_t> MatchNames(const std::vector<Row>& table, std::string Row::*rowName, const std::vector<Record>& records,
                               std::string Record::*recordName) {
    std::map<std::string_view, std::vector<size_t>> free; // by name, the records left, last first
    for (size_t r = records.size(); r-- > 1;) free[records[r].*recordName].push_back(r);
    std::vector<size_t> match(table.size(), 0);
    for (size_t i = 1; i < table.size(); ++i) {
        auto it = free.find(table[i].*rowName);
        if (it == free.end() || it->second.empty()) continue;
        match[i] = it->second.back();
        it->second.pop_back();
    }
    return match;
}
} // namespace

std::vector<size_t> WorldDriverIndex(const WorldState& world, const Season& season) {
    return MatchNames(season.DrvTable, &DrvRecord::DrvNm, world.drivers, &WorldDriver::DrvNm);
}

std::vector<size_t> WorldTeamIndex(const WorldState& world, const Season& season) {
    return MatchNames(season.TimTable, &TimRecord::TimNm, world.teams, &WorldTeam::TimNm);
}

namespace {
// The records of the new table's entries, each under its new name: taken from where it stood.
template <class Row, class Record>
std::vector<Record> Follow(const std::vector<Record>& records, std::string Record::*recordName, const std::vector<Row>& oldTable,
                           const std::vector<Row>& newTable, std::string Row::*rowName, const std::vector<int>& from) {
    const std::vector<size_t> had = MatchNames(oldTable, rowName, records, recordName);
    std::vector<Record> followed(1);
    for (size_t i = 1; i < newTable.size(); ++i) {
        const size_t was = i < from.size() ? size_t(std::max(from[i], 0)) : 0;
        if (was == 0 || was >= had.size() || had[was] == 0) continue;
        Record& r = followed.emplace_back(records[had[was]]);
        r.*recordName = newTable[i].*rowName;
    }
    return followed;
}
} // namespace

void FollowTables(WorldState& w, const std::vector<DrvRecord>& drivers, const std::vector<TimRecord>& teams,
                  const Season& after, const std::vector<int>& driverFrom, const std::vector<int>& teamFrom) {
    w.drivers = Follow(w.drivers, &WorldDriver::DrvNm, drivers, after.DrvTable, &DrvRecord::DrvNm, driverFrom);
    w.teams = Follow(w.teams, &WorldTeam::TimNm, teams, after.TimTable, &TimRecord::TimNm, teamFrom);
}

} // namespace karven
