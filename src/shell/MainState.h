#pragma once
// Which commands the main window offers as the season goes on, and its two views.

namespace karven {

class FrmKarvenRace;
class Shell;

// 1 season start, 2 between Grands Prix, 3 qualifying done, 4 season over.
void SetMainState(FrmKarvenRace& main, int state);
// 1 command buttons, 2 race panel.
void SetRaceView(FrmKarvenRace& main, int mode);
// "Eve_Pit", "Eve_Pen", "Eve_Ten" for the array indexes 31..33.
const char* EventItemName(int index);
// Eve_Pit, Eve_Pen, Eve_Ten: flip the check mark and the switch together.
void ToggleEvent(Shell& shell, int index);
// オート実況 on or off, and its pace: Eve_Delay 1..3 for 0.3, 1 and 2 seconds.
void ToggleAutoAdvance(Shell& shell);
void ChooseAutoPace(Shell& shell, int index);

} // namespace karven
