// Temporary: the season file functions answer failure until the loader lands.
#include "season/SeasonFile.h"

namespace karven {

bool WriteSeasonFile(const Season&, const std::string&) { return false; }
bool ReadSeasonFile(Season&, const std::string&) { return false; }
bool ReadOldSeasonFile(Season&, const std::string&) { return false; }
int LoadSeasonFile(Season&, const std::string&, LoadDialogue&) { return LoadFailed; }
bool LoadInitialData(Season&, const std::string&, LoadDialogue&) { return false; }

} // namespace karven
