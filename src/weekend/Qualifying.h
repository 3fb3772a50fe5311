#pragma once

namespace karven {

class Shell;
struct RaceWeekend;

// cmdYosen: qualifying of Grand Prix EndGp + 1. False when the player cancelled (nothing changed).
bool RunQualifying(Shell& shell, RaceWeekend& weekend);

} // namespace karven
