#pragma once
// The driver editor (ドライバー設定): names and the four personal grades; drivers added and
// deleted; a driver's career record opened. It edits a copy of the driver table; only OK writes it.

#include <vector>

#include "season/Season.h"
#include "shell/Form.h"

namespace karven {

class Shell;

class FrmKarvenDrvSet : public Form {
public:
    explicit FrmKarvenDrvSet(Shell& shell);
    void Load() override;

    // One record per line of lstDrv (0 unused), at most 999.
    std::vector<DrvRecord> DrvEditTable;
    // Where each of them stands in the stored DrvTable, 0 for a driver added here: the career
    // window shows the stored record of the driver chosen, whatever was deleted before him.
    std::vector<int> StoredAt;
    // 0-based line of the driver being edited, -1 none.
    int DrvIdx = -1;

private:
    Shell& shell_;
};

// Set_Drv.
void ShowDrvSet(Shell& shell);

void DrvSetLoad(FrmKarvenDrvSet& form, Shell& shell);
void DrvSetCommit(FrmKarvenDrvSet& form, Shell& shell);
void DrvSetSelect(FrmKarvenDrvSet& form); // lstDrv clicked
void DrvSetFocus(FrmKarvenDrvSet& form);  // txtDrvNm got the focus
void DrvSetNameLeft(FrmKarvenDrvSet& form);
// grade 1 technique, 2 roughness, 3 block, 4 stability; step -1 cmdUp, +1 cmdDn.
void DrvSetGradeStep(FrmKarvenDrvSet& form, int grade, int step);
void DrvSetJis(FrmKarvenDrvSet& form, Shell& shell);
void DrvSetAdd(FrmKarvenDrvSet& form, Shell& shell);
void DrvSetDelete(FrmKarvenDrvSet& form, Shell& shell);

} // namespace karven
