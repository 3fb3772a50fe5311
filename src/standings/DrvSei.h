#pragma once
// The career records window (ドライバー実績): one driver at a time, paged with two arrows.

#include <string>

#include "shell/Form.h"

namespace karven {

class Shell;

class FrmKarvenDrvSei : public Form {
public:
    explicit FrmKarvenDrvSei(Shell& shell);
    void Load() override;

    // The driver shown: his position in DrvTable, as text.
    std::string SeiDrvNo;

private:
    Shell& shell_;
};

// Opens the window on driver `number`; a number outside the table shows the nearest driver,
// and with no drivers at all nothing opens.
void ShowDrvSei(Shell& shell, const std::string& number);

void DrvSeiLoad(FrmKarvenDrvSei& form, Shell& shell);
void DrvSeiDisplay(FrmKarvenDrvSei& form, Shell& shell);
// Previous driver, from the first to the last.
void DrvSeiPrev(FrmKarvenDrvSei& form, Shell& shell);
// Next driver, from the last to the first.
void DrvSeiNext(FrmKarvenDrvSei& form, Shell& shell);

} // namespace karven
