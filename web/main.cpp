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
    // The page passes "--seed N" for reproducible runs, as karven-sim takes it, "--lang ja|en"
    // for the language the player chose on an earlier visit or, the first time, the browser's, and
    // "--open-autosave" or "--new" when the player, the game having ended, chose to continue from
    // its last autosave or to start a new season.
    std::optional<uint64_t> seed;
    karven::Language language = karven::Language::Japanese;
    bool openAutosave = false, fresh = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--open-autosave") openAutosave = true;
        if (arg == "--new") fresh = true;
        if (i + 1 == argc) break;
        if (arg == "--seed") seed = std::strtoull(argv[i + 1], nullptr, 10);
        if (arg == "--lang") language = karven::LanguageOfCode(argv[i + 1]);
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
    if (game.StartUp()) {
        platform.ShowMain();
        // Come back to from the ended page: the newest autosave or a new season, as asked; else the
        // offer to go on with the last season.
        if (openAutosave) game.OpenNewestAutosave();
        else if (!fresh) game.OfferToContinue();
        platform.RefreshAll();
        while (platform.RunOnce()) {
        }
    }
    // The page stays open: it says the game has ended and offers to start it again.
    platform.ShowEnded();
    return 0;
}
