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

void ChooseLanguage(Shell& shell, Language language) {
    SetLanguage(language);
    ShowLanguageChoice(shell);
    FrmKarvenRace& main = shell.main;
    main.Localize();
    SetGridHeader(main, main.gridMode);
    if (main.retitle) main("lblTitle").text = main.retitle();
    if (main.commandState >= 1) {
        // The state's own texts again, the keyboard's focus where it was.
        std::string focus = main.focusRequest;
        SetMainState(main, main.commandState);
        main.focusRequest = focus;
    }
    ShowSeasonCaption(shell);
    shell.platform.LanguageChosen(language);
}

} // namespace karven
