#pragma once
// 設定 → ワールドの変化: the world turned on or off for the season, and the menu showing which.

#include <cstdint>

namespace karven {
class Shell;
}

namespace karven::world {

// Turns the world on or off. The seed is taken the first time it is turned on.
void ToggleWorld(Shell& shell, uint64_t seed);
// The menu item's check mark, after the season changed (opened, replaced, toggled).
void ShowWorldChoice(Shell& shell);

} // namespace karven::world
