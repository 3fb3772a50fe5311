#include "shell/Language.h"

#include "shell/Grid.h"
#include "shell/MainState.h"
#include "shell/Platform.h"
#include "shell/SeasonFiles.h"
#include "shell/Shell.h"

namespace karven {

void ShowLanguageChoice(Shell& shell) {
    shell.main("Help_Language", 1).checked = CurrentLanguage() == Language::Japanese;
    shell.main("Help_Language", 2).checked = CurrentLanguage() == Language::English;
}

void ShowTextSizeChoice(Shell& shell) {
    const int size = shell.platform.TextSize();
    for (int i = 1; i <= int(std::size(TextSizes)); ++i) shell.main("Help_TextSize", i).checked = TextSizes[i - 1] == size;
}

void ChooseTextSize(Shell& shell, int percent) {
    shell.platform.SetTextSize(percent);
    ShowTextSizeChoice(shell);
}

namespace {
// The state's own texts again, the keyboard's focus where it was.
void RetellState(FrmKarvenRace& main) {
    if (main.commandState == CommandState::None) return;
    std::string focus = main.focusRequest;
    SetMainState(main, main.commandState);
    main.focusRequest = focus;
}
} // namespace

void ShowLetterKeysChoice(Shell& shell) {
    FrmKarvenRace& main = shell.main;
    const bool alt = shell.platform.LetterKeysNeedAlt();
    main("Help_AltKeys").checked = alt;
    main.letterKeyPrefix = alt ? "Alt+" : "";
    for (const auto& [key, name] : main.keyButtons) {
        // N presses whichever command is next: its own hint is lblNext's.
        Control* button = key.size() == 1 && key != NextKey ? main.Find(name) : nullptr;
        if (!button || button->shortcut.empty()) continue;
        button->shortcut = main.letterKeyPrefix + key;
        button->toolTip = ToolTipText(*button);
    }
    RetellState(main);
}

void ChooseLetterKeysNeedAlt(Shell& shell, bool on) {
    shell.platform.SetLetterKeysNeedAlt(on);
    ShowLetterKeysChoice(shell);
}

void ChooseLanguage(Shell& shell, Language language) {
    SetLanguage(language);
    ShowLanguageChoice(shell);
    FrmKarvenRace& main = shell.main;
    main.Localize();
    SetGridHeader(main, main.gridMode);
    if (main.retitle) main("lblTitle").text = main.retitle();
    RetellState(main);
    ShowSeasonCaption(shell);
    shell.platform.LanguageChosen(language);
}

} // namespace karven
