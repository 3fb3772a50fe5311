// Lap records in the season file: a section per race, read back exactly, a damaged one kept as it
// was without costing the others, and small enough for a whole season.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "history/Archive.h"
#include "race/RaceState.h"
#include "race/SilentWeekend.h"
#include "season/Cp932.h"
#include "season/HistoryFile.h"
#include "season/LapsFile.h"
#include "season/Numbers.h"
#include "season/SeasonFile.h"
#include "shell/Random.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;

namespace {
Season DefaultSeason() {
    Season s;
    EXPECT_TRUE(ReadSeasonFile(s, std::string(KARVEN_BIN_DIR) + InitialDataFile));
    return s;
}

std::string Bytes(const History& h) {
    std::string text, bytes;
    EXPECT_TRUE(ComposeHistory(h, text));
    EXPECT_TRUE(EncodeCp932(text, bytes));
    return bytes + h.kept;
}

// The n-th lap section of these bytes, mark line included.
std::pair<size_t, size_t> LapsSection(const std::string& bytes, int n) {
    size_t at = 0;
    for (int i = 0; i < n; ++i) at = bytes.find(LapsMark, at + 1);
    size_t end = bytes.find("#KARVEN-", at + 1);
    return {at, (end == std::string::npos ? bytes.size() : end) - at};
}
} // namespace

TEST(LapsFile, RecordsSurviveSavingAndOpeningAndGoWithTheSeason) {
    Season s = DefaultSeason();
    GameRandom random(17);
    for (int g = 1; g <= 3; ++g) ASSERT_TRUE(PlayGrandPrix(s, random, {}));
    ASSERT_EQ(s.history.laps.size(), 3u);
    TempDir dir;
    ASSERT_TRUE(WriteSeasonFile(s, dir / "s.krv"));
    Season back;
    ReadNotes notes;
    ASSERT_TRUE(ReadSeasonFile(back, dir / "s.krv", &notes));
    EXPECT_FALSE(notes.historyUnreadable);
    EXPECT_EQ(back.history.laps, s.history.laps);
    EXPECT_EQ(back, s);

    // The market closes the season: the history keeps the classification, not the laps.
    ArchiveSeason(back, SeasonSoFar(back));
    EXPECT_TRUE(back.history.laps.empty());
    EXPECT_EQ(back.history.seasons.back().gps[0].result.size(), s.history.races[0].result.size());
}

TEST(LapsFile, ADamagedRaceIsKeptAsItWasAndCostsNoOther) {
    Season s = DefaultSeason();
    GameRandom random(5);
    for (int g = 1; g <= 3; ++g) ASSERT_TRUE(PlayGrandPrix(s, random, {}));
    const std::string good = Bytes(s.history);
    // Each a fault a reader must refuse: a car twice in one lap, a lap cut short, a weather of 4,
    // a stop on a lap never run, a newer version.
    auto firstLap = [](std::string& section, auto change) {
        size_t from = section.find("\r\nL,") + 2, end = section.find("\r\n", from);
        std::vector<std::string> values;
        for (size_t at = from, comma; at <= end; at = comma + 1) {
            comma = std::min(section.find(',', at), end);
            values.push_back(section.substr(at, comma - at));
        }
        change(values);
        std::string line;
        for (const std::string& v : values) line += (line.empty() ? "" : ",") + v;
        section.replace(from, end - from, line);
    };
    const std::function<void(std::string&)> faults[] = {
        [&](std::string& t) { firstLap(t, [](std::vector<std::string>& v) { v[3] = v[2]; }); },
        [&](std::string& t) { firstLap(t, [](std::vector<std::string>& v) { v.pop_back(); }); },
        [&](std::string& t) { firstLap(t, [](std::vector<std::string>& v) { v[1] = "4"; }); },
        [](std::string& t) { t.replace(t.find("\r\nP"), 3, "\r\nP,1,999,1,0"); },
        [](std::string& t) { t.replace(t.find("LAPS-1#"), 7, "LAPS-2#"); }};
    int fault = 0;
    for (const auto& damage : faults) {
        SCOPED_TRACE(++fault);
        auto [at, length] = LapsSection(good, 2);
        std::string section = good.substr(at, length);
        damage(section);
        ASSERT_NE(section, good.substr(at, length));
        std::string damaged = good.substr(0, at) + section + good.substr(at + length);
        History back;
        EXPECT_FALSE(ReadHistory(damaged, back));
        ASSERT_EQ(back.laps.size(), 2u);
        EXPECT_EQ(back.laps[0], s.history.laps[0]);
        EXPECT_EQ(back.laps[1], s.history.laps[2]);
        EXPECT_EQ(back.races, s.history.races) << "the classification is another section";
        EXPECT_EQ(back.kept, section) << "kept byte for byte";
        // Written back, the damaged race follows the others unchanged, and reads back the same.
        History again;
        EXPECT_FALSE(ReadHistory(Bytes(back), again));
        EXPECT_EQ(again, back);
    }
}

// A name holding a lone line break could never be written back: its section is kept as it came,
// and the season still saves.
TEST(LapsFile, ALineBreakInsideAValueKeepsItsSection) {
    Season s = DefaultSeason();
    GameRandom random(8);
    ASSERT_TRUE(PlayGrandPrix(s, random, {}));
    // The pole sitter's name in the races' section, the first driver's name of the grid in the laps'.
    for (auto [mark, line] : {std::pair{RacesMark, "\r\nR,"}, std::pair{LapsMark, "\r\nG,"}}) {
        std::string bytes = Bytes(s.history);
        size_t at = bytes.find(line, bytes.find(mark));
        size_t name = bytes.find(',', at + 4) + 1; // past the line's first value
        bytes.insert(name, "X\nY");
        History back;
        EXPECT_FALSE(ReadHistory(bytes, back)) << mark;
        EXPECT_FALSE(back.kept.empty()) << mark;
        Season reopened = s;
        reopened.history = back;
        TempDir dir;
        EXPECT_TRUE(WriteSeasonFile(reopened, dir / "s.krv")) << mark;
    }
}

// A full default season of lap records adds at most 400 KB to its file.
TEST(LapsFile, AWholeSeasonOfLapsStaysSmall) {
    Season s = DefaultSeason();
    GameRandom random(2026);
    while (PlayGrandPrix(s, random, {})) {
    }
    History onlyLaps;
    onlyLaps.laps = s.history.laps;
    const size_t bytes = Bytes(onlyLaps).size();
    EXPECT_EQ(onlyLaps.laps.size(), size_t(ReadCount(s.Sis.GpCount)));
    EXPECT_LT(bytes, 400u * 1024u);
    RecordProperty("lapRecordBytes", int(bytes));
}
