#pragma once
// The seasons the file and exchange benchmarks share: the default season, and the largest season
// the program holds (999 drivers) with a hundred seasons of history.

#include <filesystem>
#include <stdexcept>
#include <string>

#include "history/Archive.h"
#include "offseason/NewSeason.h"
#include "race/RaceState.h"
#include "race/SilentWeekend.h"
#include "season/SeasonFile.h"
#include "shell/Random.h"

namespace karven::bench {

inline std::string ProgramFolder() {
    return std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/";
}

inline Season DefaultSeason() {
    Season season;
    if (!ReadSeasonFile(season, ProgramFolder() + InitialDataFile)) throw std::runtime_error("no Karven.sin");
    return season;
}

// Seasons played silently and closed as the market closes them, crowned, seats moved round.
inline void CloseSeasons(Season& season, int count) {
    GameRandom random(2026);
    for (int n = 0; n < count; ++n) {
        while (PlayGrandPrix(season, random, {})) {
        }
        ArchivedSeason closed = SeasonSoFar(season);
        closed.crowned = true;
        closed.champion = closed.drivers.empty() ? 0 : closed.drivers.front().driver;
        for (const ArchivedEntrant& e : closed.teams) closed.moves.push_back({e.seat2, e.team, e.team});
        ArchiveSeason(season, std::move(closed));
        ResetSeason(season, 0);
    }
}

inline size_t FileSize(const Season& season, const std::string& path) {
    if (!WriteSeasonFile(season, path)) throw std::runtime_error("not saved");
    return std::filesystem::file_size(path);
}

// The largest season the program holds: 999 drivers, most of them without a seat.
inline Season LargestSeason() {
    Season season = DefaultSeason();
    for (int d = int(season.DrvTable.size()); d <= MaxDrvCount; ++d) {
        DrvRecord driver = NewDrvRecord(d);
        driver.DrvNm = "控え" + std::to_string(d);
        season.DrvTable.push_back(driver);
    }
    season.DrvCount = std::to_string(MaxDrvCount);
    return season;
}

inline const Season& LargestWithHistory() {
    static const Season season = [] {
        Season s = LargestSeason();
        CloseSeasons(s, 100);
        return s;
    }();
    return season;
}

} // namespace karven::bench
