// Going on where the player left off: the last file or the newest autosave offered at start-up
// beside the rules' start, and a season that has a file saved again into it without a dialog.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/Game.h"
#include "season/SeasonFile.h"
#include "session/Autosave.h"
#include "session/Continue.h"
#include "shell/SeasonFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;

namespace {

// A season that is not the default one: two Grands Prix done.
Season Played(const std::string& appPath) {
    Season s;
    EXPECT_TRUE(ReadSeasonFile(s, appPath + InitialDataFile));
    s.Sis.EndGp = "2";
    s.DrvTable[1].DrvNm = "Saved Driver";
    return s;
}

struct Start {
    TempDir dir;
    ScriptedPlatform platform;
    ScriptedRandom random;
    Game game{platform, random};
    std::vector<std::string> offered; // the choices the window offered, by button

    Start() {
        platform.appPath = KARVEN_BIN_DIR;
        platform.autosaveFolder = dir / "autosave";
    }
    // Starts the game; `choose` answers the offer, if one comes.
    void Run(const char* choose) {
        platform.fallback = [this, choose](Form& f) {
            if (f.Name() == FrmContinue::FormName) {
                for (const char* b : {"cmdFile", "cmdAutosave", "cmdNew"})
                    if (f.Find(b)) offered.push_back(b);
                offered.push_back("default " + f.defaultButton);
                f.Click(choose);
                return;
            }
            f.Click(f.defaultButton);
        };
        ASSERT_TRUE(game.StartUp());
        game.OfferToContinue();
    }
};

} // namespace

TEST(Continue, NothingToGoOnWithStartsAsTheRulesDo) {
    Start s;
    s.Run("cmdNew");
    EXPECT_TRUE(s.offered.empty());
    EXPECT_EQ(s.game.season.Sis.EndGp, "0");
}

TEST(Continue, TheFileOrTheNewestAutosaveOpensAndDecliningKeepsTheRulesStart) {
    Start first;
    const std::string file = first.dir / "mine.krv";
    Season saved = Played(KARVEN_BIN_DIR);
    ASSERT_TRUE(WriteSeasonFile(saved, file));
    Season autosaved = saved;
    autosaved.Sis.EndGp = "3";
    std::string error;
    ASSERT_TRUE(WriteAutosave(autosaved, first.platform.autosaveFolder, std::chrono::system_clock::now(), error)) << error;
    first.platform.lastSeasonFile = file;
    first.Run("cmdFile");
    EXPECT_EQ(first.offered, (std::vector<std::string>{"cmdFile", "cmdAutosave", "cmdNew", "default cmdAutosave"}))
        << "the autosave is newer";
    EXPECT_EQ(first.game.season, saved);
    EXPECT_EQ(first.game.shell.SeasonFile, file) << "a file of the player's: 上書き保存 writes into it";
    EXPECT_EQ(first.game.shell.main.caption, "KARVEN - mine.krv");

    Start second;
    std::filesystem::copy(first.platform.autosaveFolder, second.platform.autosaveFolder);
    second.Run("cmdAutosave");
    EXPECT_EQ(second.game.season.Sis.EndGp, "3");
    EXPECT_TRUE(second.game.shell.SeasonFile.empty()) << "an autosave is the game's copy";

    Start declined;
    declined.platform.lastSeasonFile = file;
    declined.Run("cmdNew");
    EXPECT_EQ(declined.offered.back(), "default cmdFile");
    Start rules;
    rules.Run("cmdNew");
    EXPECT_EQ(declined.game.season, rules.game.season) << "declined, the season is the rules' start";
    EXPECT_EQ(declined.game.shell.main("cmdYosen").enabled, rules.game.shell.main("cmdYosen").enabled);

    Start gone;
    gone.platform.lastSeasonFile = gone.dir / "moved-away.krv";
    gone.Run("cmdNew");
    EXPECT_TRUE(gone.offered.empty()) << "a file no longer there is not offered";
}

TEST(Continue, SaveInPlaceWritesTheSeasonsFileWithoutADialog) {
    Start s;
    s.Run("cmdNew");
    Shell& shell = s.game.shell;
    // Without a file of its own, 上書き保存 asks where, as 保存 does.
    const std::string file = s.dir / "season.krv";
    s.platform.fileAnswers.push_back(file);
    shell.main.Click("File_save");
    EXPECT_EQ(s.platform.fileDialogs.size(), 1u);
    EXPECT_EQ(shell.SeasonFile, file);

    s.game.season.DrvTable[1].DrvNm = "Changed";
    shell.main.Click("File_save");
    EXPECT_EQ(s.platform.fileDialogs.size(), 1u) << "no dialog the second time";
    Season back;
    ASSERT_TRUE(ReadSeasonFile(back, file));
    EXPECT_EQ(back.DrvTable[1].DrvNm, "Changed");
    EXPECT_FALSE(HasUnsavedWork(shell));
    EXPECT_EQ(shell.main("File_save").shortcut, "Ctrl+S");
    ASSERT_FALSE(s.platform.statuses.empty());
    EXPECT_EQ(s.platform.statuses.back(), "season.krv に保存しました。");
}
