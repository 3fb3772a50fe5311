// The season's history through the game: closed at the market and at a new season, saved with the
// season and opened again, never costing the season, and added up into the records.
#include <gtest/gtest.h>

#include <set>

#include "RaceFixture.h"

#include "app/Game.h"
#include "history/Archive.h"
#include "history/FrmAllTime.h"
#include "history/FrmSeasonSummary.h"
#include "history/Records.h"
#include "offseason/FrmKarvenOff.h"
#include "race/SilentWeekend.h"
#include "standings/Rankings.h"
#include "season/HistoryFile.h"
#include "season/SeasonFile.h"
#include "shell/SeasonFiles.h"
#include "support/LoadSeason.h"
#include "support/Reopen.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;

namespace {

// The default season played by a player who answers every window with its default button and
// runs every market with START.
struct Career : ::testing::Test {
    TempDir dir;
    ScriptedPlatform platform;
    GameRandom random{11};
    Game game{platform, random};
    FrmKarvenRace& main = game.shell.main;

    Career() {
        platform.appPath = KARVEN_BIN_DIR;
        platform.fallback = [](Form& f) {
            if (f.Name() == FrmKarvenOff::FormName) f.Click("cmdStart");
            f.Click(f.defaultButton);
        };
        EXPECT_TRUE(game.StartUp());
    }
    void PlayRaces(int n) {
        for (int i = 0; i < n; ++i) {
            main.Click("cmdYosen");
            main.Click("cmdKesyou");
        }
    }
    void PlaySeason() {
        while (main("cmdYosen").enabled) PlayRaces(1);
        main.Click("cmdOffSis");
    }
    Season Saved(const std::string& name) {
        EXPECT_TRUE(WriteSeasonFile(game.season, dir / name));
        Season back;
        EXPECT_TRUE(ReadSeasonFile(back, dir / name));
        return back;
    }
};

} // namespace

TEST_F(Career, TheMarketClosesTheSeasonIntoTheHistory) {
    PlayRaces(3);
    ASSERT_EQ(game.season.history.races.size(), 3u);
    const RaceRecord& first = game.season.history.races[0];
    EXPECT_EQ(first.gp, 1);
    EXPECT_FALSE(first.pole.empty());
    EXPECT_EQ(first.result.front().place, 1);
    PlaySeason();

    ASSERT_EQ(game.season.history.seasons.size(), 1u);
    EXPECT_TRUE(game.season.history.races.empty()) << "the race records go with the season";
    const ArchivedSeason& s = game.season.history.seasons[0];
    EXPECT_EQ(s.number, 1);
    EXPECT_TRUE(s.complete);
    ASSERT_TRUE(s.Champion());
    int titles = 0;
    for (const DrvRecord& d : game.season.DrvTable) titles += d.CareerWc == "1" && d.DrvNm == *s.Champion();
    EXPECT_EQ(titles, 1) << "the champion is the driver whose titles rose";
    EXPECT_EQ(s.gps.size(), 16u);
    for (const ArchivedGp& gp : s.gps) {
        EXPECT_TRUE(gp.run);
        EXPECT_NE(gp.pole, 0) << gp.GpNm;
        EXPECT_EQ(gp.result.size(), 26u) << gp.GpNm;
    }
    // The standings as the game ranks them, the leader first; wins added up from the races.
    ASSERT_FALSE(s.drivers.empty());
    int wins = 0;
    for (const ArchivedDriver& d : s.drivers) wins += d.wins;
    EXPECT_EQ(wins, 16);
    EXPECT_EQ(s.constructors.front().place, 1);
    EXPECT_EQ(s.ConstructorsChampion(), s.Name(s.constructors.front().team));
    EXPECT_FALSE(s.moves.empty());
}

TEST_F(Career, ANewSeasonKeepsAPlayedSeasonAsAbandonedAndAnUnplayedOneNot) {
    platform.Answer({true, false});
    main.Click("cmdStart");
    EXPECT_TRUE(game.season.history.seasons.empty()) << "no race was run";
    PlayRaces(2);
    platform.Answer({true, false});
    main.Click("cmdStart");
    ASSERT_EQ(game.season.history.seasons.size(), 1u);
    const ArchivedSeason& s = game.season.history.seasons[0];
    EXPECT_FALSE(s.complete);
    EXPECT_FALSE(s.Champion());
    EXPECT_FALSE(s.ConstructorsChampion());
    EXPECT_TRUE(s.gps[1].run);
    EXPECT_FALSE(s.gps[2].run);
    // Erasing the careers erases the history with them.
    PlayRaces(1);
    platform.Answer({true, true});
    main.Click("cmdStart");
    EXPECT_TRUE(game.season.history.Empty());
}

TEST_F(Career, TheHistorySavesOpensAndSavesTheSameBytesWhileTheRulesPartStaysAsItWas) {
    PlaySeason();
    PlaySeason();
    PlayRaces(2);
    Season back = Saved("career.krv");
    EXPECT_EQ(back, game.season);
    ASSERT_TRUE(WriteSeasonFile(back, dir / "again.krv"));
    const std::string bytes = ReadBytes(dir / "career.krv");
    EXPECT_EQ(ReadBytes(dir / "again.krv"), bytes);

    // The part a reader of the rules' layout reads is what the season alone writes.
    Season alone = game.season;
    alone.history = {};
    ASSERT_TRUE(WriteSeasonFile(alone, dir / "alone.krv"));
    const std::string head = ReadBytes(dir / "alone.krv");
    EXPECT_EQ(bytes.substr(0, head.size()), head);
    EXPECT_EQ(bytes.substr(head.size()).rfind(HistoryMark, 0), 0u);

    // The title shows the history as unsaved work as well.
    game.shell.SavedSeason = game.season;
    game.season.history.seasons[0].name = "2026";
    EXPECT_TRUE(HasUnsavedWork(game.shell));
}

TEST_F(Career, ADamagedHistoryNeverCostsTheSeasonAndIsWrittenBackUnchanged) {
    PlaySeason();
    PlayRaces(1);
    Saved("good.krv");
    const std::string good = ReadBytes(dir / "good.krv");
    const size_t mark = good.find(HistoryMark);
    ASSERT_NE(mark, std::string::npos);
    Season rules = game.season;
    rules.history = {};
    const std::vector<std::pair<const char*, std::string>> damaged = {
        {"cut after the mark", good.substr(0, mark + 20)},
        {"cut in the middle", good.substr(0, (mark + good.size()) / 2)},
        {"cut before the end", good.substr(0, good.size() - 3)},
        {"garbage after the mark", good.substr(0, mark) + HistoryMark + ",3\r\n\xFF\xFF\r\n,,,\r\n" + good.substr(mark)},
        {"a newer version", good.substr(0, mark) + "#KARVEN-HISTORY-7#,1\r\nwhatever\r\n"},
    };
    for (const auto& [name, bytes] : damaged) {
        WriteBytes(dir / "damaged.krv", bytes);
        platform.shown.clear();
        platform.fileAnswers = {dir / "damaged.krv"};
        if (HasUnsavedWork(game.shell)) platform.script.push_back([](Form& ask) { ask.Click("cmdDiscard"); });
        main.Click("File_open");
        EXPECT_TRUE(platform.warnings.empty()) << name;
        std::vector<std::string> texts = platform.Texts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(),
                             "このファイルのシーズンデータの後にある記録の一部を、読み込めませんでした。\r\n"
                             "読み込めなかった部分は、そのまま残して保存します。\r\nシーズンデータは読み込まれました。"),
                  1)
            << name;
        Season loaded = game.season;
        EXPECT_FALSE(loaded.history.kept.empty()) << name;
        loaded.history = {};
        EXPECT_EQ(loaded, rules) << name;
        // Saved as it is: every byte after the teams comes back.
        ASSERT_TRUE(WriteSeasonFile(game.season, dir / "resaved.krv")) << name;
        const std::string resaved = ReadBytes(dir / "resaved.krv");
        EXPECT_EQ(resaved.size(), bytes.size()) << name << ": nothing lost, nothing added";
        EXPECT_EQ(resaved.substr(0, mark), bytes.substr(0, mark)) << name;
        EXPECT_NE(resaved.find(game.season.history.kept), std::string::npos) << name;
        Season again;
        ASSERT_TRUE(ReadSeasonFile(again, dir / "resaved.krv"));
        EXPECT_EQ(again, game.season) << name;
    }
}

TEST(Records, TiesShareAPlaceAndTheLastPlaceTakesEveryoneTied) {
    std::vector<RankedEntry> entries;
    const double values[] = {5, 7, 7, 1, 3, 3, 3, 2, 2, 2, 2, 1, 0};
    for (double v : values) entries.push_back({0, "d" + std::to_string(entries.size()), "", v});
    std::vector<RankedEntry> top = TopEntries(entries, 5);
    std::vector<std::pair<int, double>> got;
    for (const RankedEntry& e : top) got.emplace_back(e.place, e.value);
    EXPECT_EQ(got, (std::vector<std::pair<int, double>>{{1, 7}, {1, 7}, {3, 5}, {4, 3}, {4, 3}, {4, 3}}));
    EXPECT_EQ(top[0].name, "d1") << "equal ones as they came";
}

TEST(Records, AHandMadeHistoryAddsUp) {
    std::vector<ArchivedSeason> seasons(2);
    for (int i = 0; i < 2; ++i) {
        ArchivedSeason& s = seasons[i];
        s.number = i + 1;
        s.complete = true;
        NameRef a = s.Ref("甲"), b = s.Ref("乙"), red = s.Ref("赤"), blue = s.Ref("青");
        s.gps.push_back({"一", "3", true, a, b, {{1, a, red, 10, false}, {2, b, blue, 8, false}}});
        s.gps.push_back({"二", "3", true, b, b, {{1, b, blue, 10, false}, {2, a, red, 8, true}}});
        s.crowned = true;
        s.champion = i == 0 ? a : b;
        s.constructors = {{1, i == 0 ? red : blue, 18, 1}};
    }
    AllTime all = AllTimeRecords(seasons);
    ASSERT_EQ(all.drivers.size(), 2u);
    EXPECT_EQ(all.drivers[0].DrvNm, "甲") << "as many titles and wins: as they first appeared";
    const DriverTotals& first = all.drivers[1];
    EXPECT_EQ(first.DrvNm, "乙");
    EXPECT_EQ(first.titles, 1);
    EXPECT_EQ(first.wins, 2);
    EXPECT_EQ(first.poles, 2);
    EXPECT_EQ(first.fastestLaps, 4);
    EXPECT_EQ(first.podiums, 4);
    EXPECT_EQ(first.starts, 4);
    EXPECT_EQ(first.points, 36);
    EXPECT_EQ(all.drivers[0].podiums, 2) << "a retirement is no podium";
    ASSERT_EQ(all.teams.size(), 2u);
    EXPECT_EQ(all.teams[0].titles + all.teams[1].titles, 2);

    std::vector<FrmAllTime::Table> tables = AllTimeTables(seasons);
    const FrmAllTime::Table& seasonWins = tables[7];
    EXPECT_EQ(seasonWins.category, "シーズン最多勝");
    ASSERT_EQ(seasonWins.entries.size(), 4u) << "each driver once a season, all tied on one win";
    EXPECT_EQ(seasonWins.entries[3].place, 1);
    EXPECT_EQ(seasonWins.entries[0].detail, "第1期");
}

TEST_F(Career, TheSeasonEndsWithItsSummaryThenTheGridTurnsToTheNextSeason) {
    std::vector<std::string> facts;
    std::vector<std::vector<std::string>> moves;
    platform.fallback = [&](Form& f) {
        if (f.Name() == FrmKarvenOff::FormName) f.Click("cmdStart");
        if (f.Name() == "frmkarvensummary") {
            for (int i = 0; i < 6; ++i) facts.push_back(f("lblFact", i).text);
            moves = f("tblRec").rows;
        }
        f.Click(f.defaultButton);
    };
    PlaySeason();
    ASSERT_EQ(facts.size(), 6u) << "the summary was shown";
    const ArchivedSeason& s = game.season.history.seasons.back();
    SeasonFacts expected = FactsOf(s);
    EXPECT_EQ(facts[0], expected.champion + "（" + expected.championTeam + "）");
    EXPECT_EQ(expected.champion, *s.Champion());
    EXPECT_EQ(facts[1], *s.ConstructorsChampion());
    EXPECT_EQ(expected.standingsLeader.empty(), s.StandingsLeader() == *s.Champion());
    // The wins leader won the most races of the season, as the standings count them.
    int most = 0;
    for (const ArchivedDriver& d : s.drivers) most = std::max(most, d.wins);
    EXPECT_NE(facts[3].find("（" + std::to_string(most) + "勝）"), std::string::npos) << facts[3];
    EXPECT_EQ(moves.size(), s.moves.size());
    EXPECT_EQ(moves[0][0], s.Name(s.moves[0].driver));
    // The main window shows the new season, as a new season leaves it.
    EXPECT_EQ(main("lblTitle").text, "KARVEN");
    EXPECT_EQ(main.lbl(2, 1).text, "");
}

// Results a file holds as no place at all ("-1", a number of eleven digits) close into a history
// the file carries: what the save writes, it reads back.
TEST(Records, ResultsOfNoPlaceCloseIntoAHistoryThatReadsBack) {
    Season s = test::DefaultSeason();
    s.Sis.EndGp = "1";
    s.DrvTable[1].Result[1] = "-1";
    s.DrvTable[2].Result[1] = "99999999999";
    s.DrvTable[3].Result[1] = "1";
    ArchiveSeason(s, SeasonSoFar(s));
    const test::Reopened back = test::SavedAndReopened(s);
    EXPECT_FALSE(back.notes.historyUnreadable);
    EXPECT_EQ(back.season.history.seasons, s.history.seasons);
}

// A field of more names than the closing's name table first holds: each name is numbered once,
// and every result and standing reads back the name it was closed with.
TEST(Records, AClosedSeasonNumbersEveryNameOnceAndReadsItBack) {
    Season s = test::MakeSeason(16, 3, 5);
    GameRandom random(7);
    while (PlayGrandPrix(s, random, {})) {
    }
    const ArchivedSeason closed = SeasonSoFar(s);
    EXPECT_GT(closed.names.size(), 60u);
    EXPECT_EQ(std::set<std::string>(closed.names.begin(), closed.names.end()).size(), closed.names.size());
    ASSERT_EQ(closed.gps.size(), s.history.races.size());
    for (size_t g = 0; g < closed.gps.size(); ++g) {
        const RaceRecord& race = s.history.races[g];
        const ArchivedGp& gp = closed.gps[g];
        EXPECT_EQ(closed.Name(gp.pole), race.pole.str());
        ASSERT_EQ(gp.result.size(), race.result.size());
        for (size_t k = 0; k < gp.result.size(); ++k) {
            EXPECT_EQ(closed.Name(gp.result[k].driver), race.result[k].DrvNm.str()) << g << " " << k;
            EXPECT_EQ(closed.Name(gp.result[k].team), race.result[k].TimNm.str()) << g << " " << k;
        }
    }
    const std::vector<DriverStanding> standings = DriverStandings(s);
    ASSERT_EQ(closed.drivers.size(), standings.size());
    for (size_t k = 0; k < standings.size(); ++k) EXPECT_EQ(closed.Name(closed.drivers[k].driver), standings[k].DrvNm);
}
