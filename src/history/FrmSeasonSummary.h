#pragma once
// シーズン終了: after the market's confirmation, a word on the season just closed — its champions,
// its leaders and the drivers who changed team — before the main window turns to the next one.

#include <string>
#include <vector>

#include "season/History.h"
#include "shell/Form.h"

namespace karven {

class Shell;

// The facts the window tells, taken from the season as the history keeps it.
struct SeasonFacts {
    std::string title;        // 第N期
    std::string champion;     // "" when none was crowned
    std::string championTeam;
    std::string constructorsChampion;
    std::string standingsLeader; // "" when he is the crowned champion
    std::string winsLeader;      // "name（N勝）", "" when nobody won
    std::string polesLeader;     // "name（N回）", "" when no pole is known
    std::vector<std::vector<std::string>> moves; // driver, team before, team after ("―" for none)
};
SeasonFacts FactsOf(const ArchivedSeason& season);

// What the living world did in the off-season, rows of what, who and how; none when it is off.
using OffSeasonRows = std::vector<std::vector<std::string>>;

class FrmSeasonSummary : public Form {
public:
    // `verdict`: the board's word on the player's season in charge, "" when he ran no team.
    FrmSeasonSummary(Shell& shell, const ArchivedSeason& season, const OffSeasonRows& offSeason = {},
                     const std::string& verdict = "");
    void Load() override;

private:
    Shell& shell_;
};

// Shows the summary of the season the history closed last, then clears the main window's grid
// for the new season.
void ShowSeasonSummary(Shell& shell, const OffSeasonRows& offSeason = {}, const std::string& verdict = "");

} // namespace karven
