#pragma once
// Names for the drivers the world brings in, made of syllables rather than taken from any list
// of people: katakana given and family names joined by "・" for a Japanese season, Latin
// letters for an English one.

#include <set>
#include <string>

#include "world/Draws.h"

namespace karven::world {

enum class Script { Katakana, Latin };

// The script most of the season's driver names are written in.
Script ScriptOf(const std::vector<std::string>& names);

// A name in the script that `taken` does not hold yet.
std::string NewName(Script script, const std::set<std::string>& taken, Draws& draws);

} // namespace karven::world
