#pragma once
// Which commands the main window offers as the season goes on, and its two views.

#include "shell/CommandState.h"

namespace karven {

class FrmKarvenRace;
class Shell;
struct Season;

void SetMainState(FrmKarvenRace& main, CommandState state);
// The state a season loaded from a file continues in: between Grands Prix while one is left.
CommandState SeasonState(const Season& season);
// After the season changed outside a weekend (an editor, a file): the commands follow it. A
// season not yet started stays in state 1.
void FollowSeason(Shell& shell);
// レース分析 opens on the race just run: it waits for a race with lap records.
void FollowRaceRecords(Shell& shell);
void SetRaceView(FrmKarvenRace& main, RaceView view);
// "Eve_Pit", "Eve_Pen", "Eve_Ten" for the array indexes 31..33.
const char* EventItemName(int index);
// Eve_Pit, Eve_Pen, Eve_Ten: flip the check mark and the switch together.
void ToggleEvent(Shell& shell, int index);
// オート実況 on or off, and its pace: Eve_Delay 1..3 for 0.3, 1 and 2 seconds.
void ToggleAutoAdvance(Shell& shell);
void ChooseAutoPace(Shell& shell, int index);
// The last commentary again: announced, and in the status line.
void RepeatLastComment(Shell& shell);

} // namespace karven
