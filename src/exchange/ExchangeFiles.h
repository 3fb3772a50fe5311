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
// The files a failed export left in their place, a line each after CR LF, to follow its message;
// "" when it left none.
std::string WrittenAnyway(const std::vector<std::string>& written);

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
// Writes every file in full into a copy beside it, and only then lets each copy take its file's
// name, so a failure while writing (a full disk) leaves the folder as it was. False at the first
// failure, with the path and what went wrong; `written` gets the files that did take their place
// (none, unless a rename failed after the writing). A folder that does not exist is made when
// `makeFolder`.
bool WriteFolder(const std::string& folder, const std::vector<ExchangeFile>& files, bool makeFolder,
                 std::string& failedPath, std::string& why, std::vector<std::string>* written = nullptr);

} // namespace karven
