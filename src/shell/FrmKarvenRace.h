#pragma once
// The main window: command buttons, menus, the 32-row results grid and the race panel.

#include <array>
#include <functional>
#include <string>

#include "season/Season.h"
#include "shell/CommandState.h"
#include "shell/Form.h"

namespace karven {

class FrmKarvenRace : public Form {
public:
    FrmKarvenRace();

    // The grid, addressed directly: lbl(c, k) is lbl<c>(k), c = 1..6, k = 1..32.
    Control& lbl(int column, int row) { return *grid_[column][row]; }
    Control& imgCo(int row) { return *swatch_[row]; }
    Control& lblT(int column) { return *heading_[column]; }
    // The constructors' standings show team names in the driver column: it then spans the empty
    // team column beside it, so long names show whole.
    void SpanTeamColumn(bool span);

    // The command state SetMainState set last.
    CommandState commandState = CommandState::None;
    // "Alt+" where the player chose that the commands' letters need Alt, else "".
    std::string letterKeyPrefix;
    // The grid's headings (SetGridHeader's mode) and how its title was made, so that both can be
    // told again in another language.
    int gridMode = 1;
    std::function<std::string()> retitle;
    // The window frame's close box; without a handler the window simply closes.
    std::function<void()> onQueryClose;
    void QueryClose() override {
        if (onQueryClose) onQueryClose();
        else Close();
    }

    // ActDialog: the file dialog's filter and file name, shared by Open and Save.
    struct FileDialogState {
        std::string Filter;
        std::string FileName;
    } ActDialog;

    static constexpr const char* CommandButtons[] = {"cmdStart",   "cmdYosen",   "cmdKesyou",
                                                     "cmdDrvRank", "cmdTimRank", "cmdSeiseki",
                                                     "cmdOffSis",  "cmdEnd",     "cmdDrvSei",
                                                     "cmdRaceAna"};
    static constexpr const char* RacePanel[] = {"lblTenkiBox", "lblTenki", "imgTenki", "lblKakuritulbl",
                                                "lblKousui",   "lblKakuritu", "lblBox", "imgAnime",
                                                "imgTitle"};

private:
    std::array<std::array<Control*, GridRows + 1>, 7> grid_{};
    std::array<Control*, GridRows + 1> swatch_{};
    std::array<Control*, 7> heading_{};
};

// The key that presses the command the season expects next (次へ).
// The text sizes the player may choose, in percent.
constexpr int TextSizes[] = {100, 125, 150, 175, 200};
constexpr const char* NextKey = "N";

// Grid geometry, shared with whoever lays out something beside it.
constexpr int GridTop = 72;
constexpr int GridRowHeight = 19;

} // namespace karven
