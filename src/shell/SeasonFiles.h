#pragma once
// Loading and saving seasons with the shell's message windows and dialogs.

#include <string>

namespace karven {

class Shell;

// `told`: a failed file was no season, and the player has been told so already.
int LoadSeasonFile(Shell& shell, const std::string& path, bool* told = nullptr);
bool LoadInitialData(Shell& shell);
// File/Open and File/Save of the main window. Open first asks about unsaved work; Save returns
// whether the season was written.
void OpenSeasonFile(Shell& shell);
bool SaveSeasonFile(Shell& shell);
// 上書き保存: into the file the season came from or was last saved to, without asking where; the
// dialog of 保存 where it has none.
bool SaveSeasonInPlace(Shell& shell);

// Whether the season differs from the file it was last opened from or saved to.
bool HasUnsavedWork(const Shell& shell);
// Before unsaved work would be thrown away: asks whether to save it. True when the player may
// go on (saved, or chose not to save), false when he cancelled or the save failed.
bool ConfirmDiscard(Shell& shell);
// The season now in memory is the one in that file ("" for none, as for the initial season).
void SeasonSaved(Shell& shell, const std::string& path);
// "KARVEN - name.krv", with "*" before the name while there is unsaved work.
void ShowSeasonCaption(Shell& shell);

inline constexpr const char* SeasonFileFilter = "KARVENﾌｧｲﾙ (*.krv)|*.krv|";

} // namespace karven
