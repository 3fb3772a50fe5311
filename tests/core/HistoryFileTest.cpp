// The history after the last team line: written compactly, read back exactly, and never lost when
// it cannot be read.
#include <gtest/gtest.h>

#include "season/Cp932.h"
#include "season/HistoryFile.h"

using namespace karven;

namespace {

ClassifiedCar Car(int place, const char* driver, const char* team, double points, bool retired = false) {
    return {place, driver, team, points, retired};
}

History Sample() {
    History h;
    ArchivedSeason& s = h.seasons.emplace_back();
    s.number = 1;
    s.name = "2026年, 春"; // a comma: written quoted
    s.complete = s.crowned = true;
    NameRef makabe = s.Ref("真壁 蒼"), mido = s.Ref("御堂 隼人"), rookie = s.Ref("新人");
    NameRef blue = s.Ref("ブルーホーク・ミラージュ"), silver = s.Ref("シルバーレイ");
    s.champion = makabe;
    s.championTeam = blue;
    s.gps.push_back({"オーストラリア", "3", true, makabe, mido,
                     {{1, makabe, blue, 10, false}, {2, mido, silver, 8, false}, {3, 0, 0, 6.5, true}}});
    s.gps.push_back({"日本", "5", false, 0, 0, {}});
    s.teams = {{blue, "0012", makabe, 0}, {silver, "0003", mido, rookie}};
    s.drivers = {{1, makabe, blue, 10, 1}, {2, mido, silver, 8, 0}};
    s.constructors = {{1, blue, 10, 1}, {2, silver, 8, 0}};
    s.moves = {{mido, silver, blue}, {rookie, silver, 0}};
    ArchivedSeason& abandoned = h.seasons.emplace_back();
    abandoned.number = 2;
    NameRef alone = abandoned.Ref("新人");
    abandoned.gps.push_back({"モナコ", "1", true, 0, 0, {{1, alone, 0, 10, false}}});
    h.races.push_back({1, "御堂 隼人", "", {Car(1, "御堂 隼人", "ブルーホーク・ミラージュ", 10), Car(2, "真壁 蒼", "x", 8, true)}});
    return h;
}

std::string Bytes(const History& h) {
    std::string text, bytes;
    EXPECT_TRUE(ComposeHistory(h, text));
    EXPECT_TRUE(EncodeCp932(text, bytes));
    return bytes + h.kept;
}

} // namespace

TEST(HistoryFile, ReadsBackExactlyAndWritesTheSameBytesAgain) {
    const History h = Sample();
    const std::string bytes = Bytes(h);
    History back;
    ASSERT_TRUE(ReadHistory(bytes, back));
    EXPECT_EQ(back, h);
    EXPECT_EQ(Bytes(back), bytes);
    EXPECT_EQ(bytes.rfind(std::string(HistoryMark) + ",", 0), 0u);
    EXPECT_NE(bytes.find(std::string("\r\n") + RacesMark + ",1\r\n"), std::string::npos);

    History empty;
    ASSERT_TRUE(ReadHistory("", empty));
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(Bytes(empty), "");
}

TEST(HistoryFile, WhatCannotBeReadIsKeptAndWrittenBackUnchanged) {
    const std::string good = Bytes(Sample());
    const size_t races = good.find(RacesMark);
    struct Case {
        const char* name;
        std::string bytes;
        bool told;
        size_t seasons;
    };
    std::string damaged = good;
    damaged.replace(damaged.find("G,"), 2, "G,x,"); // a value shifted inside the first section
    const Case cases[] = {
        {"cut inside the first section", good.substr(0, 60), true, 0},
        {"cut inside the races", good.substr(0, good.size() - 5), true, 2},
        {"a newer version", std::string("#KARVEN-HISTORY-9#,1\r\nS,1\r\n") + good, true, 2},
        {"garbage after the mark", std::string(HistoryMark) + ",2\r\n\xFF\xFE\r\nzz\r\n" + good.substr(races), true, 0},
        {"a damaged section", damaged, true, 0},
        {"another program's bytes after ours", good + "\x1A", true, 2},
        {"another program's bytes before ours", "notes of another program\r\n" + good, true, 2},
    };
    for (const Case& c : cases) {
        History read;
        EXPECT_EQ(ReadHistory(c.bytes, read), !c.told) << c.name;
        EXPECT_EQ(read.seasons.size(), c.seasons) << c.name;
        EXPECT_FALSE(read.kept.empty()) << c.name;
        // Saved again: every byte of what was read is still there, and reads the same.
        const std::string again = Bytes(read);
        History reread;
        ReadHistory(again, reread);
        EXPECT_EQ(reread, read) << c.name;
        EXPECT_NE(again.find(read.kept), std::string::npos) << c.name;
        EXPECT_EQ(again.size(), c.bytes.size()) << c.name << ": nothing lost, nothing added";
    }
}

// Blank lines are nothing to tell of, but they are not dropped either.
TEST(HistoryFile, BlankLinesAreKeptWithoutAWord) {
    const std::string good = Bytes(Sample());
    History read;
    EXPECT_TRUE(ReadHistory("\r\n  \r\n" + good + "\r\n", read));
    EXPECT_EQ(read.seasons, Sample().seasons);
    EXPECT_EQ(read.races, Sample().races);
    EXPECT_EQ(read.kept, "\r\n  \r\n\r\n");
}

TEST(HistoryFile, NamesTheFileCannotCarryAreRefused) {
    History h = Sample();
    h.seasons[0].name = "改行\r\nあり";
    std::string text;
    EXPECT_FALSE(ComposeHistory(h, text));
    h.seasons[0].name = "\"引用,符\"";
    EXPECT_FALSE(ComposeHistory(h, text));
}
