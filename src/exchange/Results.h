#pragma once
// What the game computes, out of it: the standings, the season results table, every race's
// classification, the seasons of the history and the all-time records as CSV files, and the
// season report as one HTML file.

#include <vector>

#include "exchange/ExchangeFiles.h"

namespace karven {

struct Season;

inline constexpr const char* SeasonReportHtml = "season-report.html";

// Every file of the results, named as they are written.
std::vector<ExchangeFile> ResultFiles(const Season& season);

// The CSV files alone.
std::vector<ExchangeFile> ResultCsvFiles(const Season& season);

} // namespace karven
