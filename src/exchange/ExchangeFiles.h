#pragma once
// The exchange files in a folder the player chose: the season's three CSV files read and written,
// and the results written. The game never reads anything else there, and writes only these names.

#include <string>
#include <utility>
#include <vector>

#include "exchange/SeasonCsv.h"

namespace karven {

struct Season;

// A file to write: its name in the folder and its bytes.
using ExchangeFile = std::pair<std::string, std::string>;

// The larger files are refused: a season's three files come to a few hundred kilobytes at most.
inline constexpr size_t MaxExchangeFileBytes = 4 * 1024 * 1024;

std::string PathInFolder(const std::string& folder, const std::string& name);

struct FolderImport {
    enum class Outcome { Imported, Refused, NoFiles, ReadFailed } outcome = Outcome::NoFiles;
    ImportRefusal refusal;   // Refused
    ImportSummary summary;   // Imported
    std::string path, why;   // ReadFailed: the file and what went wrong
};
// Reads teams.csv, drivers.csv and calendar.csv of the folder, those that are there, into the season.
FolderImport ImportSeasonFolder(Season& season, const std::string& folder);

std::vector<ExchangeFile> SeasonCsvExport(const Season& season);
// Whether any of these files is already in the folder.
bool AnyInFolder(const std::string& folder, const std::vector<ExchangeFile>& files);
// Writes each file through a copy beside it that then takes its name, so a failure leaves what
// was there before. False at the first failure, with the path and what went wrong. A folder that
// does not exist is made when `makeFolder`.
bool WriteFolder(const std::string& folder, const std::vector<ExchangeFile>& files, bool makeFolder,
                 std::string& failedPath, std::string& why);

} // namespace karven
