#include "history/Records.h"

#include <algorithm>
#include <map>

#include "history/Archive.h"
#include "season/Numbers.h"
#include "season/Season.h"

namespace karven {

namespace {
bool Won(const ArchivedCar& c) { return c.place == 1 && !c.retired; }
bool Podium(const ArchivedCar& c) { return c.place >= 1 && c.place <= 3 && !c.retired; }

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
        std::map<NameRef, int> seasonWins;
        for (const ArchivedGp& gp : s.gps) {
            if (gp.pole) ++RowOf(all.drivers, drivers, s.Name(gp.pole)).poles;
            if (gp.fastestLap) ++RowOf(all.drivers, drivers, s.Name(gp.fastestLap)).fastestLaps;
            for (const ArchivedCar& c : gp.result) {
                DriverTotals& d = RowOf(all.drivers, drivers, s.Name(c.driver));
                TeamTotals* team = c.team ? &RowOf(all.teams, teams, s.Name(c.team)) : nullptr;
                ++d.starts;
                d.points += c.points;
                d.podiums += Podium(c);
                if (!Won(c)) continue;
                ++d.wins;
                ++seasonWins[c.driver];
                if (team) ++team->wins;
            }
        }
        for (const auto& [driver, wins] : seasonWins) {
            DriverTotals& d = RowOf(all.drivers, drivers, s.Name(driver));
            d.bestSeasonWins = std::max(d.bestSeasonWins, wins);
        }
        if (auto champion = s.Champion()) ++RowOf(all.drivers, drivers, *champion).titles;
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
            line.poles += gp.pole && s.Name(gp.pole) == DrvNm;
            for (const ArchivedCar& c : gp.result) {
                if (s.Name(c.driver) != DrvNm) continue;
                ++line.starts;
                line.points += c.points;
                line.wins += Won(c);
                line.podiums += Podium(c);
                line.TimNm = s.Name(c.team);
            }
        }
        for (const ArchivedDriver& d : s.drivers)
            if (s.Name(d.driver) == DrvNm) {
                line.place = d.place;
                line.TimNm = s.Name(d.team);
                break;
            }
        line.champion = s.Champion() == DrvNm;
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
            for (const ArchivedCar& c : gp.result) {
                if (s.Name(c.team) != TimNm) continue;
                ++line.starts;
                line.wins += Won(c);
                line.podiums += Podium(c);
                line.poles += gp.pole && gp.pole == c.driver;
            }
        for (const ArchivedTeam& t : s.constructors)
            if (s.Name(t.team) == TimNm) {
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
