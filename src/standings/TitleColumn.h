#pragma once
// The standings' title column: each driver's or team's chance of the title in a mark, with the
// completion or the reason as its tool tip.

#include <string>

#include "standings/TitleRace.h"

namespace karven {

// "★" champion, "M12" the leader's magic number, "○" can still win, "×" cannot.
std::string TitleMark(const TitleChance& chance);
// The mark's words: what it means, then the completion or the reason.
std::string TitleTip(const TitleChance& chance);

} // namespace karven
