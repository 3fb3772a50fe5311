#include "history/Records.h"

#include <algorithm>
#include <map>

#include "history/Archive.h"
#include "season/Numbers.h"
#include "season/Season.h"

namespace karven {

namespace {
bool Won(const ClassifiedCar& c) { return c.place == 1 && !c.retired; }
bool Podium(const ClassifiedCar& c) { return c.place >= 1 && c.place <= 3 && !c.retired; }

// Totals in order of first appearance.
template <class Row> Row& RowOf(std::vector<Row>& rows, std::map<std::string, size_t>& index, const std::string& name) {
    auto [it, added] = index.try_emplace(name, rows.size());
    if (added) {
        rows.emplace_back();
        if constexpr (std::is_same_v<Row, DriverTotals>) rows.back().DrvNm = name;
        else rows.back().TimNm = name;
    }
    return rows[it->second];
}
} // namespace

std::vector<ArchivedSeason> SeasonsOnRecord(const Season& season) {
    std::vector<ArchivedSeason> seasons = season.history.seasons;
    if (ReadCount(season.Sis.EndGp) >= 1) {
        ArchivedSeason now = SeasonSoFar(season);
        now.complete = false;
        for (const ArchivedSeason& s : seasons) now.number = std::max(now.number, s.number);
        ++now.number;
        seasons.push_back(std::move(now));
    }
    return seasons;
}

AllTime AllTimeRecords(const std::vector<ArchivedSeason>& seasons) {
    AllTime all;
    std::map<std::string, size_t> drivers, teams;
    for (const ArchivedSeason& s : seasons) {
        std::map<std::string, int> seasonWins;
        for (const ArchivedGp& gp : s.gps) {
            if (!gp.pole.empty()) ++RowOf(all.drivers, drivers, gp.pole).poles;
            if (!gp.fastestLap.empty()) ++RowOf(all.drivers, drivers, gp.fastestLap).fastestLaps;
            for (const ClassifiedCar& c : gp.result) {
                DriverTotals& d = RowOf(all.drivers, drivers, c.DrvNm);
                ++d.starts;
                d.points += c.points;
                d.podiums += Podium(c);
                if (!Won(c)) continue;
                ++d.wins;
                ++seasonWins[c.DrvNm];
                if (!c.TimNm.empty()) ++RowOf(all.teams, teams, c.TimNm).wins;
            }
        }
        for (const auto& [name, wins] : seasonWins) {
            DriverTotals& d = RowOf(all.drivers, drivers, name);
            d.bestSeasonWins = std::max(d.bestSeasonWins, wins);
        }
        if (s.champion) ++RowOf(all.drivers, drivers, *s.champion).titles;
        if (auto team = s.ConstructorsChampion()) ++RowOf(all.teams, teams, *team).titles;
    }
    auto byTitles = [](const auto& a, const auto& b) { return a.titles != b.titles ? a.titles > b.titles : a.wins > b.wins; };
    std::stable_sort(all.drivers.begin(), all.drivers.end(), byTitles);
    std::stable_sort(all.teams.begin(), all.teams.end(), byTitles);
    return all;
}

std::vector<RankedEntry> TopEntries(std::vector<RankedEntry> entries, size_t most) {
    entries.erase(std::remove_if(entries.begin(), entries.end(), [](const RankedEntry& e) { return e.value <= 0; }),
                  entries.end());
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.value > b.value; });
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i].place = i > 0 && entries[i].value == entries[i - 1].value ? entries[i - 1].place : int(i) + 1;
    size_t keep = std::min(most, entries.size());
    while (keep < entries.size() && entries[keep].value == entries[keep - 1].value) ++keep;
    entries.resize(keep);
    return entries;
}

std::vector<CareerLine> DriverCareer(const std::vector<ArchivedSeason>& seasons, const std::string& DrvNm) {
    std::vector<CareerLine> lines;
    for (const ArchivedSeason& s : seasons) {
        CareerLine line;
        line.season = &s;
        for (const ArchivedGp& gp : s.gps) {
            line.poles += gp.pole == DrvNm;
            for (const ClassifiedCar& c : gp.result) {
                if (c.DrvNm != DrvNm) continue;
                ++line.starts;
                line.points += c.points;
                line.wins += Won(c);
                line.podiums += Podium(c);
                line.TimNm = c.TimNm;
            }
        }
        for (const ArchivedDriver& d : s.drivers)
            if (d.DrvNm == DrvNm) {
                line.place = d.place;
                line.TimNm = d.TimNm;
                break;
            }
        line.champion = s.champion && *s.champion == DrvNm;
        if (line.starts > 0 || line.place > 0 || line.champion || line.poles > 0) lines.push_back(line);
    }
    return lines;
}

std::vector<CareerLine> TeamCareer(const std::vector<ArchivedSeason>& seasons, const std::string& TimNm) {
    std::vector<CareerLine> lines;
    for (const ArchivedSeason& s : seasons) {
        CareerLine line;
        line.season = &s;
        line.TimNm = TimNm;
        for (const ArchivedGp& gp : s.gps)
            for (const ClassifiedCar& c : gp.result) {
                if (c.TimNm != TimNm) continue;
                ++line.starts;
                line.wins += Won(c);
                line.podiums += Podium(c);
                line.poles += gp.pole == c.DrvNm;
            }
        for (const ArchivedTeam& t : s.constructors)
            if (t.TimNm == TimNm) {
                line.place = t.place;
                line.points = t.points;
                break;
            }
        line.champion = s.ConstructorsChampion() == TimNm;
        if (line.starts > 0 || line.place > 0) lines.push_back(line);
    }
    return lines;
}

} // namespace karven
