#pragma once
// At start-up, beside the rules' start: the season the player was last playing, offered once —
// the file he last opened or saved, and the newest autosave. Declining leaves the rules' start.

#include <string>

#include "shell/Form.h"

namespace karven {

class Shell;

class FrmContinue : public Form {
public:
    // Either path may be "" for none; `fileFirst`: the file is the newer of the two.
    FrmContinue(Shell& shell, std::string file, std::string autosave, bool fileFirst);
    void Load() override;

    static constexpr const char* FormName = "frmkarvencontinue";
    // The season chosen, "" to start as the rules do.
    std::string chosen;
    bool chosenIsAutosave = false;

private:
    Shell& shell_;
    std::string file_, autosave_;
};

// Offers the last season when there is one, and opens it as File/Open or 自動保存から開く would.
void OfferLastSeason(Shell& shell);

} // namespace karven
