#pragma once
// The team editor (チーム設定): names, grades, machine colour and the two seats of every team.
// It edits copies of the team and driver tables; only OK writes them.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "season/Season.h"
#include "shell/Form.h"

namespace karven {

class Shell;

class FrmKarvenTimSet : public Form {
public:
    explicit FrmKarvenTimSet(Shell& shell);
    void Load() override;

    // Room for 16 teams (0 unused); the teams edited are as many as lstTim has lines.
    std::vector<TimRecord> TimEditTable;
    // Every driver (0 unused); only TimNo changes here.
    std::vector<DrvRecord> DrvEditTable;
    // 0-based line of the team being edited, -1 none.
    int TimIdx = -1;
    // What a seat held when it got the focus, and which driver that was (0 none).
    std::string SlotDrvNm;
    int SlotDrv = 0;
    // The drivers shown in cboDrv(1) and cboDrv(2), 0 for an empty seat.
    std::array<int, 3> SeatDrv{};
    // Where each team edited stood in the season's table, 0 for one added here.
    std::vector<int> StoredAt;

private:
    Shell& shell_;
};

// Set_Tim.
void ShowTimSet(Shell& shell);

// The two name boxes of a TimNm "team・engine"; a name without the dot fills both.
struct TeamName {
    std::string team;
    std::string engine;
};
TeamName SplitTimNm(std::string_view timNm);
// TimNm rebuilt from the two boxes when one of them is left (leftEngine: the engine box).
std::string JoinTimNm(const std::string& team, const std::string& engine, bool leftEngine);

void TimSetLoad(FrmKarvenTimSet& form, Shell& shell);
void TimSetCommit(FrmKarvenTimSet& form, Shell& shell);
void TimSetSelect(FrmKarvenTimSet& form, Shell& shell);      // lstTim clicked
void TimSetFocus(FrmKarvenTimSet& form);                     // a name box got the focus
void TimSetNameLeft(FrmKarvenTimSet& form, bool leftEngine); // a name box lost it
void TimSetSeatGot(FrmKarvenTimSet& form, int seat);         // cboDrv(seat), 1 or 2
void TimSetSeatLeft(FrmKarvenTimSet& form, int seat);
// grade 0 speed, 1 aerodynamics, 2 stability; step -1 cmdUp, +1 cmdDn.
void TimSetGradeStep(FrmKarvenTimSet& form, int grade, int step);
// cmdDn(3) +1, cmdUp(3) -1: on to the next colour picture that exists.
void TimSetColorStep(FrmKarvenTimSet& form, Shell& shell, int step);
void TimSetAdd(FrmKarvenTimSet& form, Shell& shell);
void TimSetDelete(FrmKarvenTimSet& form, Shell& shell);

} // namespace karven
