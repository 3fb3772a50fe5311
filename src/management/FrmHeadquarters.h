#pragma once
// 設定 → 本部: the team in charge between races. Its money and this season's books race by race,
// what each development programme gets, the sponsor (chosen here before the season), the drivers'
// contracts, the next circuit, and the standing orders that answer the race calls for him.

#include "shell/Form.h"

namespace karven {
class Shell;
}

namespace karven::management {

class FrmHeadquarters : public Form {
public:
    explicit FrmHeadquarters(Shell& shell);
    void Load() override;

    static constexpr const char* FormName = "frmkarvenheadquarters";

private:
    // Every text from the season as it stands.
    void Show();
    void Step(int programme, int by);
    Shell& shell_;
};

// The spending levels a programme steps through, per race.
inline constexpr double SpendLevels[] = {0, 0.5, 1, 1.5, 2, 3, 4, 6};

void ShowHeadquarters(Shell& shell);

} // namespace karven::management
