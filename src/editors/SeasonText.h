#pragma once
// Names typed into the editors end up in the season file, which cannot carry every character.
// The editors replace those characters as the player types, so a season made in the program
// always saves and reads back as it was.

#include <string>
#include <string_view>

namespace karven {

struct Control;

// A comma becomes "，", a double quote "＂", a line break a space (as when a season is read),
// other control characters go, and a character code page 932 cannot hold becomes "？" (after its
// code page twin has been tried).
std::string FileSafeName(std::string_view text);
// The first character of the text that FileSafeName would have to turn into "？", "" for none.
std::string UnsavableCharacter(std::string_view text);

// Wires a text box so that what the player types passes through FileSafeName.
void KeepFileSafe(Control& textBox);

} // namespace karven
