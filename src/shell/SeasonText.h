#pragma once
// Names typed into the editors end up in the season file, which cannot carry every character.
// The editors replace those characters as the player types, so a season made in the program
// always saves and reads back as it was.

#include <string>
#include <string_view>

namespace karven {

struct Control;

// The most characters of a name the player types or imports. The rules cut a Grand Prix name at
// 100 characters and show an engine name to 100; every other name (a driver, a team, a closed
// season) holds as many, so a team named "team・engine" comes to 201. Far above any real name,
// it keeps every line the save writes of names to a size its reader takes in one go.
inline constexpr int NameLength = 100;

// A comma becomes "，", a double quote "＂", a line break a space (as when a season is read),
// other control characters go, and a character code page 932 cannot hold becomes "？" (after its
// code page twin has been tried).
std::string FileSafeName(std::string_view text);
// The first character of the text that FileSafeName would have to turn into "？", "" for none.
std::string UnsavableCharacter(std::string_view text);

// Wires a name's text box so that what the player types passes through FileSafeName and stops at
// NameLength characters.
void KeepFileSafe(Control& textBox);

} // namespace karven
