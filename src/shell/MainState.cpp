#include "shell/MainState.h"

#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/FrmKarvenRace.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

void SetMainState(FrmKarvenRace& main, CommandState state) {
    struct Row {
        bool settings, start, yosen, kesyou, rank, seiseki, drvSei, offSis;
    };
    static constexpr Row Table[] = {
        {true, true, true, false, false, false, false, false},  // season start
        {true, true, true, false, true, true, true, false},     // between Grands Prix
        {false, true, false, true, false, true, true, false},   // qualifying done
        {true, true, false, false, true, true, true, true},     // season over
    };
    const int at = int(state) - 1;
    if (at < 0 || at > 3) return;
    const Row& row = Table[at];
    main.commandState = state;
    // The keyboard waits on the command the season now expects, and N (次へ) presses it.
    static constexpr const char* Expected[] = {"cmdYosen", "cmdYosen", "cmdKesyou", "cmdOffSis"};
    main.focusRequest = Expected[at];
    for (auto& [key, button] : main.keyButtons)
        if (key == NextKey) button = Expected[at];
    main("lblNext").text = TrF("{1}：次へ（{2}）", main.letterKeyPrefix + NextKey, main(Expected[at]).text);
    main("Set_Sis", 21).enabled = row.settings;
    main("Set_Tim", 22).enabled = row.settings;
    main("Set_Drv", 23).enabled = row.settings;
    main("Set_World").enabled = row.settings; // it changes what an editor would, at the next market
    main("Set_Principal").enabled = row.settings; // a team taken mid-season is judged on the season run
    main("File_import").enabled = row.settings; // an import edits as the editors do
    main("cmdStart").enabled = row.start;
    main("cmdYosen").enabled = row.yosen;
    main("cmdKesyou").enabled = row.kesyou;
    main("cmdDrvRank").enabled = row.rank;
    main("cmdTimRank").enabled = row.rank;
    main("cmdSeiseki").enabled = row.seiseki;
    main("cmdDrvSei").enabled = row.drvSei;
    main("cmdOffSis").enabled = row.offSis;
}

CommandState SeasonState(const Season& season) {
    // Whole counts, as the tables were sized: a stored "2.5" Grands Prix are two.
    return ReadCount(season.Sis.GpCount) > ReadCount(season.Sis.EndGp) ? CommandState::BetweenGps : CommandState::SeasonOver;
}

void FollowSeason(Shell& shell) {
    if (shell.main.commandState != CommandState::SeasonStart) SetMainState(shell.main, SeasonState(shell.season));
}

void FollowRaceRecords(Shell& shell) { shell.main("cmdRaceAna").enabled = !shell.season.history.laps.empty(); }

void SetRaceView(FrmKarvenRace& main, RaceView view) {
    if (view != RaceView::Commands && view != RaceView::RacePanel) return;
    bool buttons = view == RaceView::Commands;
    for (const char* name : FrmKarvenRace::CommandButtons) main(name).visible = buttons;
    main("lblNext").visible = buttons;
    for (const char* name : FrmKarvenRace::RacePanel)
        main(name, std::string_view(name) == "imgTenki" ? 0 : -1).visible = !buttons;
}

const char* EventItemName(int index) {
    static constexpr const char* Items[] = {"Eve_Pit", "Eve_Pen", "Eve_Ten"};
    return index >= 31 && index <= 33 ? Items[index - 31] : "";
}

void ToggleEvent(Shell& shell, int index) {
    if (index < 31 || index > 33) return;
    bool* switches[] = {&shell.events.pit, &shell.events.pen, &shell.events.weather};
    Control& item = shell.main(EventItemName(index), index);
    item.checked = !item.checked;
    *switches[index - 31] = item.checked;
}

namespace {
constexpr int AutoPaces[] = {0, 300, 1000, 2000};

int ChosenPace(FrmKarvenRace& main) {
    for (int i = 1; i <= 3; ++i)
        if (main("Eve_Delay", i).checked) return AutoPaces[i];
    return AutoPaces[2];
}
} // namespace

void ToggleAutoAdvance(Shell& shell) {
    Control& item = shell.main("Eve_Auto");
    item.checked = !item.checked;
    shell.AutoAdvanceMs = item.checked ? ChosenPace(shell.main) : 0;
}

void RepeatLastComment(Shell& shell) {
    std::string text = shell.LastComment.empty() ? Tr("まだ実況はありません。") : shell.LastComment;
    // One line: its breaks become spaces.
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.replace(at, 2, " ");
    shell.main.Announce(text);
    shell.platform.ShowStatus(text);
}

void ChooseAutoPace(Shell& shell, int index) {
    if (index < 1 || index > 3) return;
    for (int i = 1; i <= 3; ++i) shell.main("Eve_Delay", i).checked = i == index;
    if (shell.main("Eve_Auto").checked) shell.AutoAdvanceMs = AutoPaces[index];
}

} // namespace karven
