// Saving over what is already there: links, permissions, owners, long names, big seasons.
#include <filesystem>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/Game.h"
#include "season/Cp932.h"
#include "season/SeasonFile.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;
namespace fs = std::filesystem;

namespace {

const std::string Golden = KARVEN_GOLDEN_DIR;
const std::string OldBytes = "an older season\r\n";

struct Save : ::testing::Test {
    TempDir dir;
    Season season;
    std::string saved; // the bytes a save of the season writes

    Save() {
        EXPECT_TRUE(ReadSeasonFile(season, Golden + "current.krv"));
        saved = ReadBytes(Golden + "current.krv");
    }
    // Every name in the folder, to see that no temporary file stays behind.
    std::vector<std::string> Names(const fs::path& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static mode_t Mode(const std::string& path) {
        struct stat st {};
        ::stat(path.c_str(), &st);
        return st.st_mode & 07777;
    }
};

} // namespace

TEST_F(Save, ThroughASymbolicLinkWritesItsTargetAndKeepsTheLink) {
    fs::create_directories(dir / "seasons");
    fs::create_directories(dir / "links");
    WriteBytes(dir / "seasons/real.krv", OldBytes);
    fs::create_symlink("../seasons/real.krv", dir / "links/season.krv");
    fs::create_symlink("season.krv", dir / "links/again.krv"); // a link to a link

    ASSERT_TRUE(WriteSeasonFile(season, dir / "links/again.krv"));
    EXPECT_TRUE(fs::is_symlink(dir / "links/season.krv"));
    EXPECT_TRUE(fs::is_symlink(dir / "links/again.krv"));
    EXPECT_EQ(ReadBytes(dir / "seasons/real.krv"), saved);
    EXPECT_EQ(Names(dir / "seasons"), std::vector<std::string>{"real.krv"});
    EXPECT_EQ(Names(dir / "links"), (std::vector<std::string>{"again.krv", "season.krv"}));

    // A link to a file not yet there creates it; a loop of links saves nowhere.
    fs::create_symlink("../seasons/new.krv", dir / "links/new.krv");
    ASSERT_TRUE(WriteSeasonFile(season, dir / "links/new.krv"));
    EXPECT_EQ(ReadBytes(dir / "seasons/new.krv"), saved);
    fs::create_symlink("loop2.krv", dir / "links/loop1.krv");
    fs::create_symlink("loop1.krv", dir / "links/loop2.krv");
    EXPECT_FALSE(WriteSeasonFile(season, dir / "links/loop1.krv"));
}

TEST_F(Save, AHardLinkStaysOneFile) {
    WriteBytes(dir / "a.krv", OldBytes);
    fs::create_hard_link(dir / "a.krv", dir / "b.krv");
    ASSERT_TRUE(WriteSeasonFile(season, dir / "a.krv"));
    EXPECT_EQ(ReadBytes(dir / "b.krv"), saved);
    EXPECT_TRUE(fs::equivalent(dir / "a.krv", dir / "b.krv"));
    EXPECT_EQ(fs::hard_link_count(dir / "a.krv"), 2u);

    // Shorter than before: nothing of the old contents stays at the end.
    WriteBytes(dir / "b.krv", saved + std::string(5000, 'x'));
    ASSERT_TRUE(WriteSeasonFile(season, dir / "b.krv"));
    EXPECT_EQ(ReadBytes(dir / "a.krv"), saved);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"a.krv", "b.krv"}));
}

TEST_F(Save, TheTargetKeepsItsModeAndAReadOnlyOneIsRefused) {
    for (mode_t mode : {0600, 0640, 0664}) {
        WriteBytes(dir / "kept.krv", OldBytes);
        ::chmod((dir / "kept.krv").c_str(), mode);
        ASSERT_TRUE(WriteSeasonFile(season, dir / "kept.krv"));
        EXPECT_EQ(Mode(dir / "kept.krv"), mode);
    }
    mode_t mask = ::umask(022);
    ASSERT_TRUE(WriteSeasonFile(season, dir / "new.krv"));
    ::umask(mask);
    EXPECT_EQ(Mode(dir / "new.krv"), 0644u);

    WriteBytes(dir / "locked.krv", OldBytes);
    ::chmod((dir / "locked.krv").c_str(), 0444);
    EXPECT_FALSE(WriteSeasonFile(season, dir / "locked.krv"));
    EXPECT_EQ(ReadBytes(dir / "locked.krv"), OldBytes);
    EXPECT_EQ(Mode(dir / "locked.krv"), 0444u);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"kept.krv", "locked.krv", "new.krv"}));

    // File/Save says so.
    ScriptedPlatform platform;
    ScriptedRandom random;
    Game game(platform, random);
    game.season = season;
    platform.fileAnswers = {dir / "locked.krv"};
    game.shell.main.Click("File_update");
    EXPECT_EQ(platform.warnings, std::vector<std::string>{"データ保存に失敗しました！\r\n" + (dir / "locked.krv") +
                                                          "\r\n書き込み権限がありません"});
    EXPECT_EQ(ReadBytes(dir / "locked.krv"), OldBytes);
}

TEST_F(Save, TheTargetKeepsItsOwner) {
    WriteBytes(dir / "theirs.krv", OldBytes);
    if (::chown((dir / "theirs.krv").c_str(), 4321, 4322) != 0) GTEST_SKIP() << "changing owners needs root";
    ASSERT_TRUE(WriteSeasonFile(season, dir / "theirs.krv"));
    struct stat st {};
    ASSERT_EQ(::stat((dir / "theirs.krv").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4322u);
    EXPECT_EQ(ReadBytes(dir / "theirs.krv"), saved);
}

TEST_F(Save, NamesUpToTheLongestAFolderTakesSave) {
    for (size_t length : {249u, 250u, 255u}) {
        std::string name = std::string(length - 4, 'k') + ".krv";
        ASSERT_TRUE(WriteSeasonFile(season, dir / name)) << length;
        EXPECT_EQ(ReadBytes(dir / name), saved) << length;
        fs::remove(dir / name);
    }
    EXPECT_FALSE(WriteSeasonFile(season, dir / (std::string(252, 'k') + ".krv")));
    EXPECT_TRUE(Names(dir.path()).empty());
}

// A season that opens when it is close to 16 MiB grows with the results of a Grand Prix.
TEST_F(Save, ASeasonNearSixteenMebibytesSavesAfterItHasGrown) {
    Season big = season;
    big.DrvTable.resize(MaxDrvCount + 1, season.DrvTable[3]);
    big.DrvCount = std::to_string(MaxDrvCount);
    for (int d = 1; d <= MaxDrvCount; ++d) big.DrvTable[d].DrvNm.clear();
    ASSERT_TRUE(WriteSeasonFile(big, dir / "big.krv"));
    // Names that fill the file to 16 KB short of 16 MiB; a character takes two bytes in code page 932.
    const size_t chars = (16u * 1024 * 1024 - 16000 - fs::file_size(dir / "big.krv")) / MaxDrvCount / 2;
    std::string name;
    for (size_t i = 0; i < chars; ++i) name += "長";
    for (int d = 1; d <= MaxDrvCount; ++d) big.DrvTable[d].DrvNm = name;
    ASSERT_TRUE(WriteSeasonFile(big, dir / "big.krv"));
    ASSERT_LT(fs::file_size(dir / "big.krv"), 16u * 1024 * 1024);

    Season loaded;
    ASSERT_TRUE(ReadSeasonFile(loaded, dir / "big.krv"));
    for (int d = 1; d <= MaxDrvCount; ++d)
        for (int k = 1; k <= ResultSlots; ++k) loaded.DrvTable[d].Result[k] = "12";
    ASSERT_TRUE(WriteSeasonFile(loaded, dir / "big.krv"));
    EXPECT_GT(fs::file_size(dir / "big.krv"), 16u * 1024 * 1024);
    Season again;
    ASSERT_TRUE(ReadSeasonFile(again, dir / "big.krv"));
    EXPECT_EQ(again, loaded);
}

// A write that stops half-way (here the file size limit, as a full disk would) leaves the
// previous season whole, whether it is replaced or updated in place through its other links.
TEST_F(Save, AWriteFailingHalfWayLeavesThePreviousFileWhole) {
    WriteBytes(dir / "plain.krv", OldBytes);
    WriteBytes(dir / "linked.krv", OldBytes);
    fs::create_hard_link(dir / "linked.krv", dir / "other-name.krv");
    for (const char* name : {"plain.krv", "linked.krv"}) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of ending the process
            rlimit limit{saved.size() / 2, saved.size() / 2};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            SaveError why;
            bool ok = WriteSeasonFile(season, dir / name, why);
            ::_exit(ok ? 0 : why == SaveError::TooLarge ? 3 : 4);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 3) << name << ": the save fails and says why";
        EXPECT_EQ(ReadBytes(dir / name), OldBytes) << name;
    }
    EXPECT_EQ(ReadBytes(dir / "other-name.krv"), OldBytes);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"linked.krv", "other-name.krv", "plain.krv"}));
}

// What the program saves, it opens: one limit for both, to the byte.
TEST_F(Save, TheLargestSeasonThatOpensSavesAndOneByteMoreDoesNot) {
    const std::string target = dir / "big.krv";
    ASSERT_TRUE(WriteSeasonFile(season, target));
    std::string name;
    ASSERT_TRUE(EncodeCp932(season.GpTable[1].GpNm, name));
    const size_t others = saved.size() - name.size(); // the file without the first Grand Prix's name

    Season largest = season;
    largest.GpTable[1].GpNm = std::string(MaxSeasonFileBytes - others, 'x');
    ASSERT_TRUE(WriteSeasonFile(largest, target));
    EXPECT_EQ(fs::file_size(target), MaxSeasonFileBytes);
    Season opened;
    ASSERT_TRUE(ReadSeasonFile(opened, target));
    EXPECT_EQ(opened, largest);

    Season over = largest;
    over.GpTable[1].GpNm += 'x';
    EXPECT_FALSE(WriteSeasonFile(over, target));
    EXPECT_EQ(fs::file_size(target), MaxSeasonFileBytes) << "the previous file stays";
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"big.krv"});

    // The limit counts the season up to its last team: what follows it never refuses the season.
    WriteBytes(target, saved + std::string(MaxSeasonFileBytes + 1 - saved.size(), '\n'));
    EXPECT_TRUE(ReadSeasonFile(opened, target));
    // A season whose own part passes the limit does not open, whatever follows it.
    std::string file = saved;
    file.replace(file.find(name), name.size(), over.GpTable[1].GpNm);
    WriteBytes(target, file);
    EXPECT_FALSE(ReadSeasonFile(opened, target));
}
