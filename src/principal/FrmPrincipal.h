#pragma once
// 設定 → 監督モード: the team the player runs, chosen from the season's teams with what each
// board would ask of it, or none; and 記録 → 監督, his record in charge.

#include "shell/Form.h"

namespace karven {
class Shell;
}

namespace karven::principal {

class FrmPrincipal : public Form {
public:
    explicit FrmPrincipal(Shell& shell);
    void Load() override;

    static constexpr const char* FormName = "frmkarvenprincipal";

private:
    Shell& shell_;
};

class FrmPrincipalPage : public Form {
public:
    explicit FrmPrincipalPage(Shell& shell);
    void Load() override;

    static constexpr const char* FormName = "frmkarvenprincipalpage";

private:
    Shell& shell_;
};

// The chooser; the season changes only when the player takes or gives up a team.
void ChoosePrincipal(Shell& shell);
void ShowPrincipalPage(Shell& shell);
// The main window's panel and menu after the season changed: the team's name, colour and target.
void ShowPrincipal(Shell& shell);

} // namespace karven::principal
