#pragma once
// The season settings window (シーズン設定): grid size and race length on arrows, the number of
// Grands Prix through the calendar editor. Only OK writes the season.

#include "shell/Form.h"

namespace karven {

struct Season;
class Shell;

class FrmKarvenSisSet : public Form {
public:
    explicit FrmKarvenSisSet(Shell& shell);
    void Load() override;

private:
    Shell& shell_;
};

// Set_Sis.
void ShowSisSet(Shell& shell);

void SisSetLoad(FrmKarvenSisSet& form, Shell& shell);
void SisSetCommit(FrmKarvenSisSet& form, Shell& shell);
void SisSetNinUp(FrmKarvenSisSet& form, Shell& shell);
void SisSetNinDown(FrmKarvenSisSet& form);
// cmdSyuUp +1, cmdSyuDn -1: through 5, 10, 20, 40.
void SisSetSyuStep(FrmKarvenSisSet& form, int step);

// Drivers whose seat names an existing team: the most that can start a race.
int SeatedDrivers(const Season& season);
// After the teams or drivers changed: a grid larger than the seated drivers shrinks to them,
// never below one and never upwards.
void FitNinCount(Season& season);

} // namespace karven
