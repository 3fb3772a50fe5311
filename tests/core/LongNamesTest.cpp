// Names as long as a season file can hold: whatever the game saves of them, it reads back whole;
// where the player types or imports a name, it stops at a length any line takes in one go.
#include <gtest/gtest.h>

#include <functional>

#include "exchange/SeasonCsv.h"
#include "history/Archive.h"
#include "race/RaceState.h"
#include "race/SilentWeekend.h"
#include "season/SeasonFile.h"
#include "shell/Random.h"
#include "shell/SeasonText.h"
#include "support/LoadSeason.h"
#include "support/Reopen.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;

namespace {
std::string Repeated(const std::string& character, size_t times) {
    std::string text;
    text.reserve(character.size() * times);
    for (size_t i = 0; i < times; ++i) text += character;
    return text;
}

// Every long name the records of the races and their laps repeat is held once, however many
// races name it.
void ExpectLongNamesHeldOnce(const History& history) {
    std::vector<const SharedText*> names;
    for (const RaceRecord& race : history.races)
        for (const ClassifiedCar& car : race.result) names.insert(names.end(), {&car.DrvNm, &car.TimNm});
    for (const RaceLaps& laps : history.laps)
        for (const LapCar& car : laps.grid) names.insert(names.end(), {&car.DrvNm, &car.TimNm});
    int repeated = 0;
    for (size_t i = 0; i < names.size(); ++i)
        for (size_t j = i + 1; j < names.size(); ++j)
            if (names[i]->size() >= SharedText::SharedFrom && *names[i] == *names[j]) {
                ++repeated;
                EXPECT_TRUE(names[i]->SameAs(*names[j])) << "a long name held twice";
            }
    EXPECT_GT(repeated, 0);
}
} // namespace

// A driver of a million characters, a team of 2.2 million: a closed season, the races of the
// season under way and their laps name them on lines of megabytes, and every one reads back.
TEST(LongNames, ASeasonWithNamesOfMillionsOfCharactersSavesAndReopensWhole) {
    const std::pair<const char*, std::function<void(Season&)>> cases[] = {
        {"a driver of 1,000,000 characters", [](Season& s) { s.DrvTable[1].DrvNm = Repeated("ド", 1'000'000); }},
        {"a team of 2,200,000 characters",
         [](Season& s) { s.TimTable[1].TimNm = Repeated("チ", 2'200'000) + "・" + Repeated("エ", 1000); }},
    };
    for (const auto& [what, lengthen] : cases) {
        SCOPED_TRACE(what);
        Season s = DefaultSeason();
        ASSERT_FALSE(s.DrvTable[1].TimNo.empty()) << "he races";
        lengthen(s);
        GameRandom random(3);
        for (int g = 0; g < 2; ++g) ASSERT_TRUE(PlayGrandPrix(s, random, {}));
        ArchiveSeason(s, SeasonSoFar(s));
        s.Sis.EndGp = "0";
        for (int g = 0; g < 2; ++g) ASSERT_TRUE(PlayGrandPrix(s, random, {}));
        ASSERT_EQ(s.history.seasons.size(), 1u);
        ASSERT_EQ(s.history.laps.size(), 2u);

        const Reopened r = SavedAndReopened(s);
        const Season& back = r.season;
        EXPECT_FALSE(r.notes.historyUnreadable);
        EXPECT_TRUE(r.notices.empty());
        EXPECT_TRUE(back.history.kept.empty());
        EXPECT_EQ(back.history.seasons, s.history.seasons);
        EXPECT_EQ(back.history.races, s.history.races);
        EXPECT_EQ(back.history.laps, s.history.laps);
        EXPECT_TRUE(back == s);
        ExpectLongNamesHeldOnce(s.history);
        ExpectLongNamesHeldOnce(back.history);
    }
}

// Where a name enters, it is held to the editors' length: the import refuses a longer one with its
// file, line and column, as it refuses a driver without a name; the editors' boxes stop typing there.
TEST(LongNames, TheImportRefusesWhatTheEditorsWouldNotTakeTyped) {
    const Season before = DefaultSeason();
    const std::string drivers = "DrvNm,TimNm,Technique,Roughness,Block,Stability\r\n";
    const std::string teams = "TimNm,ColorNo,Speed,Aero,Stability\r\n";
    const std::string longest = Repeated("名", NameLength);
    struct Case {
        const char* what;
        SeasonCsvFiles files;
        ImportRefusal expected;
    };
    const Case cases[] = {
        {"a driver of a million characters",
         {std::nullopt, drivers + "A,,S,A,A,A\r\n" + Repeated("x", 1'000'000) + ",,S,A,A,A\r\n", std::nullopt},
         {DriversCsv, 3, "DrvNm", "ドライバー名は 100 文字までです！"}},
        {"a driver of 101 characters",
         {std::nullopt, drivers + longest + "名,,S,A,A,A\r\n", std::nullopt},
         {DriversCsv, 2, "DrvNm", "ドライバー名は 100 文字までです！"}},
        {"a driver without a name", {std::nullopt, drivers + "A,,S,A,A,A\r\n  ,,S,A,A,A\r\n", std::nullopt},
         {DriversCsv, 3, "DrvNm", "ドライバー名が入っていません！"}},
        {"a team of 2.2 million characters",
         {teams + Repeated("t", 2'200'000) + "・V10,0001,A,A,A\r\n", std::nullopt, std::nullopt},
         {TeamsCsv, 2, "TimNm", "チーム名は 100 文字までです！"}},
        {"a team's engine of 101 characters", {teams + "T・" + longest + "x,0001,A,A,A\r\n", std::nullopt, std::nullopt},
         {TeamsCsv, 2, "TimNm", "エンジン名は 100 文字までです！"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Season s = before;
        ImportRefusal refusal;
        ASSERT_FALSE(ImportSeasonCsv(s, c.files, refusal));
        EXPECT_EQ(refusal.file, c.expected.file);
        EXPECT_EQ(refusal.line, c.expected.line);
        EXPECT_EQ(refusal.column, c.expected.column);
        EXPECT_EQ(refusal.what, c.expected.what);
        EXPECT_TRUE(s == before);
    }
    // As long as the boxes take, and a team of two such names, come in.
    Season s = before;
    ImportRefusal refusal;
    ASSERT_TRUE(ImportSeasonCsv(
        s, {teams + longest + "・" + longest + ",0001,A,A,A\r\n", drivers + longest + ",,S,A,A,A\r\n", std::nullopt}, refusal))
        << RefusalText(refusal);
    EXPECT_EQ(s.DrvTable[1].DrvNm, longest);
}

// A value longer than a season's own part can hold is no name the game wrote: its line is kept as
// it came and told, not decoded; one as long as that part can hold is read.
TEST(LongNames, AValueLongerThanAnySeasonHoldsIsKeptUnread) {
    Season s = DefaultSeason();
    s.Sis.EndGp = "1";
    TempDir dir;
    ASSERT_TRUE(WriteSeasonFile(s, dir / "s.krv"));
    const std::string season = ReadBytes(dir / "s.krv");
    for (size_t length : {MaxSeasonFileBytes, MaxSeasonFileBytes + 1}) {
        SCOPED_TRACE(length);
        const std::string section = "#KARVEN-RACES-1#,1\r\nR,1," + std::string(length, 'x') + ",\r\n";
        WriteBytes(dir / "long.krv", season + section);
        Season back;
        ReadNotes notes;
        ASSERT_TRUE(ReadSeasonFile(back, dir / "long.krv", &notes));
        const bool read = length <= MaxSeasonFileBytes;
        EXPECT_EQ(notes.historyUnreadable, !read);
        EXPECT_EQ(back.history.races.size(), read ? 1u : 0u);
        EXPECT_EQ(back.history.kept, read ? "" : section);
    }
}
