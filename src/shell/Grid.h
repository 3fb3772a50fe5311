#pragma once
// The 32-row results grid of the main window.

#include <functional>
#include <string>

namespace karven {

class Shell;
class FrmKarvenRace;

// Headings for mode 1 (blank, title "KARVEN"), 2 qualifying, 3 race, 4 drivers, 5 constructors.
void SetGridHeader(FrmKarvenRace& main, int mode);
// The grid's title, remembered as made so that another language can tell it again.
void SetTitle(FrmKarvenRace& main, std::function<std::string()> make);
// Empties every row and shows the neutral swatch; headings and title stay.
void ClearGrid(Shell& shell);
// Picks out row k as the player's own team's, or not.
void MarkRow(FrmKarvenRace& main, int k, bool mine);
// img/color/<colorNo>.dat under the program folder, or cls.dat when useColor is 0.
std::string ColorFilePath(Shell& shell, const std::string& colorNo, int useColor);
// The folder of the colour files, asked of the platform once for a whole grid of paths.
std::string ColorFolder(Shell& shell);
// ColorFilePath(shell, colorNo, 1) with that folder, written over `path`.
void WriteColorPath(std::string& path, const std::string& folder, const std::string& colorNo);

} // namespace karven
