#pragma once
// The race weekend's working tables: filled by qualifying, raced on by the final.
// They live from one qualifying to the next and are never saved.

#include <string>
#include <vector>

namespace karven {

struct EntryRecord {
    std::string TimNo;
    std::string TimNm;
    std::string ColorNo;
    std::string Speed;
    std::string Aero;
    std::string TimStability;
    std::string DrvNo;
    std::string DrvNm;
    std::string Technique;
    std::string Roughness;
    std::string Block;
    std::string DrvStability;
    std::string Retired = "0";
    std::string PitCount = "0";
    std::string RainTyre = "0";
    std::string TyreLaps = "0";
    std::string Time = "0";
    std::string PenLap = "0";
};

// Element 0 of each table is scratch space; cars are 1..n.
struct RaceWeekend {
    int EntryCount = 0;
    std::vector<EntryRecord> YosenWorkTable{1};
    std::vector<EntryRecord> YosenResultTable{1};
    std::vector<EntryRecord> KesyouTable{1};
};

} // namespace karven
