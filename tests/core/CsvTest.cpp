// Comma-separated text as spreadsheets write and read it.
#include <gtest/gtest.h>

#include "exchange/Csv.h"
#include "season/Cp932.h"

using namespace karven;

namespace {
std::vector<csv::Record> Parsed(std::string_view text) {
    std::vector<csv::Record> records;
    int line = 0;
    std::string problem;
    EXPECT_TRUE(csv::Parse(text, records, line, problem)) << problem;
    return records;
}

using Values = std::vector<std::string>;
} // namespace

TEST(Csv, QuotesCommasAndLineBreaksInsideValues) {
    auto records = Parsed("a,\"b,c\",\"say \"\"hi\"\"\"\r\n"
                          "\"two\r\nlines\",x\n"
                          "last,\"\"\r"
                          "  \"spaced\" ,end");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].values, (Values{"a", "b,c", "say \"hi\""}));
    EXPECT_EQ(records[1].values, (Values{"two\r\nlines", "x"}));
    // The record after a value running over two lines begins on the line after both.
    EXPECT_EQ(records[1].line, 2);
    EXPECT_EQ(records[2].line, 4);
    EXPECT_EQ(records[2].values, (Values{"last", ""}));
    EXPECT_EQ(records[3].line, 5);
    EXPECT_EQ(records[3].values, (Values{"spaced", "end"}));
}

TEST(Csv, EmptyLinesTrailingCommasAndTheLastLineBreak) {
    EXPECT_TRUE(Parsed("").empty());
    auto records = Parsed("a,b,\r\n\r\nc");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].values, (Values{"a", "b", ""}));
    EXPECT_EQ(records[1].values, (Values{""}));
    EXPECT_EQ(records[2].line, 3);
    EXPECT_EQ(Parsed("a,").front().values, (Values{"a", ""}));
    // A quote inside a value that did not open with one stands as it is.
    EXPECT_EQ(Parsed("5\" wheel,x\n").front().values, (Values{"5\" wheel", "x"}));
}

TEST(Csv, BrokenQuotingNamesItsLine) {
    std::vector<csv::Record> records;
    int line = 0;
    std::string problem;
    EXPECT_FALSE(csv::Parse("a\nb\n\"open,\nstill open", records, line, problem));
    EXPECT_EQ(line, 3);
    EXPECT_NE(problem.find("閉じていません"), std::string::npos);
    EXPECT_FALSE(csv::Parse("a\n\"closed\"x,y\n", records, line, problem));
    EXPECT_EQ(line, 2);
    EXPECT_NE(problem.find("余分な文字"), std::string::npos);
}

TEST(Csv, WrittenValuesReadBackAsThemselves) {
    Values tricky{"plain", "a,b", "\"quoted\"", "line\r\nbreak", " spaced ", "", "紅蓮・雷電", "\"", ","};
    std::string line = csv::Line(tricky);
    EXPECT_TRUE(line.ends_with("\r\n"));
    EXPECT_EQ(csv::Field("plain"), "plain");
    EXPECT_EQ(csv::Field("a,b"), "\"a,b\"");
    auto records = Parsed(line + line);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].values, tricky);
    EXPECT_EQ(records[1].line, 3);
}

TEST(Csv, Utf8WithOrWithoutMarkAndCodePage932) {
    std::string text, problem;
    ASSERT_TRUE(csv::DecodeText("\xEF\xBB\xBF" "速水,A", text, problem));
    EXPECT_EQ(text, "速水,A");
    ASSERT_TRUE(csv::DecodeText("速水,A", text, problem));
    EXPECT_EQ(text, "速水,A");
    std::string sjis;
    ASSERT_TRUE(EncodeCp932("速水　翔,～", sjis));
    ASSERT_TRUE(csv::DecodeText(sjis, text, problem));
    EXPECT_EQ(text, "速水　翔,～");

    EXPECT_FALSE(csv::DecodeText("\xFF\xFE" "a\0b\0", text, problem));
    EXPECT_NE(problem.find("UTF-16"), std::string::npos);
    EXPECT_FALSE(csv::DecodeText("\xEF\xBB\xBF\x83", text, problem)); // a mark promises UTF-8
    EXPECT_FALSE(csv::DecodeText("abc\x81", text, problem)); // neither UTF-8 nor code page 932
    EXPECT_FALSE(csv::DecodeText(std::string("a\0b", 3), text, problem));
}

// A name a spreadsheet would run as a formula goes out behind an apostrophe and comes back without
// it; a plain negative number stays a number, and an apostrophe of the player's own survives.
TEST(Csv, FormulaLikeValuesAreMarkedAsTextAndComeBackAsThemselves) {
    const Values risky{"=cmd|' /C calc'!A0", "+SUM(1+1)", "@SUM(A1)", "-2+3", "-", "\tTAB", "'=already", "''", "'"};
    for (const std::string& v : risky) {
        if (v == "'") continue;
        EXPECT_TRUE(csv::Field(v).starts_with("'") || csv::Field(v).starts_with("\"'")) << v;
    }
    for (const std::string& number : {"-2", "-0.05", "-120.5"}) EXPECT_EQ(csv::Field(number), number);
    EXPECT_EQ(csv::Field("'"), "'");
    EXPECT_EQ(csv::Field("'quoted by the player"), "'quoted by the player");
    Values all = risky;
    all.insert(all.end(), {"-2", "-0.05", "'quoted by the player", "a-b", "x=y"});
    auto records = Parsed(csv::Line(all));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].values, all);
}

// An apostrophe is taken away only where Field would have put one, before what a spreadsheet
// would run: a name that opens with apostrophes of its own, typed in a file or written by the
// game, comes back with every one of them.
TEST(Csv, ApostrophesOfTheNamesOwnAreNeverTakenAway) {
    auto records = Parsed("''abc,'x,''=y,'''=z,'-2\r\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].values, (Values{"''abc", "'x", "'=y", "''=z", "'-2"}));
    const Values names{"''abc", "'''", "'a'", "''=y", "'-2", "''-2+1"};
    EXPECT_EQ(csv::Field("''abc"), "''abc");
    EXPECT_EQ(Parsed(csv::Line(names))[0].values, names);
}
