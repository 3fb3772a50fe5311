#pragma once
// The columns of the three season files and how each shows a stored value: what the export writes
// and what the import compares with, so a value left as it was keeps its stored text.

#include <algorithm>
#include <string>

#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/Grades.h"

namespace karven::exchange {

template <class Record> struct GradeColumn {
    const char* name;
    std::string Record::*field;
    Scale scale;
};

inline constexpr GradeColumn<TimRecord> TeamGrades[] = {
    {"Speed", &TimRecord::Speed, Scale::Low},
    {"Aero", &TimRecord::Aero, Scale::Low},
    {"Stability", &TimRecord::Stability, Scale::High},
};
inline constexpr GradeColumn<DrvRecord> DriverGrades[] = {
    {"Technique", &DrvRecord::Technique, Scale::Technique},
    {"Roughness", &DrvRecord::Roughness, Scale::High},
    {"Block", &DrvRecord::Block, Scale::High},
    {"Stability", &DrvRecord::Stability, Scale::High},
};

// The records of a table as the editors take them: the count, within the records held.
inline int Held(const std::string& count, size_t tableSize, int most) {
    return std::clamp(ReadCount(count), 0, std::min(int(tableSize) - 1, most));
}
inline int HeldTeams(const Season& s) { return Held(s.TimCount, s.TimTable.size(), MaxTimCount); }
inline int HeldDrivers(const Season& s) { return Held(s.DrvCount, s.DrvTable.size(), MaxDrvCount); }
inline int HeldGps(const Season& s) { return Held(s.Sis.GpCount, s.GpTable.size(), MaxGpCount); }

// A driver's team as the files name it: its TimNm, "" without a seat.
inline std::string ShownTeam(const Season& s, const DrvRecord& driver) {
    const TimRecord* team = TeamOf(s, driver);
    return team ? team->TimNm : "";
}

} // namespace karven::exchange
