#pragma once
// ﾍﾙﾌﾟ → 言語 / Language: every window in Japanese or in English, from now on; and ﾍﾙﾌﾟ → 文字の大きさ.

#include "season/Translate.h"

namespace karven {

class Shell;

// The main window's language menu shows the language of the day.
void ShowLanguageChoice(Shell& shell);
// Switches the language: the main window tells everything it shows again in it, the platform
// remembers it. The season and its names stay as they are.
void ChooseLanguage(Shell& shell, Language language);
// The text size menu shows the platform's size; choosing one enlarges every window from now on.
void ShowTextSizeChoice(Shell& shell);
void ChooseTextSize(Shell& shell, int percent);

} // namespace karven
