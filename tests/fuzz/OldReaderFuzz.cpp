// The old-layout reader: teams without ColorNo, converted to the current layout on saving.
#include "FuzzSupport.h"
#include "season/SeasonFile.h"

using namespace karven;
using namespace karven::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteInput(data, size);
    Season season = Sentinel();
    if (!ReadOldSeasonFile(season, path)) {
        Require(season == Sentinel(), "a failed read leaves the season untouched");
        return 0;
    }
    for (size_t t = 1; t < season.TimTable.size(); ++t)
        Require(season.TimTable[t].ColorNo == "0000", "an old team has the plain colour");
    CheckAccepted(season);
    CheckTail(season, data, size, true);
    return 0;
}
