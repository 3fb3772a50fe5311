#pragma once
// Whether the keys that press a command with one letter need Alt with them: the player's choice,
// remembered for the next start, read wherever a key is taken or its hint drawn.

namespace karven::ui {

bool LettersNeedAlt();
// Remembers the choice and draws every key hint again.
void SetLettersNeedAlt(bool on);

} // namespace karven::ui
