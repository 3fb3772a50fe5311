// The living world through the game: turned on from the menu, telling each off-season's news,
// bringing rookies into the market and taking the retired out, changing ratings and machines,
// kept with the season, and never costing it when its section is damaged.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "app/Game.h"
#include "editors/DrvSet.h"
#include "editors/TimSet.h"
#include "history/Archive.h"
#include "history/FrmCareer.h"
#include "history/Records.h"
#include "offseason/FrmKarvenOff.h"
#include "season/HistoryLines.h"
#include "season/Numbers.h"
#include "season/SeasonFile.h"
#include "season/WorldFile.h"
#include "support/Reopen.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "world/FrmNews.h"
#include "world/Names.h"
#include "world/Turn.h"

using namespace karven;
using namespace karven::test;

namespace {

struct World : ::testing::Test {
    TempDir dir;
    ScriptedPlatform platform;
    GameRandom random{29};
    Game game{platform, random};
    FrmKarvenRace& main = game.shell.main;
    // What the windows showed that the test looks at afterwards.
    std::vector<std::vector<std::vector<std::string>>> news;    // each news window's two tables
    std::vector<std::vector<std::vector<std::string>>> summaries; // each summary's off-season rows
    std::vector<std::string> negotiated; // the market's announcements, in order

    World() {
        platform.appPath = KARVEN_BIN_DIR;
        game.worldSeed = 7;
        platform.fallback = [this](Form& f) {
            if (f.Name() == world::FrmNews::FormName) news.push_back(f("tblRookies").rows);
            if (f.Name() == "frmkarvensummary") {
                Control* off = f.Find("tblOffSeason");
                summaries.push_back(off ? off->rows : std::vector<std::vector<std::string>>{});
            }
            if (f.Name() == FrmKarvenOff::FormName) f.Click("cmdStart");
            if (Control* text = f.Find("lblMsg")) negotiated.push_back(text->text);
            f.Click(f.defaultButton);
        };
        EXPECT_TRUE(game.StartUp());
    }
    void PlaySeason() {
        while (main("cmdYosen").enabled) {
            main.Click("cmdYosen");
            main.Click("cmdKesyou");
        }
        main.Click("cmdOffSis");
    }
    const WorldState& State() const { return game.season.history.world; }
    std::set<std::string> TableNames() const {
        std::set<std::string> names;
        for (size_t k = 1; k < game.season.DrvTable.size(); ++k) names.insert(game.season.DrvTable[k].DrvNm);
        return names;
    }
};

bool Katakana(const std::string& name) {
    // Every character of the name in the katakana block (U+30A0..U+30FF), "・" between two words.
    size_t dots = 0;
    for (size_t i = 0; i < name.size(); i += 3) {
        if (i + 3 > name.size() || uint8_t(name[i]) != 0xE3) return false;
        unsigned code = ((name[i] & 0x0F) << 12) | ((name[i + 1] & 0x3F) << 6) | (name[i + 2] & 0x3F);
        if (code < 0x30A0 || code > 0x30FF) return false;
        dots += code == 0x30FB;
    }
    return dots == 1 && name.find("・") != 0 && !name.ends_with("・");
}

} // namespace

TEST_F(World, TurnedOnItMeetsTheFieldAndChangesNothingTheRulesRead) {
    const Season before = game.season;
    main.Click("Set_World");
    EXPECT_TRUE(main("Set_World").checked);
    ASSERT_TRUE(State().enabled);
    ASSERT_EQ(State().drivers.size(), game.season.DrvTable.size());
    for (size_t k = 1; k < State().drivers.size(); ++k) {
        EXPECT_EQ(State().drivers[k].DrvNm, game.season.DrvTable[k].DrvNm);
        EXPECT_GE(State().drivers[k].age, 19);
        EXPECT_LE(State().drivers[k].age, 38);
    }
    Season rules = game.season;
    rules.history.world = {};
    EXPECT_EQ(rules, before) << "ratings, seats and careers as they were";

    // Off again: the rules run as before, the world keeps where it stopped for the next time.
    const WorldState kept = State();
    main.Click("Set_World");
    EXPECT_FALSE(main("Set_World").checked);
    EXPECT_FALSE(State().enabled);
    main.Click("Set_World");
    EXPECT_EQ(State().drivers, kept.drivers);
}

TEST_F(World, EachOffSeasonTellsItsNewsAndTheMarketNegotiatesWithTheRookies) {
    main.Click("Set_World");
    std::set<std::string> everyone = TableNames();
    for (int season = 1; season <= 3; ++season) {
        SCOPED_TRACE(season);
        const std::vector<DrvRecord> raced(game.season.DrvTable.begin() + 1, game.season.DrvTable.end());
        const size_t newsBefore = news.size();
        PlaySeason();
        ASSERT_EQ(news.size(), newsBefore + 1) << "the market opens with the news";
        ASSERT_EQ(game.season.history.seasons.size(), size_t(season));
        const WorldSeason* facts = State().SeasonOf(season);
        ASSERT_NE(facts, nullptr);
        EXPECT_EQ(facts->drivers.size(), raced.size()) << "every driver as he raced";
        // The rookies came through the market: named in the news, in the table now, some seated.
        EXPECT_EQ(news.back().size(), std::max<size_t>(facts->debuts.size(), 1));
        std::set<std::string> now = TableNames();
        for (const std::string& rookie : facts->debuts) {
            EXPECT_TRUE(now.count(rookie)) << rookie;
            EXPECT_FALSE(everyone.count(rookie)) << rookie << " is new";
            EXPECT_TRUE(Katakana(rookie)) << rookie;
        }
        // The retired left the table and took no part in the negotiation.
        for (const std::string& gone : facts->retired) {
            EXPECT_FALSE(now.count(gone)) << gone;
            const bool offered = std::any_of(negotiated.begin(), negotiated.end(), [&](const std::string& text) {
                return text.find(gone) != std::string::npos && text.find("提示") != std::string::npos;
            });
            EXPECT_FALSE(offered) << gone;
        }
        EXPECT_EQ(int(game.season.DrvTable.size()) - 1, State().fieldSize) << "the field keeps its size";
        EXPECT_EQ(game.season.DrvCount, FormatPlain(State().fieldSize));
        for (size_t k = 1; k < game.season.DrvTable.size(); ++k)
            EXPECT_EQ(game.season.DrvTable[k].DrvNo, Format00(int(k)));
        everyone.insert(now.begin(), now.end());
        // The summary after the confirmation tells the same off-season.
        ASSERT_FALSE(summaries.empty());
        EXPECT_FALSE(summaries.back().empty());
        negotiated.clear();
    }
    // Ratings moved, every one of them still a whole value in its scale.
    bool moved = false;
    for (const WorldSeason& s : State().seasons)
        for (const RatedDriver& d : s.drivers)
            for (size_t k = 1; k < game.season.DrvTable.size(); ++k)
                if (game.season.DrvTable[k].DrvNm == d.DrvNm && ReadCount(game.season.DrvTable[k].Technique) != d.ratings[0])
                    moved = true;
    EXPECT_TRUE(moved);
    for (size_t k = 1; k < game.season.DrvTable.size(); ++k) {
        const DrvRecord& d = game.season.DrvTable[k];
        EXPECT_TRUE(ReadCount(d.Technique) >= 0 && ReadCount(d.Technique) <= 5) << d.DrvNm;
        for (const std::string* v : {&d.Roughness, &d.Block, &d.Stability}) EXPECT_TRUE(ReadCount(*v) >= 1 && ReadCount(*v) <= 5);
        EXPECT_EQ(ReadNumber(d.Technique), ReadCount(d.Technique)) << "a whole rating";
    }
    for (size_t t = 1; t < game.season.TimTable.size(); ++t)
        for (const std::string* v : {&game.season.TimTable[t].Speed, &game.season.TimTable[t].Aero, &game.season.TimTable[t].Stability})
            EXPECT_TRUE(ReadCount(*v) >= 1 && ReadCount(*v) <= 5);
}

TEST_F(World, TheRetiredKeepTheirRecordsAndTheDriverPageShowsRatingsSeasonBySeason) {
    main.Click("Set_World");
    // A driver who raced and retired: one who never had a seat is on no record.
    auto raced = [&] {
        return std::find_if(State().retired.begin(), State().retired.end(),
                            [](const RetiredDriver& x) { return ReadCount(x.career[0]) > 0; });
    };
    for (int season = 0; season < 12 && raced() == State().retired.end(); ++season) PlaySeason();
    ASSERT_NE(raced(), State().retired.end()) << "a racer retires within twelve seasons";
    const RetiredDriver gone = *raced();
    EXPECT_FALSE(TableNames().count(gone.DrvNm));
    AllTime all = AllTimeRecords(SeasonsOnRecord(game.season));
    EXPECT_TRUE(std::any_of(all.drivers.begin(), all.drivers.end(),
                            [&](const DriverTotals& d) { return d.DrvNm == gone.DrvNm; }))
        << "still in the records";

    FrmCareer page(game.shell, FrmCareer::Kind::Driver, gone.DrvNm);
    page.Open();
    EXPECT_EQ(page("lblName").text, gone.DrvNm);
    const Control& table = page("tblRec");
    ASSERT_GE(table.columns.size(), 2u);
    EXPECT_EQ(table.columns.back().heading, "能力");
    ASSERT_GE(table.rows.size(), 2u);
    const std::vector<std::string>& first = table.rows.front();
    EXPECT_EQ(first.size(), table.columns.size());
    EXPECT_NE(first.back().find("・"), std::string::npos) << "four letters for the season he raced";
}

TEST_F(World, TheWorldIsKeptWithTheSeasonAndADamagedOneNeverCostsIt) {
    main.Click("Set_World");
    PlaySeason();
    PlaySeason();
    ASSERT_TRUE(WriteSeasonFile(game.season, dir / "w.krv"));
    Season back;
    ReadNotes notes;
    ASSERT_TRUE(ReadSeasonFile(back, dir / "w.krv", &notes));
    EXPECT_FALSE(notes.historyUnreadable);
    EXPECT_EQ(back.history.world, State());
    EXPECT_EQ(back, game.season);
    const std::string bytes = ReadBytes(dir / "w.krv");

    // A value of the world damaged: the season and its history open, the world is kept unread
    // and written back unchanged, and the player is told.
    std::string damaged = bytes;
    size_t line = damaged.find("\r\nD,", damaged.find(WorldMark));
    ASSERT_NE(line, std::string::npos);
    size_t age = damaged.find(',', damaged.find(',', line + 4) + 1) + 1; // after the name
    damaged.replace(age, damaged.find(',', age) - age, "1e1");
    WriteBytes(dir / "damaged.krv", damaged);
    ASSERT_TRUE(ReadSeasonFile(back, dir / "damaged.krv", &notes));
    EXPECT_TRUE(notes.historyUnreadable);
    EXPECT_TRUE(back.history.world.Empty());
    EXPECT_EQ(back.history.seasons, game.season.history.seasons);
    Season rules = back, expected = game.season;
    rules.history = expected.history = {};
    EXPECT_EQ(rules, expected);
    ASSERT_TRUE(WriteSeasonFile(back, dir / "resaved.krv"));
    EXPECT_EQ(ReadBytes(dir / "resaved.krv").size(), damaged.size());
}

// A season's number and the world's turns grow by one a season; at the top of what the file
// carries they stay there, so the sections they are written in still read back.
TEST_F(World, CountsThatGrowByPlayingStopWhereTheFileCarriesThem) {
    main.Click("Set_World");
    PlaySeason();
    ASSERT_FALSE(game.season.history.seasons.empty());
    game.season.history.seasons.back().number = history_lines::MaxWhole;
    game.season.history.world.seasons.back().season = history_lines::MaxWhole; // what the world did in it
    game.season.history.world.turns = history_lines::MaxWhole;
    PlaySeason();
    EXPECT_EQ(game.season.history.seasons.back().number, history_lines::MaxWhole);
    EXPECT_EQ(State().turns, history_lines::MaxWhole);
    ASSERT_TRUE(WriteSeasonFile(game.season, dir / "top.krv"));
    Season back;
    ReadNotes notes;
    ASSERT_TRUE(ReadSeasonFile(back, dir / "top.krv", &notes));
    EXPECT_FALSE(notes.historyUnreadable);
    EXPECT_EQ(back, game.season);
}

TEST(WorldNames, RookiesAreNamedInTheSeasonsScriptAndNeverTwice) {
    WorldState w;
    w.seed = 3;
    world::Draws draws(w, world::Purpose::Market);
    std::set<std::string> taken = {"アレク・ヴァンデル"};
    for (int i = 0; i < 400; ++i) {
        std::string kana = world::NewName(world::Script::Katakana, taken, draws);
        EXPECT_TRUE(Katakana(kana)) << kana;
        EXPECT_TRUE(taken.insert(kana).second) << kana;
        std::string latin = world::NewName(world::Script::Latin, taken, draws);
        EXPECT_TRUE(std::all_of(latin.begin(), latin.end(), [](char c) { return std::isalpha(uint8_t(c)) || c == ' ' || std::isdigit(uint8_t(c)); }))
            << latin;
        EXPECT_EQ(std::count(latin.begin(), latin.end(), ' '), 1) << latin;
        EXPECT_TRUE(taken.insert(latin).second) << latin;
    }
    EXPECT_EQ(world::ScriptOf({"Alek Vandel", "Aoi Makabe", "真壁蒼"}), world::Script::Latin);
    EXPECT_EQ(world::ScriptOf({"アレク・ヴァンデル", "真壁蒼", "Alek Vandel"}), world::Script::Katakana);
}

namespace {
// The age the driver's page gives him in the season under way ("" when it gives none).
std::string AgeOnHisPage(Shell& shell, const std::string& name) {
    FrmCareer page(shell, FrmCareer::Kind::Driver, name);
    page.Open();
    const Control& table = page("tblRec");
    for (const std::vector<std::string>& row : table.rows)
        if (row.front().find("（進行中）") != std::string::npos) return row[row.size() - 2];
    return "";
}

// The byte ranges of the world section's D lines, each with its CR LF.
std::vector<std::pair<size_t, size_t>> DriverLines(const std::string& bytes) {
    std::vector<std::pair<size_t, size_t>> lines;
    const size_t world = bytes.find(WorldMark);
    for (size_t at = bytes.find("\r\nD,", world); at != std::string::npos && bytes.compare(at, 4, "\r\nD,") == 0;
         at = bytes.find("\r\n", at + 2))
        lines.emplace_back(at + 2, bytes.find("\r\n", at + 2) - at);
    return lines;
}

// The world section's mark line counting `lines` lines more.
void Recount(std::string& bytes, int lines) {
    const size_t comma = bytes.find(',', bytes.find(WorldMark));
    const size_t end = bytes.find("\r\n", comma);
    bytes.replace(comma + 1, end - comma - 1, std::to_string(std::stoi(bytes.substr(comma + 1, end - comma - 1)) + lines));
}

// Opened and saved again, and the bytes saved read the same once more.
Reopened ReopenTwice(const std::string& bytes) {
    Reopened r = Reopen(bytes);
    EXPECT_EQ(Reopen(r.resaved).season, r.season) << "a second round reads the same";
    return r;
}
} // namespace

// A record of the world is a driver's by his name, not by its place: a driver taken out of the
// table ahead of the others shifts no one's age, lines in another order or one missing are read
// for whom they name, and a record of a driver the season does not have is kept apart, as it
// came, and told, not dropped at the next turn.
TEST_F(World, ItsRecordsAreTheDriversByNameNotByPlace) {
    main.Click("Set_World");
    PlaySeason();
    main.Click("cmdYosen");
    main.Click("cmdKesyou"); // a race of this season: the page of everyone who raced it shows his age now
    std::map<std::string, std::string> age;
    for (size_t k = 1; k < game.season.DrvTable.size(); ++k) age[game.season.DrvTable[k].DrvNm] = std::to_string(State().drivers[k].age);
    const Season played = game.season;
    ASSERT_TRUE(WriteSeasonFile(played, dir / "played.krv"));
    const std::string good = ReadBytes(dir / "played.krv");
    const auto lines = DriverLines(good);
    ASSERT_EQ(lines.size(), played.DrvTable.size() - 1);
    auto line = [&](size_t i) { return good.substr(lines[i].first, lines[i].second); };

    // The first driver gone from the rules' part of the file, his line of the world still there.
    Season cut = played;
    const std::string gone = cut.DrvTable[1].DrvNm;
    cut.DrvTable.erase(cut.DrvTable.begin() + 1);
    cut.DrvCount = FormatPlain(int(cut.DrvTable.size()) - 1);
    RestoreNumbers(cut);
    ASSERT_TRUE(WriteSeasonFile(cut, dir / "cut.krv"));
    const std::string withoutHim = ReadBytes(dir / "cut.krv");
    Reopened r = ReopenTwice(withoutHim);
    EXPECT_TRUE(r.notes.historyUnreadable) << "told of the line that names nobody";
    EXPECT_EQ(r.resaved.size(), withoutHim.size()) << "his line kept";
    EXPECT_NE(r.resaved.find(line(0)), std::string::npos) << "as it came";
    game.season = r.season;
    for (size_t k = 1; k < game.season.DrvTable.size(); ++k) {
        const std::string& name = game.season.DrvTable[k].DrvNm;
        if (!game.season.DrvTable[k].Result[1].empty()) {
            EXPECT_EQ(AgeOnHisPage(game.shell, name), age[name]) << name;
        }
    }
    // The next turn neither drops his line nor gives his record to anyone.
    PlaySeason();
    ASSERT_TRUE(WriteSeasonFile(game.season, dir / "next.krv"));
    EXPECT_NE(ReadBytes(dir / "next.krv").find(line(0)), std::string::npos);

    // Two lines swapped, one missing: read for whom they name, with nothing to tell.
    std::string swapped = good;
    swapped.replace(lines[0].first, lines[1].first + lines[1].second - lines[0].first, line(1) + line(0));
    std::string missing = good;
    missing.erase(lines[0].first, lines[0].second);
    Recount(missing, -1);
    for (const std::string* bytes : {&swapped, &missing}) {
        Reopened o = ReopenTwice(*bytes);
        EXPECT_FALSE(o.notes.historyUnreadable);
        EXPECT_EQ(o.resaved, *bytes);
        game.season = o.season;
        for (size_t k = 2; k < game.season.DrvTable.size(); ++k) {
            const std::string& name = game.season.DrvTable[k].DrvNm;
            if (!game.season.DrvTable[k].Result[1].empty()) {
            EXPECT_EQ(AgeOnHisPage(game.shell, name), age[name]) << name;
        }
        }
    }
    // A line twice: the second names nobody the season has twice.
    std::string doubled = good;
    doubled.insert(lines[0].first, line(0));
    Recount(doubled, 1);
    Reopened d = ReopenTwice(doubled);
    EXPECT_TRUE(d.notes.historyUnreadable);
    EXPECT_EQ(d.resaved.size(), doubled.size());
    Season rules = d.season, expected = played;
    rules.history.world = expected.history.world = {};
    EXPECT_EQ(rules, expected) << "the season and the rest of its history never pay";
}

// The world turns once at each season it closes, and keeps what it did there: a world whose turns
// name seasons the history does not have, or fewer turns than seasons it kept, is another
// career's; it is kept as it came, told, and off until chosen again. Seasons erased with the
// careers leave the world more turns than the history has seasons, which is as the game writes it.
TEST_F(World, AWorldWhoseTurnsTheHistoryDoesNotKnowIsKeptApart) {
    main.Click("Set_World");
    PlaySeason();
    PlaySeason();
    ASSERT_TRUE(WriteSeasonFile(game.season, dir / "w.krv"));
    const std::string good = ReadBytes(dir / "w.krv");
    const size_t world = good.find(WorldMark), principal = good.find("#KARVEN-", world + 1);
    const std::string section = good.substr(world, principal == std::string::npos ? std::string::npos : principal - world);

    std::string otherSeason = good;
    otherSeason.replace(otherSeason.find("\r\nS,2,", world), 6, "\r\nS,9,");
    std::string fewerTurns = good;
    const size_t turns = fewerTurns.find(',', fewerTurns.find(',', fewerTurns.find("\r\nW,", world) + 4) + 1) + 1;
    ASSERT_EQ(fewerTurns.substr(turns, 2), "2,");
    fewerTurns.replace(turns, 1, "1");
    for (const std::string* bytes : {&otherSeason, &fewerTurns}) {
        Reopened o = ReopenTwice(*bytes);
        EXPECT_TRUE(o.notes.historyUnreadable);
        EXPECT_TRUE(o.season.history.world.Empty()) << "off until chosen again";
        EXPECT_EQ(o.season.history.kept.size(), section.size());
        EXPECT_EQ(o.season.history.seasons, game.season.history.seasons);
        EXPECT_EQ(o.resaved.size(), bytes->size());
    }

    CloseForNewSeason(game.season, true);
    ASSERT_TRUE(game.season.history.seasons.empty());
    ASSERT_EQ(State().turns, 2);
    ASSERT_TRUE(WriteSeasonFile(game.season, dir / "erased.krv"));
    Reopened erased = ReopenTwice(ReadBytes(dir / "erased.krv"));
    EXPECT_FALSE(erased.notes.historyUnreadable);
    EXPECT_EQ(erased.season, game.season);
}

// The editors keep the world's records with their drivers and teams: a name changed keeps its
// record, a driver or team deleted takes his along, so what the game saves reads back silently.
TEST_F(World, TheEditorsTakeTheRecordsAlongSoTheSaveReadsBackWhole) {
    main.Click("Set_World");
    PlaySeason();
    main.Click("cmdYosen");
    main.Click("cmdKesyou");
    const std::string renamed = game.season.DrvTable[3].DrvNm, age = std::to_string(State().drivers[3].age);
    // In each editor: the third driver (second team) renamed, the first deleted, and OK.
    auto edit = [&](auto& form, const char* list, const char* box, int renamed, const char* name) {
        form.Open();
        form(list).listIndex = renamed;
        form.Click(list);
        form(box).text = name;
        form(box).onLostFocus();
        form(list).listIndex = 0;
        form.Click(list);
        form.Click("cmdDel");
        form.Click("cmdOK");
    };
    FrmKarvenDrvSet drivers(game.shell);
    edit(drivers, "lstDrv", "txtDrvNm", 2, "改名した人");
    FrmKarvenTimSet teams(game.shell);
    edit(teams, "lstTim", "txtTimNm", 1, "改名チーム");
    ASSERT_TRUE(WriteSeasonFile(game.season, dir / "edited.krv"));
    Reopened r = ReopenTwice(ReadBytes(dir / "edited.krv"));
    EXPECT_FALSE(r.notes.historyUnreadable);
    EXPECT_EQ(r.season, game.season);
    auto his = std::find_if(State().drivers.begin(), State().drivers.end(),
                            [](const WorldDriver& d) { return d.DrvNm == "改名した人"; });
    ASSERT_NE(his, State().drivers.end());
    EXPECT_EQ(std::to_string(his->age), age) << renamed << " kept his record";
    EXPECT_EQ(State().teams.size(), game.season.TimTable.size());
    EXPECT_EQ(State().teams[1].TimNm.rfind("改名チーム", 0), 0u);
}
