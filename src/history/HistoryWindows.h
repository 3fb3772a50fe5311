#pragma once
// The 記録 menu: past champions, past seasons, all-time records, and a page per driver and team.
// They read the history and the season in progress; only a season's name is ever written.

#include <string>

namespace karven {

class Shell;

void ShowChampions(Shell& shell);
// Opens on the season of that number (0: the latest on record).
void ShowPastSeason(Shell& shell, int number = 0);
void ShowAllTimeRecords(Shell& shell);
// Opens on that driver or team ("": the first on record).
void ShowDriverPage(Shell& shell, const std::string& DrvNm = "");
void ShowTeamPage(Shell& shell, const std::string& TimNm = "");

} // namespace karven
