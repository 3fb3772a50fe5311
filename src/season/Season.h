#pragma once
// The one season held in memory. Every field is text, as in the season file; numbers are read
// with ReadNumber where they are used. Tables are indexed from 1; element 0 exists and stays empty.

#include <array>
#include <string>
#include <vector>

#include "season/History.h"

namespace karven {

constexpr int MaxGpCount = 17;
constexpr int MaxTimCount = 16;
constexpr int MaxDrvCount = 999;
constexpr int ResultSlots = 17; // Result[1..17]; slot 0 is never used
constexpr int GridRows = 32;    // 16 teams of two drivers
constexpr int MaxSyuCount = 100; // laps; the settings know 5, 10, 20 and 40

struct GpRecord {
    std::string GpNo;
    std::string GpNm;
    std::string CourseType;

    bool operator==(const GpRecord&) const = default;
};

struct TimRecord {
    std::string TimNo;
    std::string TimNm; // "team・engine", or a team name alone
    std::string ColorNo;
    std::string Speed;     // 1 best .. 5 worst
    std::string Aero;      // 1 best .. 5 worst
    std::string Stability; // 5 best .. 1 worst
    std::string Points;

    bool operator==(const TimRecord&) const = default;
};

struct DrvRecord {
    std::string DrvNo;
    std::string TimNo; // empty: no seat
    std::string DrvNm;
    std::string Technique; // 0 best .. 5 worst
    std::string Roughness; // 5 best .. 1 worst
    std::string Block;
    std::string Stability;
    std::string CareerGp;
    std::string CareerWc;
    std::string CareerWins;
    std::string CareerPp;
    std::string CareerFl;
    std::string CareerBest; // "0": none yet
    std::string CareerPoints;
    std::array<std::string, ResultSlots + 1> Result; // [k] = finishing place in GP k, "0" retired, "" not run

    bool operator==(const DrvRecord&) const = default;
};

struct SisSettings {
    std::string GpCount;
    std::string SyuCount;
    std::string NinCount;
    std::string EndGp;

    bool operator==(const SisSettings&) const = default;
};

struct Season {
    SisSettings Sis;
    std::string DrvCount;
    std::string TimCount;
    std::vector<GpRecord> GpTable{1};
    std::vector<TimRecord> TimTable{1};
    std::vector<DrvRecord> DrvTable{1};
    // Beyond the rules: the seasons closed before this one and this season's race records, kept
    // after the last team line of the file.
    History history;

    bool operator==(const Season&) const = default;
};

// Defaults of a record the editors add at position n.
GpRecord NewGpRecord(int n);
TimRecord NewTimRecord(int n);
DrvRecord NewDrvRecord(int n);

// Numbers equal positions: every DrvNo and team TimNo becomes its position "00", and a driver's
// TimNo that names a team is written as that team's number. A TimNo naming no team stays as it is.
void RestoreNumbers(Season& season);

// The world's records and the principal's team follow the tables through an edit (an editor's OK,
// an import) from the tables they were, `drivers` and `teams`, to the season's: `driverFrom[k]`
// and `teamFrom[t]` tell where the new driver k and team t stood before (0: new). A principal
// follows his team to its new number and name, gives it up when it was deleted, and keeps his
// target within the field. Nothing changes without either mode.
void FollowTableEdits(Season& season, const std::vector<DrvRecord>& drivers, const std::vector<TimRecord>& teams,
                      const std::vector<int>& driverFrom, const std::vector<int>& teamFrom);

// The team a driver's TimNo names, or nullptr when it names none (no seat, or a number out of range).
const TimRecord* TeamOf(const Season& season, const DrvRecord& driver);
TimRecord* TeamOf(Season& season, const DrvRecord& driver);

// Caption of a course type in announcements ("" for an ordinary or unknown circuit).
std::string CourseCaption(const std::string& courseType);

} // namespace karven
