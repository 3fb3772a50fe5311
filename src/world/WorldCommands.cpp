#include "world/WorldCommands.h"

#include "shell/Shell.h"
#include "world/Turn.h"

namespace karven::world {

void ToggleWorld(Shell& shell, uint64_t seed) {
    if (shell.season.history.world.enabled)
        DisableWorld(shell.season);
    else
        EnableWorld(shell.season, seed);
    ShowWorldChoice(shell);
}

void ShowWorldChoice(Shell& shell) { shell.main("Set_World").checked = shell.season.history.world.enabled; }

} // namespace karven::world
