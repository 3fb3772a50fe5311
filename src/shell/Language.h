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
// ﾍﾙﾌﾟ → 文字キーにAltを使う: the menu, the commands' tool tips and the next key's hint show the
// platform's choice; choosing sets it from now on.
void ShowLetterKeysChoice(Shell& shell);
void ChooseLetterKeysNeedAlt(Shell& shell, bool on);

} // namespace karven
