// ﾌｧｲﾙ → インポート, エクスポート, 成績をエクスポート from the main window: the import is an
// editor's action, a refused one changes nothing, nothing is overwritten without asking.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>

#include "app/Game.h"
#include "exchange/Results.h"
#include "exchange/SeasonCsv.h"
#include "shell/MainState.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;

namespace {

struct Exchange : ::testing::Test {
    TempDir dir;
    ScriptedPlatform platform;
    ScriptedRandom random;
    Game game{platform, random};
    FrmKarvenRace& main = game.shell.main;

    Exchange() {
        platform.appPath = KARVEN_BIN_DIR;
        EXPECT_TRUE(game.StartUp());
        platform.shown.clear();
    }
    void Choose(const std::string& folder) { platform.folderAnswers.push_back(folder); }
    std::string LastText() const { return platform.Texts().empty() ? "" : platform.Texts().back(); }
    void Put(const std::string& name, const std::string& bytes) { WriteBytes(dir / name, bytes); }
};

} // namespace

TEST_F(Exchange, ImportIsOfferedWhereTheEditorsAreAndNeverBetweenQualifyingAndRace) {
    for (int state : {1, 2, 4}) {
        SetMainState(main, CommandState(state));
        EXPECT_TRUE(main("File_import").enabled) << state;
        EXPECT_TRUE(main("File_export").enabled && main("File_results").enabled) << state;
    }
    SetMainState(main, CommandState::BetweenGps);
    main.Click("cmdYosen");
    ASSERT_EQ(main.commandState, CommandState::QualifyingDone);
    EXPECT_FALSE(main("File_import").enabled);
    EXPECT_TRUE(main("File_export").enabled);
    // Even reached some other way, it does nothing there.
    Put(DriversCsv, DriversToCsv(game.season));
    Choose(dir.path().string());
    const Season before = game.season;
    main("File_import").onClick();
    EXPECT_TRUE(platform.folderDialogs.empty());
    EXPECT_TRUE(game.season == before);
}

TEST_F(Exchange, AnImportAtTheSeasonsStartOrBetweenGrandsPrixLeavesTheStateAsItWas) {
    for (int state : {1, 2}) {
        SetMainState(main, CommandState(state));
        std::string drivers = DriversToCsv(game.season);
        const std::string first = "アレク・ヴァンデル,ブルーホーク・カイザー,";
        drivers[drivers.find(first) + first.size()] = state == 1 ? 'E' : 'D'; // his technique
        Put(DriversCsv, drivers);
        Choose(dir.path().string());
        main.Click("File_import");
        EXPECT_EQ(game.season.DrvTable[1].Technique, state == 1 ? "5" : "4");
        EXPECT_EQ(main.commandState, CommandState(state));
        EXPECT_TRUE(LastText().starts_with("インポートしました。")) << LastText();
    }
    EXPECT_EQ(platform.folderUses, (std::vector<FolderUse>{FolderUse::Read, FolderUse::Read}));
}

TEST_F(Exchange, AnImportedCalendarReopensAFinishedSeason) {
    game.season.Sis.EndGp = game.season.Sis.GpCount;
    SetMainState(main, CommandState::SeasonOver);
    std::string calendar = CalendarToCsv(game.season) + "ナイトレース,超難\r\n";
    Put(CalendarCsv, calendar);
    Choose(dir.path().string());
    main.Click("File_import");
    EXPECT_EQ(game.season.Sis.GpCount, "17");
    EXPECT_EQ(main.commandState, CommandState::BetweenGps);
    EXPECT_TRUE(main("cmdYosen").enabled);
    EXPECT_EQ(LastText(), "インポートしました。\r\nチーム：teams.csv がないため、そのまま\r\n"
                          "ドライバー：drivers.csv がないため、そのまま\r\nグランプリ：17 ＧＰ");
    EXPECT_EQ(main.caption, "KARVEN - *"); // unsaved work, as after an editor
}

TEST_F(Exchange, ARefusedImportSaysWhereAndChangesNothing) {
    std::string drivers = DriversToCsv(game.season);
    drivers.replace(drivers.find(",S,A,A,B"), 8, ",X,A,A,B");
    Put(DriversCsv, drivers);
    Put(TeamsCsv, TeamsToCsv(game.season));
    Choose(dir.path().string());
    const Season before = game.season;
    main.Click("File_import");
    EXPECT_TRUE(game.season == before);
    EXPECT_EQ(LastText(), "drivers.csv の 2 行目、\r\nTechnique 列：\r\n「X」は、S～E の評価ではありません！\r\n\r\n"
                          "インポートを中止しました。");
    EXPECT_EQ(main.caption, "KARVEN");
}

TEST_F(Exchange, FoldersWithoutTheFilesOrWithUnreadableOnesAreTold) {
    Choose(dir.path().string());
    main.Click("File_import");
    EXPECT_NE(LastText().find("のどれもありません！"), std::string::npos);

    std::filesystem::create_directory(dir / TeamsCsv); // a folder where a file should be
    Choose(dir.path().string());
    main.Click("File_import");
    ASSERT_EQ(platform.warnings.size(), 1u);
    EXPECT_EQ(platform.warnings[0], "インポートに失敗しました！\r\n" + (dir / TeamsCsv) + "\r\nファイルではありません");

    // Cancelling the folder dialog does nothing at all.
    size_t shown = platform.shown.size();
    main.Click("File_import");
    EXPECT_EQ(platform.shown.size(), shown);
}

TEST_F(Exchange, ExportWritesTheThreeFilesAndAsksBeforeReplacingThem) {
    Choose(dir.path().string());
    main.Click("File_export");
    // A platform without folders of its own (the browser) hands what is written over as downloads.
    EXPECT_EQ(platform.folderUses, std::vector<FolderUse>{FolderUse::Write});
    EXPECT_EQ(ReadBytes(dir / TeamsCsv), TeamsToCsv(game.season));
    EXPECT_EQ(ReadBytes(dir / DriversCsv), DriversToCsv(game.season));
    EXPECT_EQ(ReadBytes(dir / CalendarCsv), CalendarToCsv(game.season));
    EXPECT_NE(LastText().find("エクスポートしました。"), std::string::npos);

    Put(DriversCsv, "mine");
    Choose(dir.path().string());
    platform.Answer({false});
    main.Click("File_export");
    EXPECT_EQ(ReadBytes(dir / DriversCsv), "mine");
    EXPECT_EQ(platform.shown.back().form, "frmmsgokcancel");

    Choose(dir.path().string());
    platform.Answer({true});
    main.Click("File_export");
    EXPECT_EQ(ReadBytes(dir / DriversCsv), DriversToCsv(game.season));
    // Nothing else is left in the folder: the copies written first have taken their names.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

TEST_F(Exchange, ResultsGoOutAsCsvAndTheSeasonReport) {
    Choose(dir.path().string());
    main.Click("File_results");
    for (const ExchangeFile& file : ResultFiles(game.season)) {
        EXPECT_TRUE(std::filesystem::is_regular_file(dir / file.first)) << file.first;
        EXPECT_EQ(ReadBytes(dir / file.first), file.second) << file.first;
    }
    EXPECT_NE(LastText().find("season-report.html をブラウザーで開くと、"), std::string::npos);

    Choose((dir / "no-such-folder"));
    main.Click("File_results");
    ASSERT_EQ(platform.warnings.size(), 1u);
    EXPECT_TRUE(platform.warnings[0].starts_with("エクスポートに失敗しました！\r\n" + (dir / "no-such-folder")));
}

// A disk that fills up half-way through an export: every file is written before any takes its
// place, so the folder keeps what it had, with nothing of the export left in it.
TEST_F(Exchange, AnExportThatRunsOutOfSpaceLeavesTheFolderAsItWas) {
    const std::vector<ExchangeFile> files = ResultFiles(game.season);
    // The largest size some first files come to, and a file after them that is larger still.
    size_t fits = 0, larger = 0;
    for (size_t i = 0; i < files.size() && !larger; ++i) {
        if (i > 0 && files[i].second.size() > fits) larger = i;
        else fits = std::max(fits, files[i].second.size());
    }
    ASSERT_GT(larger, 0u) << "a file that fits, then one that does not";
    for (const ExchangeFile& file : files) Put(file.first, "before\r\n");

    struct rlimit was {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &was), 0);
    struct rlimit full = was;
    full.rlim_cur = rlim_t(fits);
    auto oldSignal = std::signal(SIGXFSZ, SIG_IGN); // the write fails instead
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &full), 0);
    Choose(dir.path().string());
    platform.Answer({true}); // replace them
    main.Click("File_results");
    ::setrlimit(RLIMIT_FSIZE, &was);
    std::signal(SIGXFSZ, oldSignal);

    ASSERT_EQ(platform.warnings.size(), 1u);
    EXPECT_TRUE(platform.warnings[0].starts_with("エクスポートに失敗しました！\r\n" + (dir / files[larger].first)))
        << platform.warnings[0];
    for (const ExchangeFile& file : files) EXPECT_EQ(ReadBytes(dir / file.first), "before\r\n") << file.first;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), std::ptrdiff_t(files.size()))
        << "no copy left behind";
}
