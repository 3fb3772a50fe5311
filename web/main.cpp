// KARVEN in the browser: the game's core with the page as its windows.

#include <cstdlib>
#include <optional>
#include <string>
#include <sys/stat.h>

#include "WebPlatform.h"
#include "app/Game.h"
#include "season/Translate.h"
#include "shell/SeasonFiles.h"
#include "shell/Random.h"

int main(int argc, char* argv[]) {
    // The page passes "--seed N" for reproducible runs, as karven-sim takes it, and "--lang ja|en"
    // for the language the player chose on an earlier visit or, the first time, the browser's.
    std::optional<uint64_t> seed;
    karven::Language language = karven::Language::Japanese;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--seed") seed = std::strtoull(argv[i + 1], nullptr, 10);
        if (std::string(argv[i]) == "--lang") language = karven::LanguageOfCode(argv[i + 1]);
    }

    // Emscripten starts with a mask of 0777, which would save every file unreadable.
    umask(022);
    karven::web::WebPlatform platform;
    karven::OpenCatalogue(platform.AppPath() + "locale");
    karven::SetLanguage(language);
    karven::GameRandom random(seed);
    karven::Game game(platform, random);
    platform.BindMain(game.shell.main);
    platform.unsavedWork = [&game] { return karven::HasUnsavedWork(game.shell); };
    if (!game.StartUp()) return 0;
    platform.ShowMain();
    platform.RefreshAll();
    while (platform.RunOnce()) {
    }
    return 0;
}
