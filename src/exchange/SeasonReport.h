#pragma once
// The season report: one HTML file that any browser opens without a network and without scripts,
// and that prints on A4. The standings, the season results table in the machine colours, the
// points by Grand Prix, the calendar with its winners, the champions of every season and the
// all-time records.

#include <string>

namespace karven {

struct Season;

std::string SeasonReport(const Season& season);

} // namespace karven
