#pragma once
// ﾌｧｲﾙ → 自動保存から開く: the autosaves, newest first, with how far each season had come.

#include <string>
#include <vector>

#include "shell/Form.h"

namespace karven {

class Shell;

class FrmAutosaves : public Form {
public:
    FrmAutosaves(Shell& shell, std::vector<std::string> paths);
    void Load() override;

    // The autosave chosen with 開く; "" when cancelled.
    std::string chosen;

private:
    Shell& shell_;
    std::vector<std::string> paths_;
};

// One line of the list: "2026/12/08 12:45:16　第5戦まで　首位 name".
std::string AutosaveEntry(const std::string& path);

// The menu command: the unsaved-work question, the list, then the chosen autosave opened as
// File/Open opens a file. The season it brings is saved nowhere of the player's yet.
void OpenAutosave(Shell& shell);
// One autosave opened as the list's 開く opens it, without asking.
void OpenAutosaveFile(Shell& shell, const std::string& path);

} // namespace karven
