#pragma once
// ﾍﾙﾌﾟ → 言語 / Language: every window in Japanese or in English, from now on.

#include "season/Translate.h"

namespace karven {

class Shell;

// The main window's language menu shows the language of the day.
void ShowLanguageChoice(Shell& shell);
// Switches the language: the main window tells everything it shows again in it, the platform
// remembers it. The season and its names stay as they are.
void ChooseLanguage(Shell& shell, Language language);

} // namespace karven
