// A bad file is refused as a whole, with a message naming the file, the line, the column and what
// is wrong; the season stays exactly as it was.
#include <gtest/gtest.h>

#include "exchange/SeasonCsv.h"
#include "season/Cp932.h"
#include "season/SeasonFile.h"
#include "support/LoadSeason.h"

using namespace karven;

namespace {

const Season& Default() {
    static const Season season = [] {
        Season s = test::DefaultSeason();
        s.Sis.EndGp = "5";
        return s;
    }();
    return season;
}

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string Repeat(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += line + "\r\n";
    return text;
}

const std::string TeamsHeader = "TimNm,ColorNo,Speed,Aero,Stability\r\n";
const std::string DriversHeader = "DrvNm,TimNm,Technique,Roughness,Block,Stability\r\n";
const std::string CalendarHeader = "GpNm,CourseType\r\n";

struct Case {
    const char* what;
    SeasonCsvFiles files;
    ImportRefusal expected; // `what` holds a piece of the message
};

std::vector<Case> Cases() {
    const std::string team = "ブルーホーク・カイザー";
    return {
        {"a grade letter off the scale", {std::nullopt, DriversHeader + Lines({"A,,S,A,A,A", "B,,S,F,A,A"}), std::nullopt},
         {DriversCsv, 3, "Roughness", "「F」は、A～E の評価ではありません！"}},
        {"technique's S where a team grade is", {TeamsHeader + Lines({"T,0001,S,A,A"}), std::nullopt, std::nullopt},
         {TeamsCsv, 2, "Speed", "A～E"}},
        {"a grade left empty", {std::nullopt, DriversHeader + Lines({"A,,,A,A,A"}), std::nullopt},
         {DriversCsv, 2, "Technique", "入っていません"}},
        {"a team no team has", {std::nullopt, DriversHeader + Lines({"A," + team + ",S,A,A,A", "B,ノーチーム,S,A,A,A"}), std::nullopt},
         {DriversCsv, 3, "TimNm", "「ノーチーム」という\r\nチームはありません！"}},
        {"a third driver in a team", {std::nullopt, DriversHeader + Repeat("X," + team + ",S,A,A,A", 3), std::nullopt},
         {DriversCsv, 4, "TimNm", "2 人までです！"}},
        {"more than 16 teams", {TeamsHeader + Repeat("T,0001,A,A,A", 17), std::nullopt, std::nullopt},
         {TeamsCsv, 18, "", "最大 16 チームです！"}},
        {"more than 999 drivers", {std::nullopt, DriversHeader + Repeat("D,,E,E,E,E", 1000), std::nullopt},
         {DriversCsv, 1001, "", "最大 999 人です！"}},
        {"more than 17 Grands Prix", {std::nullopt, std::nullopt, CalendarHeader + Repeat("G,普通", 18)},
         {CalendarCsv, 19, "", "最大 17 GPです！"}},
        {"a name the season file cannot hold", {std::nullopt, DriversHeader + Lines({"Ｋｉｍｉ 😀,,S,A,A,A"}), std::nullopt},
         {DriversCsv, 2, "DrvNm", "「😀」（U+1F600）は、\r\nシーズンファイルに保存できない文字です！"}},
        {"a missing column", {TeamsHeader.substr(0, TeamsHeader.find(",Stability")) + "\r\n", std::nullopt, std::nullopt},
         {TeamsCsv, 1, "Stability", "この列がありません！"}},
        {"a column twice", {std::nullopt, std::nullopt, "GpNm,CourseType,gpnm\r\n"},
         {CalendarCsv, 1, "GpNm", "この列が 2 つあります！"}},
        {"a line with too many values", {std::nullopt, std::nullopt, CalendarHeader + Lines({"A,普通", "B,普通,余り"})},
         {CalendarCsv, 3, "", "値が 3 個あります。\r\n見出しは 2 列です！"}},
        {"a line with too few values", {std::nullopt, std::nullopt, CalendarHeader + Lines({"A"})},
         {CalendarCsv, 2, "", "値が 1 個しかありません。"}},
        {"a course type the calendar editor does not show", {std::nullopt, std::nullopt, CalendarHeader + Lines({"A,3"}) + Repeat("G,普通", 5)},
         {CalendarCsv, 2, "CourseType", "「3」は、コース\r\n（超速・速・普通・難・超難）ではありません！"}},
        {"a colour that is no number", {TeamsHeader + Lines({"T,12345,A,A,A"}), std::nullopt, std::nullopt},
         {TeamsCsv, 2, "ColorNo", "マシンカラーの番号"}},
        {"a calendar shorter than the Grands Prix run and the next", {std::nullopt, std::nullopt, CalendarHeader + Repeat("G,普通", 5)},
         {CalendarCsv, 0, "", "終了したＧＰが 5 戦あるため、\r\n日程は最低 6 戦必要です！"}},
        {"no drivers at all", {std::nullopt, DriversHeader, std::nullopt}, {DriversCsv, 0, "", "ドライバーが 1 人もいません！"}},
        {"an empty file", {std::nullopt, std::nullopt, ""}, {CalendarCsv, 0, "", "見出しの行がありません！"}},
        {"a quote that never closes", {std::nullopt, DriversHeader + Lines({"A,,S,A,A,A", "\"B,,S,A,A,A"}), std::nullopt},
         {DriversCsv, 3, "", "閉じていません"}},
        {"bytes that are no text", {std::nullopt, std::string("DrvNm\0", 6), std::nullopt}, {DriversCsv, 0, "", "テキスト"}},
        {"a GP name longer than the calendar editor holds", {std::nullopt, std::nullopt, CalendarHeader + Lines({std::string(101, 'G') + ",普通"}) + Repeat("G,普通", 5)},
         {CalendarCsv, 2, "GpNm", "100 文字までです！"}},
        // Teams are checked first: the first fault in file order is the one told.
        {"the first fault of all", {TeamsHeader + Lines({"T,0001,A,A,G"}), DriversHeader + Lines({"A,,Z,A,A,A"}), std::nullopt},
         {TeamsCsv, 2, "Stability", "「G」"}},
    };
}

} // namespace

TEST(ImportRefusal, EachFaultIsToldWhereItIsAndTheSeasonStaysAsItWas) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        Season s = Default();
        ImportRefusal refusal;
        ASSERT_FALSE(ImportSeasonCsv(s, c.files, refusal));
        EXPECT_EQ(refusal.file, c.expected.file);
        EXPECT_EQ(refusal.line, c.expected.line);
        EXPECT_EQ(refusal.column, c.expected.column);
        EXPECT_NE(refusal.what.find(c.expected.what), std::string::npos) << refusal.what;
        EXPECT_TRUE(s == Default());
    }
}

TEST(ImportRefusal, TheMessageNamesFileLineAndColumn) {
    EXPECT_EQ(RefusalText({"drivers.csv", 12, "Technique", "「F」は、S～E の評価ではありません！"}),
              "drivers.csv の 12 行目、\r\nTechnique 列：\r\n「F」は、S～E の評価ではありません！");
    EXPECT_EQ(RefusalText({"teams.csv", 3, "", "値が 6 個あります。"}), "teams.csv の 3 行目：\r\n値が 6 個あります。");
    EXPECT_EQ(RefusalText({"calendar.csv", 0, "", "x"}), "calendar.csv：\r\nx");
}

TEST(ImportRefusal, CodePage932FilesAndFilesWithoutTheMarkReadAlike) {
    std::string text = "DrvNm,TimNm,Technique,Roughness,Block,Stability\r\n" + std::string("速水～翔,,S,A,B,C\r\n");
    std::string sjis;
    ASSERT_TRUE(EncodeCp932(text, sjis));
    Season fromSjis = Default(), fromUtf8 = Default(), fromMarked = Default();
    ImportRefusal refusal;
    ASSERT_TRUE(ImportSeasonCsv(fromSjis, {std::nullopt, sjis, std::nullopt}, refusal)) << RefusalText(refusal);
    ASSERT_TRUE(ImportSeasonCsv(fromUtf8, {std::nullopt, text, std::nullopt}, refusal));
    ASSERT_TRUE(ImportSeasonCsv(fromMarked, {std::nullopt, "\xEF\xBB\xBF" + text, std::nullopt}, refusal));
    EXPECT_TRUE(fromSjis == fromUtf8);
    EXPECT_TRUE(fromMarked == fromUtf8);
    EXPECT_EQ(fromUtf8.DrvTable[1].DrvNm, "速水～翔");
    EXPECT_EQ(fromUtf8.DrvCount, "1");
    // Every seat went with the other drivers: no more qualifiers than seated drivers, and never none.
    EXPECT_EQ(fromUtf8.Sis.NinCount, "1");
}
