#pragma once
// The season results table: who sits in each team's two seats and where he finished in every
// Grand Prix. Rebuilt each time the window opens; it only reads the season.

#include <array>
#include <string>
#include <vector>

#include "season/Season.h"

namespace karven {

class Shell;

struct SeisekiRecord {
    std::string TimNo;
    std::string TimNm;
    std::string ColorNo;
    std::string DrvNo; // "" when the seat is empty
    std::string DrvNm;
    std::string Points; // "" when none
    std::array<std::string, ResultSlots + 1> Cell; // [g] for Grand Prix g; [0] unused
};

// Rows 2i - 1 and 2i belong to team i; element 0 is empty.
using SeisekiTable = std::vector<SeisekiRecord>;

// Display text of a result slot: circled place 1..8, "R" for a retirement, others as stored.
std::string SeisekiCell(const std::string& result);

SeisekiTable SeisekiBuild(const Season& season);
// Each team (1..TimCount, element 0 unused) with the drivers of its two seats as the table shows
// them: the first two of the team's drivers in table order, with different numbers.
struct TeamSeats {
    const TimRecord* team = nullptr;
    std::array<const DrvRecord*, 2> drivers{};
};
std::vector<TeamSeats> SeatsOf(const Season& season);
class FrmKarvenSeiseki;
void SeisekiShow(FrmKarvenSeiseki& form, Shell& shell, const SeisekiTable& table);
// Headings for the calendar, then the table.
void SeisekiLoad(FrmKarvenSeiseki& form, Shell& shell);
// cmdSeiseki.
void ShowSeiseki(Shell& shell);

} // namespace karven
