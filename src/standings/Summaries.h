#pragma once
// Short summaries of what the main window has just shown, spoken for players who listen rather
// than look (the front ends announce them).

#include <string>

namespace karven {

struct Season;

// The podium of Grand Prix `gp`, how the principal's team did in it, and who leads; the champions
// once it was the season's last.
std::string RaceSummary(const Season& season, int gp);
// The first three of the standings, and where the principal's team stands.
std::string DriverStandingsSummary(const Season& season);
std::string TeamStandingsSummary(const Season& season);
// Who drives for another team (or for a team at all) in `after` than in `before`: the market's moves.
std::string MovesSummary(const Season& before, const Season& after);

} // namespace karven
