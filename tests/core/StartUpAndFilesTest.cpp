#include <gtest/gtest.h>

#include <filesystem>

#include "app/Game.h"
#include "season/SeasonFile.h"
#include "shell/MainState.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;

namespace {

const std::string Golden = KARVEN_GOLDEN_DIR;

struct ShellFlow : ::testing::Test {
    TempDir dir;
    ScriptedPlatform platform;
    ScriptedRandom random;
    Game game{platform, random};
    FrmKarvenRace& main = game.shell.main;

    ShellFlow() { platform.appPath = dir.path().string() + "/"; }
    void InstallInitialData(const std::string& golden) {
        std::filesystem::copy_file(Golden + golden, dir / InitialDataFile);
    }
    int State() {
        // The four states differ in these three buttons.
        bool yosen = main("cmdYosen").enabled, kesyou = main("cmdKesyou").enabled, off = main("cmdOffSis").enabled;
        if (kesyou) return 3;
        if (off) return 4;
        return yosen && main("cmdDrvRank").enabled ? 2 : yosen ? 1 : 0;
    }
};

} // namespace

TEST_F(ShellFlow, StartUpShowsTheTitleThenLoadsAndEntersStateOne) {
    InstallInitialData("current.krv"); // its EndGp is 1, which the start-up does not reset after loading
    for (int i = 31; i <= 33; ++i) main(EventItemName(i), i).checked = false;
    game.shell.events.pen = false;
    main.lblT(1).text = "No";

    ASSERT_TRUE(game.StartUp());
    ASSERT_FALSE(platform.shown.empty());
    EXPECT_EQ(platform.shown[0].form, "frmmain");
    EXPECT_EQ(platform.shown[0].caption, "KARVEN");
    EXPECT_TRUE(game.shell.events.pit && game.shell.events.pen && game.shell.events.weather);
    for (int i = 31; i <= 33; ++i) EXPECT_TRUE(main(EventItemName(i), i).checked);
    EXPECT_EQ(game.season.DrvCount, "3");
    EXPECT_EQ(main.caption, "KARVEN");
    EXPECT_EQ(main("lblTitle").text, "KARVEN");
    EXPECT_EQ(main.lblT(1).text, "");
    EXPECT_TRUE(main("cmdStart").visible);
    EXPECT_FALSE(main("imgAnime").visible);
    EXPECT_EQ(State(), 1);
    EXPECT_FALSE(platform.ended);
}

TEST_F(ShellFlow, StartUpEndsTheProgramWhenTheInitialDataCannotBeRead) {
    ASSERT_FALSE(game.StartUp()); // no Karven.sin at all
    EXPECT_EQ(platform.warnings, (std::vector<std::string>{"初期データの読込に失敗しました！\r\n再インストールを行ってください。"}));
    EXPECT_TRUE(platform.ended);

    WriteBytes(dir / InitialDataFile, std::string(FormatMark) + "\r\n\r\n<SIS>\r\n3,20");
    platform.warnings.clear();
    EXPECT_FALSE(game.StartUp());
    EXPECT_EQ(platform.warnings.size(), 1u);
}

TEST_F(ShellFlow, StartUpGoesOnWithAnInitialFileInAnUnknownLayout) {
    WriteBytes(dir / InitialDataFile, "#KARVEN-FORMAT-VER2099#\r\n");
    EXPECT_TRUE(game.StartUp());
    EXPECT_TRUE(platform.warnings.empty());
    EXPECT_EQ(platform.Texts().size(), 1u); // the newer-format notice
    EXPECT_EQ(game.season.Sis.EndGp, "0");
    EXPECT_EQ(State(), 1);
}

TEST_F(ShellFlow, OpenSetsTheStateFromTheLoadedSeason) {
    SetMainState(main, CommandState::QualifyingDone);
    platform.fileAnswers = {Golden + "current.krv"};
    main.Click("File_open");
    EXPECT_EQ(platform.fileDialogs, std::vector<FileDialogMode>{FileDialogMode::Open});
    EXPECT_EQ(main.ActDialog.Filter, "KARVENﾌｧｲﾙ (*.krv)|*.krv|");
    EXPECT_EQ(game.season.Sis.EndGp, "1");
    EXPECT_EQ(State(), 2);

    // A season saved after its last race opens in state 4.
    game.season.Sis.EndGp = game.season.Sis.GpCount;
    ASSERT_TRUE(WriteSeasonFile(game.season, dir / "over.krv"));
    platform.fileAnswers = {dir / "over.krv"};
    platform.script.push_back([](Form& ask) { ask.Click("cmdDiscard"); }); // the change above
    main.Click("File_open");
    EXPECT_EQ(State(), 4);
}

TEST_F(ShellFlow, OpenDeclinedStillRecomputesTheStateAndAFailureOnlyWarns) {
    platform.fileAnswers = {Golden + "current.krv"};
    main.Click("File_open");
    const Season loaded = game.season;

    SetMainState(main, CommandState::QualifyingDone);
    platform.fileAnswers = {Golden + "old.krv"};
    platform.Answer({true, false}); // the notice, then Cancel at the conversion
    main.Click("File_open");
    EXPECT_EQ(game.season, loaded);
    EXPECT_EQ(State(), 2);

    SetMainState(main, CommandState::QualifyingDone);
    WriteBytes(dir / "broken.krv", std::string(FormatMark) + "\r\n");
    platform.fileAnswers = {dir / "broken.krv"};
    main.Click("File_open");
    EXPECT_EQ(platform.warnings, std::vector<std::string>{"データの読込に失敗しました！"});
    EXPECT_EQ(game.season, loaded);
    EXPECT_EQ(State(), 3);

    platform.fileAnswers = {""};
    main.Click("File_open");
    EXPECT_EQ(State(), 3);
    EXPECT_EQ(platform.warnings.size(), 1u);
}

TEST_F(ShellFlow, SaveAppendsTheExtensionUnlessItIsThereInLowerCase) {
    platform.fileAnswers = {Golden + "current.krv"};
    main.Click("File_open");

    platform.fileAnswers = {dir / "plain", dir / "upper.KRV", dir / "done.krv"};
    main.Click("File_update");
    EXPECT_EQ(main.ActDialog.FileName, dir / "plain.krv");
    main.Click("File_update");
    main.Click("File_update");
    for (const char* name : {"plain.krv", "upper.KRV.krv", "done.krv"})
        EXPECT_EQ(ReadBytes(dir / name), ReadBytes(Golden + "current.krv")) << name;
    EXPECT_FALSE(std::filesystem::exists(dir / "plain"));
    EXPECT_TRUE(platform.warnings.empty());

    platform.fileAnswers = {""};
    main.Click("File_update");
    EXPECT_EQ(platform.fileDialogs.size(), 5u);

    platform.fileAnswers = {dir / "no/such/folder/x"};
    main.Click("File_update");
    EXPECT_EQ(platform.warnings, std::vector<std::string>{"データ保存に失敗しました！\r\n" + (dir / "no/such/folder/x.krv") +
                                                          "\r\n保存先のフォルダーが見つかりません"});
}

TEST_F(ShellFlow, EndAndVersion) {
    main.Click("Help_Ver");
    EXPECT_EQ(platform.shown.back().form, "frmmain");
    EXPECT_FALSE(platform.ended);
    main.Click("cmdEnd");
    EXPECT_TRUE(platform.ended);
    platform.ended = false;
    main.Click("File_End");
    EXPECT_TRUE(platform.ended);
}
