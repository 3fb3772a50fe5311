#pragma once
// The season's teams, drivers and calendar as three CSV files, to edit in a spreadsheet and read
// back. Each holds what its editor shows: grades as letters, course types as words, a driver's
// team by its name. What no editor edits (careers, results, points) stays in the season.

#include <optional>
#include <string>

#include "season/Season.h"

namespace karven {

inline constexpr const char* TeamsCsv = "teams.csv";
inline constexpr const char* DriversCsv = "drivers.csv";
inline constexpr const char* CalendarCsv = "calendar.csv";

// The files as written: UTF-8 with a byte-order mark, a header of field names, CR LF.
std::string TeamsToCsv(const Season& season);
std::string DriversToCsv(const Season& season);
std::string CalendarToCsv(const Season& season);

// The bytes of the files found; a file left out leaves its part of the season as it is.
struct SeasonCsvFiles {
    std::optional<std::string> teams, drivers, calendar;
};

// Why an import was refused: the file, its line (0: the file as a whole), the column ("" none).
struct ImportRefusal {
    std::string file;
    int line = 0;
    std::string column;
    std::string what;
};
// The refusal as the player reads it, lines joined by CR LF.
std::string RefusalText(const ImportRefusal& refusal);

struct ImportSummary {
    int teams = -1, drivers = -1, gps = -1; // how many each file brought; -1: the file was not there
    int newTeams = 0, newDrivers = 0;       // of them, how many the season did not have before
};

// What an import brought, as the player reads it, lines joined by CR LF.
std::string ImportSummaryText(const ImportSummary& summary);

// Reads the files into the season as its editors would write it: records matched by name keep
// what the files do not hold (a driver's career and results, a team's points), a value shown as
// it was keeps its stored text, names pass through FileSafeName, NinCount is lowered as the team
// and driver editors lower it. Everything is checked first: on a refusal the season is untouched.
bool ImportSeasonCsv(Season& season, const SeasonCsvFiles& files, ImportRefusal& refusal,
                     ImportSummary* summary = nullptr);

} // namespace karven
