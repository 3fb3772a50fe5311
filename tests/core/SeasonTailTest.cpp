// What follows the last team of a season file, damaged as files get damaged: whatever is not
// understood is kept byte for byte and written back, the sections after it are still read, the
// player is told, and the season never pays for it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "history/Archive.h"
#include "race/RaceState.h"
#include "race/SilentWeekend.h"
#include "season/HistoryFile.h"
#include "season/LapsFile.h"
#include "season/SeasonFile.h"
#include "shell/Random.h"
#include "support/LoadSeason.h"
#include "support/Reopen.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;

namespace {

struct Told : LoadDialogue {
    std::vector<std::string> notices;
    void Notice(const std::string& text) override { notices.push_back(text); }
    bool Confirm(const std::string&) override { return true; }
};

// Three closed seasons, then two races of the fourth: every kind of section we write.
const Season& Career() {
    static const Season season = [] {
        Season s = DefaultSeason();
        GameRandom random(28);
        for (int closed = 0; closed < 3; ++closed) {
            for (int g = 0; g < 2; ++g) PlayGrandPrix(s, random, {});
            ArchiveSeason(s, SeasonSoFar(s));
            s.Sis.EndGp = "0";
        }
        for (int g = 0; g < 2; ++g) PlayGrandPrix(s, random, {});
        return s;
    }();
    return season;
}

// The file made that long, the rest of it zeros the disk need not hold.
bool Lengthen(const std::string& path, uint64_t size) {
    int fd = ::open(path.c_str(), O_WRONLY);
    bool done = fd >= 0 && ::ftruncate(fd, off_t(size)) == 0;
    if (fd >= 0) ::close(fd);
    return done;
}

std::string SavedBytes(const Season& s) {
    TempDir dir;
    EXPECT_TRUE(WriteSeasonFile(s, dir / "s.krv"));
    return ReadBytes(dir / "s.krv");
}

using Opened = Reopened;
Opened Open(const std::string& bytes) { return Reopen(bytes); }

// Every property a damaged tail must keep: the season whole, the player told once, every byte
// back on a save, and a second round changing nothing.
void ExpectKeptAndTold(const std::string& damaged, const Opened& o, const std::string& name) {
    SCOPED_TRACE(name);
    Season rules = o.season;
    rules.history = {};
    Season expected = Career();
    expected.history = {};
    EXPECT_EQ(rules, expected) << "the season never pays";
    EXPECT_TRUE(o.notes.historyUnreadable);
    EXPECT_FALSE(o.season.history.kept.empty());
    EXPECT_EQ(o.notices.size(), 1u) << "told once";
    EXPECT_EQ(o.resaved.size(), damaged.size()) << "nothing lost, nothing added";
    EXPECT_EQ(o.resaved.substr(0, o.notes.historyAt), damaged.substr(0, o.notes.historyAt));
    EXPECT_TRUE(o.resaved.ends_with(o.season.history.kept));
    const Opened again = Open(o.resaved);
    EXPECT_EQ(again.season, o.season) << "a second round reads the same";
    EXPECT_EQ(again.resaved, o.resaved) << "and writes the same bytes";
}

} // namespace

TEST(SeasonTail, ACareerFileReadsBackWholeAndSilently) {
    const std::string good = SavedBytes(Career());
    ASSERT_NE(good.find(HistoryMark), std::string::npos);
    ASSERT_NE(good.find(RacesMark), std::string::npos);
    ASSERT_NE(good.find(LapsMark), std::string::npos);
    const Opened o = Open(good);
    EXPECT_EQ(o.season, Career());
    EXPECT_TRUE(o.notices.empty());
    EXPECT_EQ(o.resaved, good);
}

// One byte before a mark, or a mark itself misspelt, costs only the section it opens.
TEST(SeasonTail, BytesBeforeAMarkCostOnlyTheSectionTheyTouch) {
    const std::string good = SavedBytes(Career());
    const size_t history = good.find(HistoryMark), races = good.find(RacesMark);
    struct Case {
        const char* name;
        size_t at;          // where the damage goes
        std::string insert; // bytes put there
        size_t erase;       // bytes taken away there
    };
    const Case cases[] = {
        {"x before the history", history, "x", 0},
        {"x before the races", races, "x", 0},
        {"the mark's # changed", history, "$", 1},
        {"a NUL for the mark's #", history, std::string(1, '\0'), 1},
        {"the mark in lower case", history, "#karven-history-1#", 18},
        {"a UTF-8 byte order mark", history, "\xEF\xBB\xBF", 0},
        {"a line of garbage", history, "garbage\r\n", 0},
        {"a line of control bytes", history, std::string("\x00\x01\xff\r\n", 5), 0},
    };
    for (const Case& c : cases) {
        std::string damaged = good;
        damaged.replace(c.at, c.erase, c.insert);
        const Opened o = Open(damaged);
        ExpectKeptAndTold(damaged, o, c.name);
        const History& h = o.season.history;
        const bool historyHit = c.at == history && c.insert != "garbage\r\n" && c.insert.size() != 5;
        EXPECT_EQ(h.seasons.empty(), historyHit) << c.name;
        EXPECT_EQ(h.races.empty(), c.at == races) << c.name;
        EXPECT_EQ(h.laps, Career().history.laps) << c.name << ": the sections after it are still read";
        if (!historyHit) {
            EXPECT_EQ(h.seasons, Career().history.seasons) << c.name;
        }
    }
}

// A number in any form but the one written would change the records' totals on the next save.
TEST(SeasonTail, NumbersInAnotherFormKeepTheirSection) {
    const std::string good = SavedBytes(Career());
    auto nthPoints = [&](const char* lineStart, size_t from) {
        // The points of the line's first car: the line's fourth value after its head values.
        size_t line = good.find(lineStart, from);
        EXPECT_NE(line, std::string::npos);
        return line;
    };
    struct Case {
        const char* name;
        const char* line; // the line whose value is damaged
        int value;        // which value of the line (0 is its kind)
        bool inRaces;
    };
    const Case cases[] = {
        {"points of a past Grand Prix", "\r\nG,", 9, false},
        {"points of a past standings", "\r\nD,", 4, false},
        {"points of this season's race", "\r\nR,", 7, true},
    };
    for (const Case& c : cases) {
        for (const std::string& form : {std::string("1e3"), std::string("-"), std::string(400, '9'), std::string("07"),
                                        std::string(" 8"), std::string("+8"), std::string("8.0")}) {
            std::string damaged = good;
            size_t at = nthPoints(c.line, good.find(c.inRaces ? RacesMark : HistoryMark)) + 2;
            for (int v = 0; v < c.value; ++v) at = damaged.find(',', at) + 1;
            size_t end = damaged.find_first_of(",\r", at);
            damaged.replace(at, end - at, form);
            const Opened o = Open(damaged);
            ExpectKeptAndTold(damaged, o, std::string(c.name) + " as " + form.substr(0, 8));
            EXPECT_EQ(o.season.history.seasons.empty(), !c.inRaces);
            EXPECT_EQ(o.season.history.races.empty(), c.inRaces);
            EXPECT_NE(o.season.history.kept.find(form), std::string::npos);
        }
    }
}

TEST(SeasonTail, ThePlayerIsToldWheneverAnythingIsKeptUnread) {
    const std::string good = SavedBytes(Career());
    const size_t laps = good.find(LapsMark), races = good.find(RacesMark);
    const size_t racesCount = good.find(',', races) + 1;
    std::string junk = good, zero = good;
    junk.insert(laps, "junk\r\n");
    zero.replace(racesCount, good.find("\r\n", racesCount) - racesCount, "0");
    for (const auto& [name, damaged] : {std::pair{"junk before the lap records", junk},
                                        std::pair{"a section counting no lines, then its lines", zero},
                                        std::pair{"cut in the middle of a mark", good.substr(0, laps + 9)},
                                        std::pair{"cut in the middle of a mark's count", good.substr(0, laps + 17)}}) {
        const Opened o = Open(damaged);
        ExpectKeptAndTold(damaged, o, name);
    }
    // Blank lines alone are nothing to tell, and still nothing is lost.
    const std::string blank = good + "\r\n  \r\n";
    const Opened o = Open(blank);
    EXPECT_TRUE(o.notices.empty());
    EXPECT_EQ(o.resaved, blank);
}

// A section twice is no file of ours: merged, every season would count twice.
TEST(SeasonTail, ASectionTwiceIsKeptNotMerged) {
    const std::string good = SavedBytes(Career());
    const size_t history = good.find(HistoryMark), races = good.find(RacesMark), laps = good.find(LapsMark);
    const std::string sections[] = {good.substr(history, races - history), good.substr(races, laps - races),
                                    good.substr(laps, good.find(LapsMark, laps + 1) - laps)};
    for (const std::string& section : sections) {
        const std::string damaged = good + section;
        const Opened o = Open(damaged);
        ExpectKeptAndTold(damaged, o, section.substr(0, 16));
        EXPECT_EQ(o.season.history.seasons, Career().history.seasons);
        EXPECT_EQ(o.season.history.races, Career().history.races);
        EXPECT_EQ(o.season.history.laps, Career().history.laps);
        EXPECT_EQ(o.season.history.kept, section);
    }
}

// A race or its laps recorded for a Grand Prix the season has not run is no record of this
// season: it is kept unread, so the race to come never inherits it.
TEST(SeasonTail, ARecordOfARaceNotYetRunIsKeptUnread) {
    Season rewound = Career();
    rewound.Sis.EndGp = "1";
    const std::string bytes = SavedBytes(rewound);
    const Opened o = Open(bytes);
    EXPECT_TRUE(o.notes.historyUnreadable);
    EXPECT_EQ(o.notices.size(), 1u);
    EXPECT_TRUE(o.season.history.races.empty()) << "the section holds the second race";
    ASSERT_EQ(o.season.history.laps.size(), 1u);
    EXPECT_EQ(o.season.history.laps[0].gp, 1);
    EXPECT_EQ(o.season.history.seasons, Career().history.seasons);
    EXPECT_EQ(o.resaved.size(), bytes.size());
    EXPECT_EQ(Open(o.resaved).season, o.season);
}

// The season's own part decides whether it opens: a large addition is kept, and one beyond the
// limit is left unread with the player told exactly that (and of what he was not told before the
// limit), while the season opens.
TEST(SeasonTail, ALargeAdditionNeverCostsTheSeason) {
    const std::string good = SavedBytes(Career());
    const std::string newer = "#KARVEN-FUTURE-3#,1\r\n" + std::string(40 * 1024 * 1024, 'z') + "\r\n";
    const std::string large = good + newer;
    ASSERT_GT(large.size(), MaxSeasonFileBytes);
    const Opened o = Open(large);
    EXPECT_EQ(o.season.history.kept, newer);
    EXPECT_EQ(o.resaved, large);

    // Beyond the limit: a sparse file, its last 5 MiB more than is read; with lines before the
    // limit that cannot be read either, the player is told of both.
    std::string stray;
    for (int i = 0; i < 20000; ++i) stray += "a line of another program\r\n";
    for (const std::string& unread : {std::string(), stray}) {
        SCOPED_TRACE(unread.size());
        TempDir dir;
        const std::string path = dir / "huge.krv";
        WriteBytes(path, good + unread);
        const uint64_t beyond = 5 * 1024 * 1024;
        ASSERT_TRUE(Lengthen(path, good.find(HistoryMark) + MaxAdditionBytes + beyond));
        Season s;
        ReadNotes notes;
        ASSERT_TRUE(ReadSeasonFile(s, path, &notes));
        EXPECT_EQ(notes.droppedBytes, beyond);
        EXPECT_EQ(notes.historyUnreadable, !unread.empty());
        EXPECT_EQ(s.history.kept, unread);
        EXPECT_EQ(s.history.seasons, Career().history.seasons) << "what lies within the limit is read";
        EXPECT_EQ(s.history.laps, Career().history.laps);
        Told told;
        ASSERT_EQ(LoadSeasonFile(s, path, told), LoadOk);
        ASSERT_EQ(told.notices.size(), unread.empty() ? 1u : 2u);
        if (!unread.empty()) {
            EXPECT_NE(told.notices[0].find("読み込めませんでした"), std::string::npos) << told.notices[0];
        }
        const std::string& size = told.notices.back();
        EXPECT_NE(size.find("256 MB"), std::string::npos) << size;
        EXPECT_NE(size.find(" 5 MB"), std::string::npos) << size;
        EXPECT_TRUE(WriteSeasonFile(s, dir / "saved.krv"));
    }
}
