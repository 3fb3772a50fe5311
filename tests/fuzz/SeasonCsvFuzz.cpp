// The import of teams.csv, drivers.csv and calendar.csv. The input is one byte telling which files
// are there and which season they go into, then the files separated by the byte 0x1E.
// A refused import leaves the season untouched; an accepted one is a season the game can hold,
// and it exports to files that import back into it unchanged.
#include <optional>
#include <string_view>

#include "FuzzSupport.h"
#include "exchange/SeasonCsv.h"

using namespace karven;
using namespace karven::fuzz;

namespace {
// A season of the odd things a file may hold: names twice, a seat number naming no team, three
// drivers in a team, ratings and a course type off their scales, a count written oddly.
const Season& OddSeason() {
    static const Season season = [] {
        Season s = Sentinel();
        s.TimTable.push_back({"02", "見張り・V10", "12", "0", "9", "", "3.5"});
        s.TimCount = "2";
        s.GpTable[2].CourseType = "9";
        for (const char* seat : {"01", "99", "abc", ""}) {
            DrvRecord d = NewDrvRecord(int(s.DrvTable.size()));
            d.DrvNm = "New";
            d.TimNo = seat;
            d.Technique = "-1";
            d.Result[1] = "0";
            s.DrvTable.push_back(d);
        }
        s.DrvCount = "6";
        return s;
    }();
    return season;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t mask = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::optional<std::string> parts[3];
    for (int i = 0; i < 3; ++i) {
        size_t end = i < 2 ? rest.find('\x1e') : std::string_view::npos;
        if (mask & (1 << i)) parts[i] = std::string(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    const Season& base = mask & 8 ? OddSeason() : Sentinel();

    Season season = base;
    ImportRefusal refusal;
    if (!ImportSeasonCsv(season, {parts[0], parts[1], parts[2]}, refusal)) {
        Require(season == base, "a refused import leaves the season untouched");
        const std::string& f = refusal.file;
        Require(f == TeamsCsv || f == DriversCsv || f == CalendarCsv, "a refusal names one of the files");
        Require(refusal.line >= 0 && !refusal.what.empty(), "a refusal says where and what");
        Require(!RefusalText(refusal).empty(), "a refusal has a message");
        return 0;
    }
    CheckAccepted(season);

    Season again = season;
    ImportRefusal second;
    Require(ImportSeasonCsv(again, {TeamsToCsv(season), DriversToCsv(season), CalendarToCsv(season)}, second),
            "an accepted season's own export is accepted");
    Require(again == season, "an accepted season's own export imports back to the same season");
    return 0;
}
