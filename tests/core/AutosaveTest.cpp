// Autosaves: written after the changes worth keeping, ten kept, never a word to interrupt play,
// and opened again from their list.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/Game.h"
#include "season/SeasonFile.h"
#include "session/Autosave.h"
#include "session/FrmAutosaves.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;
namespace fs = std::filesystem;

namespace {

Season DefaultSeason() {
    Season s;
    EXPECT_TRUE(ReadSeasonFile(s, std::string(KARVEN_BIN_DIR) + InitialDataFile));
    return s;
}

std::chrono::system_clock::time_point At(int second, int millis = 0) {
    return std::chrono::system_clock::from_time_t(1'800'000'000 + second) + std::chrono::milliseconds(millis);
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct Played : ::testing::Test {
    TempDir dir;
    ScriptedPlatform platform;
    ScriptedRandom random;
    Game game{platform, random};
    FrmKarvenRace& main = game.shell.main;

    Played() {
        platform.appPath = KARVEN_BIN_DIR;
        platform.autosaveFolder = dir / "autosave";
        EXPECT_TRUE(game.StartUp());
    }
    size_t Saves() { return ListAutosaves(platform.autosaveFolder).size(); }
};

} // namespace

TEST(Autosave, TheNewestTenAreKeptAndNothingElseIsTouched) {
    TempDir dir;
    Season season = DefaultSeason();
    fs::create_directories(dir / "saves");
    WriteBytes(dir / "saves/mine.krv", "the player's own");
    WriteBytes(dir / "saves/notes.txt", "notes");
    std::string error;
    for (int i = 0; i < 11; ++i) {
        season.Sis.EndGp = std::to_string(i % 17);
        ASSERT_TRUE(WriteAutosave(season, dir / "saves", At(i * 61), error)) << error;
    }
    // A second save within the same millisecond is kept beside the first.
    ASSERT_TRUE(WriteAutosave(season, dir / "saves", At(10 * 61), error));

    std::vector<std::string> saves = ListAutosaves(dir / "saves");
    ASSERT_EQ(saves.size(), size_t(AutosavesKept));
    std::vector<std::string> names = Names(dir.path() / "saves");
    EXPECT_EQ(names.size(), size_t(AutosavesKept) + 2) << "no temporary file is left behind";
    EXPECT_TRUE(std::count(names.begin(), names.end(), "mine.krv") && std::count(names.begin(), names.end(), "notes.txt"));
    // Newest first: the one of the same millisecond, then the rest by time; the two oldest went.
    std::string first = fs::path(saves[0]).filename().string(), second = fs::path(saves[1]).filename().string();
    EXPECT_EQ(first, second.substr(0, second.size() - 4) + "-1.krv");
    for (size_t i = 0; i < saves.size(); ++i) {
        Season back;
        ASSERT_TRUE(ReadSeasonFile(back, saves[i])) << saves[i];
        EXPECT_EQ(back.Sis.EndGp, std::to_string(i < 2 ? 10 : 11 - int(i))) << saves[i];
    }
    EXPECT_FALSE(AutosaveTime(saves.back()).empty());
    EXPECT_EQ(AutosaveTime(dir / "saves/mine.krv"), "");
}

TEST(Autosave, AFolderThatCannotBeMadeFailsWithAReason) {
    TempDir dir;
    WriteBytes(dir / "taken", "a file where the folder should be");
    std::string error;
    EXPECT_FALSE(WriteAutosave(DefaultSeason(), dir / "taken/autosave", At(0), error));
    EXPECT_FALSE(error.empty());
}

TEST_F(Played, RacesNewSeasonsAndEditorsAutosaveQualifyingAndCancelsDoNot) {
    main.Click("cmdYosen");
    EXPECT_EQ(Saves(), 0u);
    main.Click("cmdKesyou");
    ASSERT_EQ(Saves(), 1u);
    Season saved;
    ASSERT_TRUE(ReadSeasonFile(saved, ListAutosaves(platform.autosaveFolder)[0]));
    EXPECT_EQ(saved.Sis.EndGp, "1");
    ASSERT_EQ(platform.statuses.size(), 1u);
    EXPECT_EQ(platform.statuses[0].rfind("自動保存しました（", 0), 0u) << platform.statuses[0];

    platform.Answer({false});
    main.Click("cmdStart"); // declined: nothing changed, nothing saved
    EXPECT_EQ(Saves(), 1u);
    platform.script.push_back([](Form& f) { f.Click("cmdCancel"); });
    main.Click("Set_Sis", 21);
    EXPECT_EQ(Saves(), 1u);
    platform.script.push_back([](Form& f) {
        f.Click("cmdNinDn");
        f.Click("cmdOK");
    });
    main.Click("Set_Sis", 21);
    EXPECT_EQ(Saves(), 2u);
    platform.Answer({true, false});
    main.Click("cmdStart");
    EXPECT_EQ(Saves(), 3u);
}

TEST_F(Played, AFailedAutosaveIsOnlyNotedAndPlayGoesOn) {
    WriteBytes(dir / "autosave", "a file where the folder should be");
    main.Click("cmdYosen");
    size_t windows = platform.shown.size();
    main.Click("cmdKesyou");
    EXPECT_TRUE(platform.warnings.empty());
    ASSERT_EQ(platform.statuses.size(), 1u);
    EXPECT_EQ(platform.statuses[0].rfind("自動保存に失敗しました：", 0), 0u) << platform.statuses[0];
    EXPECT_GT(platform.shown.size(), windows) << "the race ran";
    EXPECT_EQ(game.season.Sis.EndGp, "1");
}

TEST_F(Played, AnAutosaveOpensAgainAfterTheUnsavedWorkQuestion) {
    main.Click("cmdYosen");
    main.Click("cmdKesyou");
    const Season afterRace = game.season;
    main.Click("cmdYosen");
    main.Click("cmdKesyou");
    ASSERT_EQ(Saves(), 2u);

    std::vector<std::string> listed;
    platform.script.push_back([](Form& ask) { ask.Click("cmdDiscard"); });
    platform.script.push_back([&](Form& list) {
        ASSERT_EQ(list.Name(), "frmkarvenautosave");
        listed = list("lstSave").items;
        list("lstSave").listIndex = 1; // the older one
        list.Click("cmdOpen");
    });
    main.Click("File_autosave");
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_NE(listed[0].find("第2戦まで"), std::string::npos) << listed[0];
    EXPECT_NE(listed[1].find("第1戦まで　首位 "), std::string::npos) << listed[1];
    EXPECT_EQ(game.season, afterRace);
    EXPECT_EQ(main.caption, "KARVEN - *") << "saved nowhere of the player's";
    EXPECT_TRUE(main("cmdYosen").enabled);
    EXPECT_FALSE(main("cmdKesyou").enabled);

    // Cancelling the list changes nothing.
    platform.script.push_back([](Form& ask) { ask.Click("cmdDiscard"); });
    platform.script.push_back([](Form& list) { list.Click("cmdCancel"); });
    main.Click("File_autosave");
    EXPECT_EQ(game.season, afterRace);
}

TEST_F(Played, TheNewestAutosaveOpensWithoutTheListAndNoneLeavesTheSeason) {
    const Season fresh = game.season;
    game.OpenNewestAutosave();
    EXPECT_EQ(game.season, fresh);
    EXPECT_TRUE(platform.warnings.empty());

    main.Click("cmdYosen");
    main.Click("cmdKesyou");
    main.Click("cmdYosen");
    main.Click("cmdKesyou");
    const Season afterTwo = game.season;
    platform.Answer({true, false});
    main.Click("cmdStart");
    ASSERT_EQ(Saves(), 3u);
    // The newest is the new season's; the one before it, the second race's, once the newest is gone.
    fs::remove(ListAutosaves(platform.autosaveFolder)[0]);
    size_t windows = platform.shown.size();
    game.OpenNewestAutosave();
    EXPECT_EQ(platform.shown.size(), windows) << "no list, no question";
    EXPECT_EQ(game.season, afterTwo);
    EXPECT_EQ(main.caption, "KARVEN - *") << "saved nowhere of the player's";
    EXPECT_TRUE(main("cmdYosen").enabled);
}
