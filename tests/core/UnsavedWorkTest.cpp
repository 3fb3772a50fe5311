// Unsaved work is never thrown away silently: End, 終了, the close box and Open ask first; the title
// tells whether there is any; save failures say why.
#include <gtest/gtest.h>

#include "app/Game.h"
#include "season/SeasonFile.h"
#include "shell/SeasonFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;

namespace {

struct Session : ::testing::Test {
    TempDir dir;
    ScriptedPlatform platform;
    ScriptedRandom random;
    Game game{platform, random};
    FrmKarvenRace& main = game.shell.main;

    Session() {
        platform.appPath = KARVEN_BIN_DIR;
        EXPECT_TRUE(game.StartUp());
        platform.shown.clear();
    }
    // Qualifying changes the season: the pole sitter's career.
    void PlayQualifying() { main.Click("cmdYosen"); }
    void Answer(const char* button) {
        platform.script.push_back([button](Form& ask) {
            ASSERT_EQ(ask.Name(), "frmasksave");
            ask.Click(button);
        });
    }
    size_t Asked() const {
        size_t n = 0;
        for (const ShownWindow& w : platform.shown) n += w.form == "frmasksave";
        return n;
    }
};

} // namespace

TEST_F(Session, WithNothingUnsavedEndQuitsAtOnce) {
    EXPECT_EQ(main.caption, "KARVEN");
    main.Click("cmdEnd");
    EXPECT_TRUE(platform.ended);
    EXPECT_EQ(Asked(), 0u);
}

TEST_F(Session, EveryWayOutAsksAboutUnsavedWorkAndCancelKeepsTheGameRunning) {
    PlayQualifying();
    EXPECT_EQ(main.caption, "KARVEN - *");
    for (auto leave : {+[](FrmKarvenRace& m) { m.Click("cmdEnd"); }, +[](FrmKarvenRace& m) { m.Click("File_End"); },
                       +[](FrmKarvenRace& m) { m.QueryClose(); }}) {
        Answer("cmdCancel");
        leave(main);
        EXPECT_FALSE(platform.ended);
        EXPECT_FALSE(main.IsClosed());
        // The close box of the question is a Cancel too.
        platform.script.push_back([](Form& ask) { ask.QueryClose(); });
        leave(main);
        EXPECT_FALSE(platform.ended);
    }
    EXPECT_EQ(Asked(), 6u);
    EXPECT_EQ(platform.shown.back().text, "シーズンデータが保存されていません。\r\n保存しますか？");

    Answer("cmdDiscard");
    main.QueryClose();
    EXPECT_TRUE(platform.ended);
    EXPECT_TRUE(main.IsClosed());
}

TEST_F(Session, SaveFromTheQuestionQuitsOnlyWhenTheSeasonWasWritten) {
    PlayQualifying();
    // The save dialog cancelled, then a save that fails: the game stays, with its season.
    Answer("cmdSave");
    platform.fileAnswers = {""};
    main.Click("cmdEnd");
    EXPECT_FALSE(platform.ended);
    Answer("cmdSave");
    platform.fileAnswers = {dir / "missing/folder/s.krv"};
    main.Click("cmdEnd");
    EXPECT_FALSE(platform.ended);
    ASSERT_EQ(platform.warnings.size(), 1u);
    EXPECT_EQ(main.caption, "KARVEN - *");

    Answer("cmdSave");
    platform.fileAnswers = {dir / "s.krv"};
    main.Click("cmdEnd");
    EXPECT_TRUE(platform.ended);
    Season saved;
    ASSERT_TRUE(ReadSeasonFile(saved, dir / "s.krv"));
    EXPECT_EQ(saved, game.season);
    EXPECT_EQ(main.caption, "KARVEN - s.krv");
    EXPECT_EQ(platform.remembered, std::vector<std::string>{dir / "s.krv"});
}

TEST_F(Session, OpenAsksFirstAndTheTitleFollowsTheFile) {
    platform.fileAnswers = {dir / "first.krv"};
    main.Click("File_update");
    EXPECT_EQ(main.caption, "KARVEN - first.krv");
    PlayQualifying();
    EXPECT_EQ(main.caption, "KARVEN - *first.krv");
    const Season played = game.season;

    Answer("cmdCancel");
    main.Click("File_open");
    EXPECT_TRUE(platform.fileDialogs.size() == 1u) << "cancelled before the file dialog";
    EXPECT_EQ(game.season, played);

    Answer("cmdDiscard");
    platform.fileAnswers = {dir / "first.krv"};
    main.Click("File_open");
    EXPECT_NE(game.season, played);
    EXPECT_EQ(main.caption, "KARVEN - first.krv");
    EXPECT_EQ(Asked(), 2u);
    // A season as it was saved asks nothing.
    platform.fileAnswers = {dir / "first.krv"};
    main.Click("File_open");
    EXPECT_EQ(Asked(), 2u);
}

TEST_F(Session, AFileThatIsNoSeasonSaysSoAndChangesNothing) {
    const Season before = game.season;
    WriteBytes(dir / "passwd", "root:x:0:0:root:/root:/bin/bash\n");
    platform.fileAnswers = {dir / "passwd"};
    main.Click("File_open");
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{"このファイルは、\r\nKARVEN のシーズンファイルではありません。"});
    EXPECT_TRUE(platform.warnings.empty());
    EXPECT_EQ(game.season, before);
    EXPECT_EQ(main.caption, "KARVEN");
}

TEST(SaveFailure, TheMessageNamesTheFileAndTheReason) {
    TempDir dir;
    ScriptedPlatform platform;
    ScriptedRandom random;
    Game game(platform, random);
    platform.appPath = KARVEN_BIN_DIR;
    ASSERT_TRUE(game.StartUp());
    std::filesystem::create_directory(dir / "folder.krv");
    game.season.DrvTable[1].DrvNm = "改行\r\n入り"; // a value the file cannot carry
    platform.fileAnswers = {dir / "bad.krv", dir / "folder.krv"};
    game.shell.main.Click("File_update");
    game.season.DrvTable[1].DrvNm = "普通";
    game.shell.main.Click("File_update");
    EXPECT_EQ(platform.warnings,
              (std::vector<std::string>{
                  "データ保存に失敗しました！\r\n" + (dir / "bad.krv") + "\r\nファイルに保存できない文字が含まれています",
                  "データ保存に失敗しました！\r\n" + (dir / "folder.krv") + "\r\n保存先はファイルではありません"}));
    EXPECT_EQ(game.shell.SeasonFile, "");
}
