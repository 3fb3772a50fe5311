#include <gtest/gtest.h>

#include "EditorTestSeason.h"
#include "season/SeasonFile.h"
#include "shell/SeasonText.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;

TEST(SeasonText, ReplacesWhatTheFileCannotCarry) {
    EXPECT_EQ(FileSafeName("モナコ,モンテカルロ"), "モナコ，モンテカルロ");
    EXPECT_EQ(FileSafeName("\"鈴鹿\" 東コース"), "＂鈴鹿＂ 東コース");
    // A line break becomes a space, as when a season is read; other controls go.
    EXPECT_EQ(FileSafeName("スパ\r\nフランコル\tシャン\n"), "スパ フランコルシャン ");
    EXPECT_EQ(FileSafeName("次\u2028行\u0085\r\r"), "次 行   ");
    // WAVE DASH and its kin become the forms the code page holds; what it lacks becomes "？".
    EXPECT_EQ(FileSafeName("春〜夏 −5 ‖"), "春～夏 －5 ∥");
    EXPECT_EQ(FileSafeName("🏎️ラスベガス"), "？？ラスベガス");
    // Tag characters encode to no bytes at all; they must not vanish without a trace.
    EXPECT_EQ(FileSafeName("英\U000E0067\U000E0062国"), "英？？国");
    EXPECT_EQ(FileSafeName("\U000E0001"), "？");
    EXPECT_EQ(FileSafeName("Grand Prix \\ ~ 第１戦・①"), "Grand Prix \\ ~ 第１戦・①");
    EXPECT_EQ(FileSafeName(std::string("a\xFF"
                                       "b")),
              "a？b");
    EXPECT_EQ(FileSafeName(""), "");
}

TEST(SeasonText, TextBoxTidiedAsItIsTyped) {
    Form form("frmTest");
    Control& box = form.Add(ControlKind::TextBox, "txtNm", {});
    KeepFileSafe(box);
    box.text = "A,\"B〜";
    box.onChange();
    EXPECT_EQ(box.text, "A，＂B～");
}

// Names typed with every awkward character save, read back equal, and save again byte for byte.
TEST(SeasonText, EditedCalendarSavesAndReadsBackTheSame) {
    const std::vector<std::string> typed = {
        "モナコ, モンテカルロ", "\"鈴鹿\"",  "スパ\r\nフランコルシャン", "春〜夏",
        "🏁ラスベガス",          "  イモラ  "};
    EditorWorld w(EditorSeason(int(typed.size())));
    Season raw = w.season;
    for (size_t i = 0; i < typed.size(); ++i) raw.GpTable[i + 1].GpNm = typed[i];
    TempDir dir;
    EXPECT_FALSE(WriteSeasonFile(raw, dir / "raw.krv")); // what the editor keeps from the file

    Calendar c(w);
    for (size_t i = 0; i < typed.size(); ++i) {
        c.Pick(int(i));
        c.Rename(typed[i]);
    }
    c.form.Click("cmdOK");
    EXPECT_EQ(w.season.GpTable[1].GpNm, "モナコ， モンテカルロ");
    EXPECT_EQ(w.season.GpTable[2].GpNm, "＂鈴鹿＂");
    EXPECT_EQ(w.season.GpTable[4].GpNm, "春～夏");
    EXPECT_EQ(w.season.GpTable[5].GpNm, "？ラスベガス");
    EXPECT_EQ(w.season.GpTable[6].GpNm, "イモラ");

    ASSERT_TRUE(WriteSeasonFile(w.season, dir / "a.krv"));
    Season back;
    ASSERT_TRUE(ReadSeasonFile(back, dir / "a.krv"));
    EXPECT_EQ(back, w.season);
    ASSERT_TRUE(WriteSeasonFile(back, dir / "b.krv"));
    EXPECT_EQ(ReadBytes(dir / "a.krv"), ReadBytes(dir / "b.krv"));
}
