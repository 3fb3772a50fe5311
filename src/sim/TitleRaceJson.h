#pragma once
// karven-sim's "titleRace": who can still take each title, with the completion or the reason.

#include <string>
#include <vector>

#include "sim/SeasonJson.h"
#include "standings/TitleField.h"

namespace karven {
struct Season;
}

namespace karven::sim {

Json TitleRaceToJson(const Season& season, const std::vector<FixedResult>& fixed);

// "GP:DRVNO[,DRVNO...]" read into a fix; false when the text is not of that form.
bool ReadFix(const std::string& text, FixedResult& fix);

} // namespace karven::sim
