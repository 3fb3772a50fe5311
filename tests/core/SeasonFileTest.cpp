#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <sys/stat.h>

#include "season/Cp932.h"
#include "season/SeasonFile.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;

namespace {

const std::string Golden = KARVEN_GOLDEN_DIR;

struct RecordingDialogue : LoadDialogue {
    std::vector<std::string> texts;
    std::vector<bool> answers;
    void Notice(const std::string& text) override { texts.push_back(text); }
    bool Confirm(const std::string& text) override {
        texts.push_back(text);
        bool ok = answers.empty() || answers.front();
        if (!answers.empty()) answers.erase(answers.begin());
        return ok;
    }
};

Season ReadGolden(const std::string& name) {
    Season s;
    EXPECT_TRUE(ReadSeasonFile(s, Golden + name));
    return s;
}

size_t FilesIn(const TempDir& dir) {
    return std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator());
}

} // namespace

TEST(SeasonFile, ReadsEveryFieldAsStored) {
    Season s = ReadGolden("current.krv");
    EXPECT_EQ(s.Sis.GpCount + s.Sis.SyuCount + s.Sis.NinCount + s.Sis.EndGp, "32021");
    ASSERT_EQ(s.GpTable.size(), 4u);
    EXPECT_EQ(s.GpTable[2].GpNm, "鈴鹿,日本");
    EXPECT_EQ(s.GpTable[3].GpNm, "①サーキット");
    ASSERT_EQ(s.DrvTable.size(), 4u);
    const DrvRecord& d = s.DrvTable[1];
    EXPECT_EQ(d.DrvNm, "速水　翔"); // a full-width space inside a name is no space to trim
    EXPECT_EQ(d.CareerPoints, "28");
    EXPECT_EQ(d.Result[1], "1");
    EXPECT_EQ(d.Result[2], "");
    EXPECT_EQ(d.Result[3], "0");
    EXPECT_EQ(d.Result[4], "12");
    EXPECT_EQ(d.Result[17], "");
    EXPECT_EQ(s.DrvTable[2].DrvNm, "ジョー・～波");
    EXPECT_EQ(s.DrvTable[3].TimNo, "");
    ASSERT_EQ(s.TimTable.size(), 3u);
    EXPECT_EQ(s.TimTable[1].TimNm, "紅蓮・雷電");
    EXPECT_EQ(s.TimTable[1].ColorNo, "0007");
    EXPECT_EQ(s.TimTable[2].Points, "0");
}

TEST(SeasonFile, RoundTripIsByteForByte) {
    TempDir dir;
    Season s = ReadGolden("current.krv");
    ASSERT_TRUE(WriteSeasonFile(s, dir / "out.krv"));
    EXPECT_EQ(ReadBytes(dir / "out.krv"), ReadBytes(Golden + "current.krv"));
    EXPECT_EQ(FilesIn(dir), 1u); // no temporary file left behind
}

// A count is read from however long a value as the game reads numbers ("3ャャ…" is 3): the check
// of a save reads it so too, and such a season saves and reads back.
TEST(SeasonFile, LongCountsSaveAndReadBack) {
    TempDir dir;
    Season s = ReadGolden("current.krv");
    std::string tail;
    for (int i = 0; i < 60; ++i) tail += "ャ";
    for (std::string* count : {&s.Sis.GpCount, &s.Sis.SyuCount, &s.Sis.EndGp, &s.DrvCount, &s.TimCount}) *count += tail;
    ASSERT_TRUE(WriteSeasonFile(s, dir / "out.krv"));
    Season again;
    ASSERT_TRUE(ReadSeasonFile(again, dir / "out.krv"));
    EXPECT_EQ(again.Sis.GpCount, s.Sis.GpCount);
    EXPECT_EQ(again.DrvTable.size(), s.DrvTable.size());
    EXPECT_EQ(again.TimTable.size(), s.TimTable.size());
}

TEST(SeasonFile, UntidyFileIsTrimmedUnquotedAndRenumberedOnSave) {
    TempDir dir;
    Season s = ReadGolden("messy.krv");
    EXPECT_EQ(s.Sis.GpCount, "3");
    EXPECT_EQ(s.GpTable[1].GpNo, "7");
    EXPECT_EQ(s.GpTable[1].GpNm, "モナコ");
    EXPECT_EQ(s.GpTable[3].GpNm, "①サーキット");
    ASSERT_TRUE(WriteSeasonFile(s, dir / "out.krv"));
    // Another program's line after the teams is no part of the season: it is written back as it came.
    EXPECT_EQ(s.history.kept, "anything after the teams\n");
    EXPECT_EQ(ReadBytes(dir / "out.krv"), ReadBytes(Golden + "current.krv") + s.history.kept);
    Season again;
    ASSERT_TRUE(ReadSeasonFile(again, dir / "out.krv"));
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(again.GpTable[i].GpNo, "0" + std::to_string(i));
}

TEST(SeasonFile, OldLayoutAsksTwiceAndConvertsOnOk) {
    TempDir dir;
    Season s;
    RecordingDialogue dialogue;
    ASSERT_EQ(LoadSeasonFile(s, Golden + "old.krv", dialogue), LoadOk);
    EXPECT_EQ(dialogue.texts, (std::vector<std::string>{"このファイルは、\r\n旧バージョンの形式です。",
                                                        "最新バージョンの\r\n形式に変換してよろしいですか？"}));
    EXPECT_EQ(s.TimTable[1].ColorNo, "0000");
    EXPECT_EQ(s.TimTable[1].Points, "10");
    EXPECT_EQ(s.DrvTable[1].Result[4], "12");

    ASSERT_TRUE(WriteSeasonFile(s, dir / "converted.krv"));
    Season expected = ReadGolden("current.krv");
    expected.TimTable[1].ColorNo = "0000";
    Season converted;
    ASSERT_EQ(LoadSeasonFile(converted, dir / "converted.krv", dialogue), LoadOk);
    EXPECT_EQ(converted, expected);
    EXPECT_EQ(ReadBytes(dir / "converted.krv").rfind(FormatMark, 0), 0u);
}

TEST(SeasonFile, DeclinedOrUnknownLayoutsLeaveTheSeason) {
    TempDir dir;
    Season s = ReadGolden("current.krv");
    const Season before = s;

    RecordingDialogue decline;
    decline.answers = {false};
    EXPECT_EQ(LoadSeasonFile(s, Golden + "old.krv", decline), LoadDeclined);
    EXPECT_EQ(s, before);

    // Only a mark of our own naming another version is a newer format, not loaded by decision;
    // anything else is no season at all, a failed read told why.
    const std::string newer = "このファイルは、\r\n新バージョン形式のため、\r\n読み込むことができません！\r\n";
    const std::string noSeason = "このファイルは、\r\nKARVEN のシーズンファイルではありません。";
    const std::pair<std::string, std::string> files[] = {
        {"#KARVEN-FORMAT-VER2010R01#\r\nwhatever\r\n", newer},
        {"#KARVEN-FORMAT-\r\n", newer},
        {"#karven-format-ver2002r20#\r\nwhatever\r\n", noSeason},
        {"<sis>\r\n", noSeason},
        {"\r\nwhatever\r\n", noSeason},
        {"", noSeason},
        {"root:x:0:0:root:/root:/bin/bash\n", noSeason},
        {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18), noSeason},
    };
    for (const auto& [bytes, text] : files) {
        WriteBytes(dir / "other.krv", bytes);
        RecordingDialogue dialogue;
        EXPECT_EQ(LoadSeasonFile(s, dir / "other.krv", dialogue), text == newer ? LoadDeclined : LoadFailed) << bytes;
        EXPECT_EQ(dialogue.texts, std::vector<std::string>{text}) << bytes;
        EXPECT_EQ(s, before);
    }
}

TEST(SeasonFile, BadFilesFailAndLeaveTheSeason) {
    TempDir dir;
    const std::string good = ReadBytes(Golden + "current.krv");
    auto replace = [&](const std::string& from, const std::string& to) {
        std::string bytes = good;
        bytes.replace(bytes.find(from), from.size(), to);
        return bytes;
    };
    std::mt19937 noise(7);
    std::string garbage(3 * 1024 * 1024, '\0');
    for (char& c : garbage) c = char(noise());

    std::vector<std::pair<std::string, std::string>> cases = {
        {"empty", ""},
        {"after the settings", good.substr(0, good.find("<GP>"))},
        {"after the drivers", good.substr(0, good.find("<TIM>"))},
        {"inside the last team", good.substr(0, good.size() - 6)},
        {"invalid bytes", replace("<DRV>", "<DRV>\xFF\xFE")},
        {"NUL byte", replace("<GP>", std::string("<G\0P>", 5))},
        {"18 Grands Prix", replace("3,20,2,1", "18,20,2,1")},
        {"negative Grands Prix", replace("3,20,2,1", "-1,20,2,1")},
        {"EndGp beyond GpCount", replace("3,20,2,1", "3,20,2,4")},
        {"negative EndGp", replace("3,20,2,1", "3,20,2,-1")},
        {"1000 drivers", replace("<DRV>\r\n3", "<DRV>\r\n1000")},
        {"negative drivers", replace("<DRV>\r\n3", "<DRV>\r\n-2")},
        {"17 teams", replace("<TIM>\r\n2", "<TIM>\r\n17")},
        {"more teams than lines", replace("<TIM>\r\n2", "<TIM>\r\n3")},
        {"garbage", garbage},
        {"garbage after the mark", std::string(FormatMark) + "\r\n" + garbage},
        // Every value after a lost or extra comma would be shifted; the next section mark is not where it belongs.
        {"driver line missing a comma", replace("\r\n02,01,", "\r\n02,01")},
        {"driver line with an extra comma", replace("\r\n03,,", "\r\n03,,,")},
        {"Grand Prix line missing a comma", replace(",4\r\n02,", "4\r\n02,")},
        {"Grand Prix line with an extra comma", replace(",5\r\n<DRV>", ",5,\r\n<DRV>")},
        {"settings one short", replace("3,20,2,1", "3,20,2")},
        {"no empty line", replace("#\r\n\r\n<SIS>", "#\r\n<SIS>")},
        {"text on the empty line", replace("#\r\n\r\n<SIS>", "#\r\nx\r\n<SIS>")},
        {"<SIS> misspelt", replace("<SIS>", "<SYS>")},
        {"<GP> in small letters", replace("<GP>", "<gp>")},
        {"<DRV> missing", replace("<DRV>\r\n", "")},
        {"<TIM> misspelt", replace("<TIM>", "<TEAM>")},
        // Nothing follows the teams to show a shift: each of their lines holds exactly its values.
        {"team line with a value too many", replace("02,New,0000,5,5,1,0", "02,New,0000,5,5,1,0,9")},
        {"team line with a value too few", replace(",0007,1,2,5,10", ",0007,1,2,5")},
        {"last team line ending in a comma", replace(",5,5,1,0\r\n", ",5,5,1,0,\r\n")},
        {"empty line among the teams", replace("10\r\n02,New", "10\r\n\r\n02,New")},
        {"team count with a second value", replace("<TIM>\r\n2", "<TIM>\r\n2,0")},
        {"<TIM> with a second value", replace("<TIM>\r\n", "<TIM>,\r\n")},
        {"invalid bytes in the last team", replace("New,0000", "N\xFF,0000")},
        // A race that would never end.
        {"endless race", replace("3,20,2,1", "3,2147483647,2,1")},
        {"101 laps", replace("3,20,2,1", "3,101,2,1")},
    };
    for (const auto& [name, bytes] : cases) {
        WriteBytes(dir / "bad.krv", bytes);
        Season s = ReadGolden("current.krv");
        const Season before = s;
        RecordingDialogue dialogue;
        EXPECT_EQ(LoadSeasonFile(s, dir / "bad.krv", dialogue), LoadFailed) << name;
        EXPECT_EQ(s, before) << name;
        EXPECT_FALSE(ReadSeasonFile(s, dir / "bad.krv")) << name;
        EXPECT_EQ(s, before) << name;
    }

    const std::string old = ReadBytes(Golden + "old.krv");
    auto replaceOld = [&](const std::string& from, const std::string& to) {
        std::string bytes = old;
        bytes.replace(bytes.find(from), from.size(), to);
        return bytes;
    };
    const std::string currentTeams = good.substr(good.find("<TIM>"));
    for (const std::string& bytes : {replaceOld("\r\n02,01,", "\r\n02,01"), replaceOld("<GP>", "<G P>"),
                                     replaceOld("<TIM>", "<DRV>"), replaceOld("3,20,2,1", "3,500,2,1"),
                                     old.substr(0, old.find("<TIM>")) + currentTeams}) { // teams of seven values
        WriteBytes(dir / "bad.krv", bytes);
        Season s = ReadGolden("current.krv");
        const Season before = s;
        RecordingDialogue dialogue;
        EXPECT_EQ(LoadSeasonFile(s, dir / "bad.krv", dialogue), LoadFailed);
        EXPECT_FALSE(ReadOldSeasonFile(s, dir / "bad.krv"));
        EXPECT_EQ(s, before);
    }
    Season s;
    RecordingDialogue dialogue;
    EXPECT_EQ(LoadSeasonFile(s, dir / "missing.krv", dialogue), LoadFailed);
    EXPECT_TRUE(dialogue.texts.empty());
}

// What follows the last team line is the history: the season before it never depends on it. What
// of it cannot be read, a section of ours or another program's bytes, is kept and written back
// unchanged, and the player is told once.
TEST(SeasonFile, BytesAfterTheLastTeamNeverCostTheSeason) {
    TempDir dir;
    const std::string good = ReadBytes(Golden + "current.krv");
    const Season expected = ReadGolden("current.krv");
    EXPECT_TRUE(expected.history.Empty());
    const std::string tail = "#KARVEN-HISTORY-1\r\n\xFF\xFE\x81,\"\r\n<TIM>\r\n9\r\n\x81";
    WriteBytes(dir / "tail.krv", good + tail);
    Season s;
    ReadNotes notes;
    ASSERT_TRUE(ReadSeasonFile(s, dir / "tail.krv", &notes));
    EXPECT_FALSE(notes.lineBreaksReplaced);
    EXPECT_TRUE(notes.historyUnreadable);
    EXPECT_EQ(notes.historyAt, good.size());
    EXPECT_EQ(s.history.kept, tail);
    s.history = {};
    EXPECT_EQ(s, expected);
    RecordingDialogue dialogue;
    Season loaded;
    ASSERT_EQ(LoadSeasonFile(loaded, dir / "tail.krv", dialogue), LoadOk);
    EXPECT_EQ(dialogue.texts, std::vector<std::string>{"このファイルのシーズンデータの後にある記録の一部を、読み込めませんでした。\r\n"
                                                       "読み込めなかった部分は、そのまま残して保存します。\r\n"
                                                       "シーズンデータは読み込まれました。"});
    ASSERT_TRUE(WriteSeasonFile(loaded, dir / "saved.krv"));
    EXPECT_EQ(ReadBytes(dir / "saved.krv"), good + tail) << "written back unchanged";

    // Another program's bytes: kept as they came, written back after the last team, and told.
    Season messy;
    ASSERT_TRUE(ReadSeasonFile(messy, Golden + "messy.krv", &notes));
    EXPECT_TRUE(notes.historyUnreadable);
    const std::string messyBytes = ReadBytes(Golden + "messy.krv");
    EXPECT_EQ(messy.history.kept, messyBytes.substr(notes.historyAt));
    ASSERT_TRUE(WriteSeasonFile(messy, dir / "messy.krv"));
    EXPECT_TRUE(ReadBytes(dir / "messy.krv").ends_with(messy.history.kept));

    // A last team line that ends the file without a line end leaves nothing after it.
    WriteBytes(dir / "cut.krv", good.substr(0, good.size() - 2));
    ASSERT_TRUE(ReadSeasonFile(s, dir / "cut.krv"));
    EXPECT_EQ(s, expected);

    Season old;
    WriteBytes(dir / "old.krv", ReadBytes(Golden + "old.krv") + "\x81");
    ASSERT_TRUE(ReadOldSeasonFile(old, dir / "old.krv"));
    EXPECT_EQ(old.history.kept, "\x81");
}

// The format cannot carry a line break in a value, so one read in quotes becomes a space and the
// season saves again; the player hears of it once.
TEST(SeasonFile, LineBreaksInQuotedValuesBecomeSpaces) {
    TempDir dir;
    std::string bytes = ReadBytes(Golden + "current.krv");
    auto replace = [&](const std::string& from, const std::string& to) {
        ASSERT_NE(bytes.find(from), std::string::npos) << from;
        bytes.replace(bytes.find(from), from.size(), to);
    };
    std::string suzuka, japan, hayami;
    ASSERT_TRUE(EncodeCp932("鈴鹿", suzuka) && EncodeCp932("日本", japan) && EncodeCp932("速水", hayami));
    replace("\"" + suzuka + "," + japan + "\"", "\"" + suzuka + "\r\n" + japan + ",\n\"");
    replace("01,01," + hayami, "01,01,\"" + hayami + "\r\r\n\"");
    replace(",5,5,1,0\r\n", ",5,5,1,\"0\r\n\r\n"); // a quote left open to the end of the file
    WriteBytes(dir / "breaks.krv", bytes);

    Season s;
    ReadNotes notes;
    ASSERT_TRUE(ReadSeasonFile(s, dir / "breaks.krv", &notes));
    EXPECT_TRUE(notes.lineBreaksReplaced);
    EXPECT_EQ(s.GpTable[2].GpNm, "鈴鹿 日本,");
    EXPECT_EQ(s.DrvTable[1].DrvNm, "速水");
    EXPECT_EQ(s.TimTable[2].Points, "0");
    EXPECT_TRUE(s.history.Empty());

    RecordingDialogue dialogue;
    Season loaded;
    ASSERT_EQ(LoadSeasonFile(loaded, dir / "breaks.krv", dialogue), LoadOk);
    EXPECT_EQ(dialogue.texts,
              std::vector<std::string>{"このファイルの値に含まれていた改行を、\r\n空白に置き換えて読み込みました。"});
    EXPECT_EQ(loaded, s);
    ASSERT_TRUE(WriteSeasonFile(loaded, dir / "saved.krv"));
    Season back;
    ASSERT_TRUE(ReadSeasonFile(back, dir / "saved.krv", &notes));
    EXPECT_FALSE(notes.lineBreaksReplaced);
    EXPECT_EQ(back, loaded);
}

// A pipe would wait for a writer for ever, a folder has no contents to read.
TEST(SeasonFile, OnlyAPlainFileIsRead) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe.krv").c_str(), 0600), 0);
    std::filesystem::create_directory(dir / "folder.krv");
    for (const char* name : {"pipe.krv", "folder.krv"}) {
        Season s;
        RecordingDialogue dialogue;
        EXPECT_EQ(LoadSeasonFile(s, dir / name, dialogue), LoadFailed) << name;
        EXPECT_FALSE(ReadSeasonFile(s, dir / name)) << name;
    }
}

TEST(SeasonFile, LapCountsUpToAHundredLoad) {
    TempDir dir;
    const std::string good = ReadBytes(Golden + "current.krv");
    for (const char* laps : {"5", "10", "20", "40", "7", "15", "100", "0", "-3", "2.5", "abc", ""}) {
        std::string bytes = good;
        bytes.replace(bytes.find("3,20,2,1"), 8, std::string("3,") + laps + ",2,1");
        WriteBytes(dir / "laps.krv", bytes);
        Season s;
        ASSERT_TRUE(ReadSeasonFile(s, dir / "laps.krv")) << laps;
        EXPECT_EQ(s.Sis.SyuCount, laps);
    }
}

// Results and seats are booked by number: a shared number would lose one driver's results.
TEST(SeasonFile, NumbersReadBackAsPositions) {
    TempDir dir;
    Season s = ReadGolden("current.krv");
    s.DrvTable[2].DrvNo = "01";
    s.DrvTable[3].DrvNo = "x";
    s.TimTable[2].TimNo = "01";
    s.DrvTable[1].TimNo = " 2"; // team 2, written another way
    ASSERT_TRUE(WriteSeasonFile(s, dir / "out.krv"));
    EXPECT_NE(ReadBytes(dir / "out.krv").find("\r\n02,New,0000,"), std::string::npos);
    Season back;
    ASSERT_TRUE(ReadSeasonFile(back, dir / "out.krv"));
    Season expected = ReadGolden("current.krv");
    expected.DrvTable[1].TimNo = "02";
    EXPECT_EQ(back, expected);
}

TEST(SeasonFile, ValuesTheFormatCannotCarryFailTheSaveAndKeepThePreviousFile) {
    TempDir dir;
    const std::string target = dir / "season.krv";
    Season s = ReadGolden("current.krv");
    ASSERT_TRUE(WriteSeasonFile(s, target));
    const std::string before = ReadBytes(target);

    for (const char* name : {"改\r\n行", "\"引用", "a,\"b\"", "🏎️ドライバー"}) {
        Season bad = s;
        bad.DrvTable[2].DrvNm = name;
        EXPECT_FALSE(WriteSeasonFile(bad, target)) << name;
        EXPECT_EQ(ReadBytes(target), before) << name;
    }
    Season inconsistent = s;
    inconsistent.DrvCount = "4"; // a count that does not match its table would not read back
    EXPECT_FALSE(WriteSeasonFile(inconsistent, target));
    EXPECT_EQ(ReadBytes(target), before);
    EXPECT_EQ(FilesIn(dir), 1u);

    EXPECT_FALSE(WriteSeasonFile(s, dir / "no/such/folder/season.krv"));
    EXPECT_FALSE(WriteSeasonFile(s, dir.path().string()));
}

TEST(SeasonFile, CommasAndTwinCharactersReadBackAsTheirCodePageForms) {
    TempDir dir;
    Season s = ReadGolden("current.krv");
    s.DrvTable[3].DrvNm = "波〜平‖−¢£¬—¥‾";
    s.TimTable[2].TimNm = "赤,白・V10";
    ASSERT_TRUE(WriteSeasonFile(s, dir / "twins.krv"));
    Season back;
    ASSERT_TRUE(ReadSeasonFile(back, dir / "twins.krv"));
    EXPECT_EQ(back.DrvTable[3].DrvNm, "波～平∥－￠￡￢―￥￣");
    EXPECT_EQ(back.TimTable[2].TimNm, "赤,白・V10");
    EXPECT_TRUE(CanEncodeCp932("波〜平"));
    EXPECT_FALSE(CanEncodeCp932("한국"));
    EXPECT_FALSE(CanEncodeCp932(std::string("N\0L", 3))); // the reader refuses a NUL
}

TEST(DefaultSeason, IsACompleteSeasonToStartWith) {
    Season s;
    RecordingDialogue dialogue;
    ASSERT_TRUE(LoadInitialData(s, KARVEN_BIN_DIR, dialogue));
    EXPECT_TRUE(dialogue.texts.empty());
    EXPECT_EQ(s.Sis.GpCount, "16");
    EXPECT_EQ(s.Sis.SyuCount, "20");
    EXPECT_EQ(s.Sis.NinCount, "26");
    EXPECT_EQ(s.Sis.EndGp, "0");
    std::set<std::string> courseTypes;
    for (size_t i = 1; i < s.GpTable.size(); ++i) courseTypes.insert(s.GpTable[i].CourseType);
    EXPECT_EQ(courseTypes, (std::set<std::string>{"1", "2", "3", "4", "5"}));

    ASSERT_EQ(s.TimCount, "16");
    std::set<std::string> colours;
    for (size_t t = 1; t < s.TimTable.size(); ++t) {
        colours.insert(s.TimTable[t].ColorNo);
        EXPECT_NE(s.TimTable[t].TimNm.find("・"), std::string::npos);
    }
    EXPECT_EQ(colours.size(), 16u);

    ASSERT_EQ(s.DrvCount, "40");
    std::map<std::string, int> seats;
    int free = 0;
    for (size_t d = 1; d < s.DrvTable.size(); ++d) {
        const DrvRecord& r = s.DrvTable[d];
        r.TimNo.empty() ? ++free : ++seats[r.TimNo];
        EXPECT_EQ(r.CareerGp + r.CareerWins + r.CareerBest + r.CareerPoints, "0000");
        for (int k = 1; k <= ResultSlots; ++k) EXPECT_EQ(r.Result[k], "");
    }
    EXPECT_EQ(free, 8);
    EXPECT_EQ(seats.size(), 16u);
    for (const auto& [team, count] : seats) EXPECT_EQ(count, 2) << team;
}
