#pragma once
// Loading and saving seasons with the shell's message windows and dialogs.

#include <string>

namespace karven {

class Shell;

int LoadSeasonFile(Shell& shell, const std::string& path);
bool LoadInitialData(Shell& shell);
// File/Open and File/Save of the main window.
void OpenSeasonFile(Shell& shell);
void SaveSeasonFile(Shell& shell);

inline constexpr const char* SeasonFileFilter = "KARVENﾌｧｲﾙ (*.krv)|*.krv|";

} // namespace karven
