// The team principal: the calls reach him only where a roll would have decided, an answer the
// roll would have given changes nothing, other answers change exactly the call, the board judges
// and dismisses, and the record survives the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/Game.h"
#include "editors/TimSet.h"
#include "offseason/FrmKarvenOff.h"
#include "principal/Board.h"
#include "principal/Calls.h"
#include "principal/FrmApproach.h"
#include "principal/FrmCall.h"
#include "race/RaceState.h"
#include "season/Numbers.h"
#include "season/PrincipalFile.h"
#include "season/SeasonFile.h"
#include "support/Reopen.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;

namespace {

// A call as it reached the caller, and what the car did about it.
struct Asked {
    bool pit = true; // false: a tyre choice
    int car = 0;     // grid place
    int lap = 0;
    bool rules = false;
    bool answer = false;
};

// Race calls that note every call and answer by `answer` (the rules' own when unset).
class NotedCalls final : public principal::TeamCalls {
public:
    explicit NotedCalls(const Season& season) : TeamCalls(season) {}
    std::function<bool(const Asked&)> answer;
    std::vector<Asked> asked;
    std::vector<std::string> faults; // calls that offered no choice

    bool PitIn(RaceState& race, int k, bool rules) override {
        const RaceCar& car = race.car[size_t(k)];
        bool choice = car.tyreLaps < 15 && (car.tyreLaps >= 12 || (car.tyreLaps >= 8 && OnWrongTyres(race, car)));
        if (!choice) faults.push_back("a pit call at " + std::to_string(car.tyreLaps) + " laps");
        return Note({true, car.id, race.lap, rules, rules});
    }
    bool RainTyres(RaceState& race, int k, bool rules) override {
        if ((race.PrevTenkou == 3) == (race.Tenkou == 3)) faults.push_back("a tyre call with no change of weather");
        return Note({false, race.car[size_t(k)].id, race.lap, rules, rules});
    }

private:
    bool Note(Asked a) {
        if (answer) a.answer = answer(a);
        asked.push_back(a);
        return a.answer;
    }
};

// Market calls that note and answer as told (the evaluation's own when unset).
class NotedMarket final : public principal::TeamMarket {
public:
    explicit NotedMarket(const Season& season) : TeamMarket(season) {}
    std::function<bool(int driver, bool rules)> keep;
    std::function<int(const std::vector<int>&, int rules)> approach;
    int keeps = 0, approaches = 0;
    std::vector<std::string> offeredTo;

    bool Keep(FrmKarvenOff&, int, int driver, bool rules) override {
        ++keeps;
        return keep ? keep(driver, rules) : rules;
    }
    int Approach(FrmKarvenOff& form, int, const std::vector<int>& available, int rules) override {
        ++approaches;
        int d = approach ? approach(available, rules) : rules;
        if (d > 0) offeredTo.push_back(form.OffDrvTable[size_t(d)].DrvNm);
        return d;
    }
};

// Hands a market's calls to one that outlives it.
class Forward final : public MarketCalls {
public:
    explicit Forward(MarketCalls& to) : to_(to) {}
    bool Runs(const FrmKarvenOff& form, int team) const override { return to_.Runs(form, team); }
    bool Keep(FrmKarvenOff& form, int team, int driver, bool rules) override { return to_.Keep(form, team, driver, rules); }
    int Approach(FrmKarvenOff& form, int team, const std::vector<int>& available, int rules) override {
        return to_.Approach(form, team, available, rules);
    }

private:
    MarketCalls& to_;
};

struct Career {
    ScriptedPlatform platform;
    GameRandom random;
    Game game{platform, random};
    FrmKarvenRace& main = game.shell.main;
    NotedCalls* calls = nullptr;
    NotedMarket ownMarket{game.season};
    NotedMarket* market = nullptr;
    std::vector<std::string> told; // every message window's text

    explicit Career(uint64_t seed, const char* team) : random(seed) {
        platform.appPath = KARVEN_BIN_DIR;
        platform.fallback = [this](Form& f) {
            if (f.Name() == FrmKarvenOff::FormName) f.Click("cmdStart");
            if (Control* text = f.Find("lblMsg")) told.push_back(text->text);
            f.Click(f.defaultButton);
        };
        EXPECT_TRUE(game.StartUp());
        game.season.Sis.SyuCount = "40"; // long races: tyres wear out and the weather turns
        if (!team) return;
        principal::TakeCharge(game.season, team);
        auto noted = std::make_unique<NotedCalls>(game.season);
        calls = noted.get();
        game.SetRaceCalls(std::move(noted));
        market = &ownMarket;
        game.marketCalls = [this](principal::RookieLookup) -> std::unique_ptr<MarketCalls> {
            return std::make_unique<Forward>(ownMarket);
        };
    }

    void PlaySeason() {
        while (main("cmdYosen").enabled) {
            main.Click("cmdYosen");
            main.Click("cmdKesyou");
        }
        main.Click("cmdOffSis");
    }
};

// A game started on the default season, every window answered with its default.
struct Started {
    explicit Started(uint64_t seed) : random(seed) {
        platform.appPath = KARVEN_BIN_DIR;
        EXPECT_TRUE(game.StartUp());
    }
    ScriptedPlatform platform;
    GameRandom random;
    Game game{platform, random};
};

Season WithoutThePrincipal(Season s) {
    s.history.principal = {};
    return s;
}

} // namespace

TEST(PrincipalCalls, AnsweredAsTheRollsTheyChangeNothingAndComeOnlyWhereARollDecides) {
    for (uint64_t seed : {3u, 11u}) {
        Career rules(seed, nullptr);
        Career managed(seed, "01");
        for (int season = 0; season < 2; ++season) {
            rules.PlaySeason();
            managed.PlaySeason();
        }
        EXPECT_EQ(WithoutThePrincipal(managed.game.season), rules.game.season) << "seed " << seed;
        EXPECT_EQ(managed.told, rules.told) << "every announcement the same";
        EXPECT_TRUE(managed.calls->faults.empty()) << managed.calls->faults.front();
        auto pits = std::count_if(managed.calls->asked.begin(), managed.calls->asked.end(), [](const Asked& a) { return a.pit; });
        EXPECT_GT(pits, 0) << "two seasons of long races ask about pit stops";
        EXPECT_GT(managed.market->keeps + managed.market->approaches, 0);
        EXPECT_EQ(managed.game.season.history.principal.seasons.size(), 2u) << "each season judged";
    }
}

TEST(PrincipalCalls, TheAnswerDecidesTheStopAndTheTyres) {
    for (bool pit : {true, false}) {
        Career career(5, "02");
        career.calls->answer = [pit](const Asked& a) { return a.pit ? pit : !a.rules; };
        int gps = 0;
        while (career.main("cmdYosen").enabled && gps++ < 6) {
            career.main.Click("cmdYosen");
            size_t before = career.calls->asked.size();
            career.main.Click("cmdKesyou");
            const RaceLaps& laps = career.game.season.history.laps.back();
            for (size_t i = before; i < career.calls->asked.size(); ++i) {
                const Asked& a = career.calls->asked[i];
                auto stop = std::find_if(laps.stops.begin(), laps.stops.end(), [&](const RaceStop& s) {
                    return s.car == a.car && s.lap == a.lap && s.kind == StopKind::Pit;
                });
                if (a.pit) {
                    EXPECT_EQ(stop != laps.stops.end(), pit) << "car " << a.car << " lap " << a.lap;
                } else {
                    ASSERT_NE(stop, laps.stops.end()) << "a tyre call comes at a stop";
                    EXPECT_EQ(stop->rainTyre, a.answer) << "the tyres chosen are fitted";
                }
            }
        }
        EXPECT_FALSE(career.calls->asked.empty());
    }
}

TEST(PrincipalMarket, KeepAndApproachAreThePlayersTheAnswersTheDrivers) {
    Career career(8, "03");
    career.market->keep = [](int, bool) { return false; };
    // The last driver available, whatever the evaluation would pick.
    career.market->approach = [](const std::vector<int>& available, int) { return available.empty() ? 0 : available.back(); };
    career.PlaySeason();
    ASSERT_NE(career.market, nullptr);
    const std::string team = career.game.season.TimTable[3].TimNm;
    EXPECT_GT(career.market->keeps, 0);
    for (const std::string& text : career.told) {
        EXPECT_FALSE(text.starts_with(team + " が\r\n") && text.ends_with("に残留を提示しました！")) << text;
        EXPECT_FALSE(text.starts_with(team + " に\r\n") && text.ends_with("残留決定！！")) << text;
    }
    ASSERT_FALSE(career.market->offeredTo.empty());
    for (const std::string& name : career.market->offeredTo) {
        std::string offer = team + " が\r\n" + name + "\r\nにオファーを提示しました！";
        EXPECT_NE(std::find(career.told.begin(), career.told.end(), offer), career.told.end()) << offer;
    }
}

TEST(PrincipalBoard, TargetsByStrengthVerdictsAndTheThirdMissInARow) {
    Started started(2);
    Game& game = started.game;
    Season& s = game.season;
    const int teams = int(s.TimTable.size()) - 1;
    std::vector<int> ranks;
    for (int t = 1; t <= teams; ++t) {
        ranks.push_back(principal::StrengthRank(s, t));
        int target = principal::BoardTarget(s, t);
        EXPECT_GE(target, ranks.back()) << "no board asks for more than the team is on paper";
        EXPECT_LE(target, std::min(teams, ranks.back() + 1));
    }
    std::sort(ranks.begin(), ranks.end());
    for (int t = 0; t < teams; ++t) EXPECT_EQ(ranks[size_t(t)], t + 1) << "every rank once";
    {
        // Ratings as a damaged file may hold them still rank every team once.
        Season damaged = s;
        damaged.TimTable[1].Speed = "-2147483648";
        damaged.TimTable[2].Aero = "99999999999";
        for (size_t d = 1; d < damaged.DrvTable.size(); ++d) damaged.DrvTable[d].Stability = "2147483647";
        // Bounded, not wrapped: the fastest machine there can be first, the slowest last.
        EXPECT_EQ(principal::StrengthRank(damaged, 1), 1);
        EXPECT_EQ(principal::StrengthRank(damaged, 2), teams);
        EXPECT_LE(principal::BoardTarget(damaged, 2), teams);
    }

    // The weakest team on paper: its target is out of reach of a team that scores nothing.
    int weakest = 1;
    for (int t = 1; t <= teams; ++t)
        if (principal::StrengthRank(s, t) == teams) weakest = t;
    principal::TakeCharge(s, s.TimTable[size_t(weakest)].TimNo);
    s.history.principal.target = 1;
    for (int season = 1; season <= 3; ++season) {
        ArchivedSeason closed;
        closed.number = season;
        for (int t = 1; t <= teams; ++t) closed.constructors.push_back({t, closed.Ref(s.TimTable[size_t(t)].TimNm), 0, 0});
        s.history.seasons.push_back(closed);
        if (season == 3) s.history.principal.target = teams; // a target met would have saved him
        std::optional<PrincipalSeason> judged = principal::Judge(s);
        ASSERT_TRUE(judged);
        EXPECT_EQ(judged->place, weakest);
        if (season < 3) {
            EXPECT_EQ(judged->verdict, Verdict::Missed);
            EXPECT_FALSE(judged->dismissed);
            s.history.principal.target = 1;
        } else {
            EXPECT_EQ(judged->verdict, weakest < teams ? Verdict::Exceeded : Verdict::Met);
            EXPECT_TRUE(s.history.principal.InCharge()) << "a met target clears the misses";
        }
    }
    // Three misses in a row: dismissed, the record kept.
    for (int season = 4; season <= 6; ++season) {
        ArchivedSeason closed;
        closed.number = season;
        s.history.seasons.push_back(closed); // the team not in the standings at all
        s.history.principal.target = teams;
        std::optional<PrincipalSeason> judged = principal::Judge(s);
        ASSERT_TRUE(judged);
        EXPECT_EQ(judged->verdict, Verdict::Missed);
        EXPECT_EQ(judged->dismissed, season == 6);
    }
    EXPECT_FALSE(s.history.principal.InCharge());
    EXPECT_EQ(s.history.principal.seasons.size(), 6u);
    EXPECT_FALSE(principal::Judge(s)) << "nobody in charge, nobody judged";
    EXPECT_NE(principal::VerdictMessage(s.history.principal.seasons.back()).find("解任"), std::string::npos);
}

TEST(PrincipalFile, TheRecordReadsBackAndADamagedOneIsKeptAsItCame) {
    Started started(4);
    Game& game = started.game;
    Season& s = game.season;
    principal::TakeCharge(s, s.TimTable[2].TimNo);
    s.history.principal.seasons.push_back({1, "紅蓮, 改", 4, 6, Verdict::Missed, false, false});
    s.history.principal.seasons.push_back({2, s.TimTable[2].TimNm, 3, 1, Verdict::Exceeded, true, false});
    s.history.principal.misses = 0;
    TempDir dir;
    ASSERT_TRUE(WriteSeasonFile(s, dir / "p.krv"));
    Season back;
    ASSERT_TRUE(ReadSeasonFile(back, dir / "p.krv"));
    EXPECT_EQ(back.history.principal, s.history.principal);
    EXPECT_EQ(WithoutThePrincipal(back), WithoutThePrincipal(s));

    // A verdict out of its range: the section is kept as bytes, the season and the rest read.
    std::string bytes = ReadBytes(dir / "p.krv");
    size_t j = bytes.find("\r\nJ,2,");
    ASSERT_NE(j, std::string::npos);
    size_t verdict = bytes.find(",2,1,0\r\n", j);
    ASSERT_NE(verdict, std::string::npos);
    bytes.replace(verdict, 8, ",7,1,0\r\n");
    WriteBytes(dir / "damaged.krv", bytes);
    Season damaged;
    ReadNotes notes;
    ASSERT_TRUE(ReadSeasonFile(damaged, dir / "damaged.krv", &notes));
    EXPECT_TRUE(notes.historyUnreadable);
    EXPECT_TRUE(damaged.history.principal.Empty());
    EXPECT_NE(damaged.history.kept.find(PrincipalMark), std::string::npos);
    ASSERT_TRUE(WriteSeasonFile(damaged, dir / "again.krv"));
    EXPECT_EQ(ReadBytes(dir / "again.krv"), bytes) << "written back as it came";
}


// The record is read for the season it was saved with: a number that names none of its teams (or
// names one by another team's name), a target or a place beyond the field, a verdict its places
// do not give, is no record of this season. Kept as it came and told, and nobody is in charge
// until the player chooses a team again.
TEST(PrincipalFile, ARecordThatDoesNotFitTheSeasonIsKeptAndNobodyIsInCharge) {
    Started started(4);
    Game& game = started.game;
    Season& s = game.season;
    ASSERT_EQ(s.TimTable.size(), 17u);
    principal::TakeCharge(s, "05");
    const std::string mine = s.TimTable[5].TimNm, other = s.TimTable[15].TimNm, target = std::to_string(s.history.principal.target);
    s.history.principal.seasons.push_back({1, mine, 3, 2, Verdict::Exceeded, false, false});
    TempDir dir;
    ASSERT_TRUE(WriteSeasonFile(s, dir / "p.krv"));
    const std::string good = ReadBytes(dir / "p.krv");
    const size_t section = good.find(PrincipalMark);
    ASSERT_NE(section, std::string::npos);
    {
        Reopened o = Reopen(good);
        EXPECT_EQ(o.season, s);
        EXPECT_TRUE(o.notices.empty());
    }
    // Each line of the record replaced in turn.
    auto replaced = [&](const char* kind, const std::string& line) {
        std::string bytes = good;
        size_t at = bytes.find(std::string("\r\n") + kind + ",", section) + 2;
        bytes.replace(at, bytes.find("\r\n", at) - at, line);
        return bytes;
    };
    const std::string misfits[] = {
        replaced("P", "P,17," + mine + "," + target + ",0"), // 17 of 16
        replaced("P", "P,99," + mine + "," + target + ",0"),
        replaced("P", "P,5," + mine + "," + target + ",0"), // the teams are "05"
        replaced("P", "P,NaN," + mine + "," + target + ",0"),
        replaced("P", "P," + std::string(300, 'x') + "," + mine + "," + target + ",0"),
        replaced("P", "P,05," + other + "," + target + ",0"), // the races would run one team, the board judge another
        replaced("P", "P,05," + mine + ",17,0"),               // a target beyond the field
        replaced("P", "P,," + mine + ",3,0"),                  // a target for nobody
        replaced("J", "J,1," + mine + ",3,17,0,0,0"),          // a place beyond the field
        replaced("J", "J,1," + mine + ",17,2,2,0,0"),          // a target beyond it
        replaced("J", "J,1," + mine + ",3,1,1,0,0"),           // place 1 against 3 is no target just met
    };
    for (const std::string& bytes : misfits) {
        SCOPED_TRACE(bytes.substr(section));
        Reopened o = Reopen(bytes);
        EXPECT_TRUE(o.season.history.principal.Empty());
        EXPECT_FALSE(o.season.history.principal.InCharge());
        EXPECT_EQ(o.season.history.kept, bytes.substr(section)) << "kept as it came";
        EXPECT_TRUE(o.notes.historyUnreadable);
        EXPECT_EQ(o.notices.size(), 1u) << "told once";
        EXPECT_EQ(o.resaved, bytes);
        Season rest = WithoutThePrincipal(o.season);
        rest.history.kept.clear();
        EXPECT_EQ(rest, WithoutThePrincipal(s)) << "the season never pays";
    }
    // Chosen again, the new record is read, the old one still kept.
    Reopened o = Reopen(misfits[0]);
    principal::TakeCharge(o.season, "03");
    ASSERT_TRUE(WriteSeasonFile(o.season, dir / "again.krv"));
    Reopened again = Reopen(ReadBytes(dir / "again.krv"));
    EXPECT_EQ(again.season.history.principal, o.season.history.principal);
    EXPECT_EQ(again.season.history.kept, misfits[0].substr(section));
}

// The team editor takes the principal along with his team, renumbered or renamed; with his team
// deleted he is in charge of nobody. Whatever the editor did, the game saves a record that fits.
TEST(PrincipalFile, TheTeamEditorTakesThePrincipalAlongWithHisTeam) {
    Started started(4);
    Game& game = started.game;
    Season& s = game.season;
    principal::TakeCharge(s, "05");
    s.history.principal.target = 16;
    TempDir dir;
    auto edit = [&](std::function<void(FrmKarvenTimSet&)> change) {
        FrmKarvenTimSet teams(game.shell);
        teams.Open();
        change(teams);
        teams.Click("cmdOK");
        ASSERT_TRUE(WriteSeasonFile(s, dir / "edited.krv"));
        Reopened o = Reopen(ReadBytes(dir / "edited.krv"));
        EXPECT_TRUE(o.notices.empty());
        EXPECT_EQ(o.season, s);
    };
    auto pick = [](FrmKarvenTimSet& teams, int line) {
        teams("lstTim").listIndex = line;
        teams.Click("lstTim");
    };
    edit([&](FrmKarvenTimSet& teams) {
        pick(teams, 1);
        teams.Click("cmdDel"); // team 02: his moves up to 04
        pick(teams, 3);
        teams("txtTimNm").text = "新生チーム";
        teams("txtTimNm").onLostFocus();
    });
    EXPECT_EQ(s.history.principal.TimNo, "04");
    EXPECT_EQ(s.history.principal.TimNm, s.TimTable[4].TimNm);
    EXPECT_EQ(s.history.principal.TimNm.rfind("新生チーム", 0), 0u);
    EXPECT_EQ(s.history.principal.target, 15) << "within the field";
    edit([&](FrmKarvenTimSet& teams) {
        pick(teams, 3);
        teams.Click("cmdDel");
    });
    EXPECT_FALSE(s.history.principal.InCharge());
}

TEST(PrincipalWindows, AskedCallsShowTheSituationAndEscGivesTheRulesAnswer) {
    ScriptedPlatform platform;
    platform.appPath = KARVEN_BIN_DIR;
    GameRandom random(6);
    Game game(platform, random);
    ASSERT_TRUE(game.StartUp());
    Shell& shell = game.shell;
    principal::TakeCharge(game.season, "01");
    RaceSetup setup;
    setup.syuCount = 40;
    SilentRace observer;
    RaceState race(setup, random, observer);
    for (int k = 1; k <= 3; ++k) {
        RaceCar& car = race.car.emplace_back();
        car.id = k;
        car.driver = k;
        car.team = 1;
        car.time = 100 + k * 1.5;
        car.tyreLaps = 12;
    }
    race.lap = 13;
    race.Tenkou = 3;
    principal::AskedCalls calls(shell);
    ASSERT_TRUE(calls.Runs(race, 2));

    std::string text;
    platform.script.push_back([&](Form& f) {
        EXPECT_EQ(f.Name(), principal::FrmCall::FormName);
        EXPECT_EQ(f.defaultButton, "cmdNo") << "Enter gives the rules' answer unless the player moves";
        text = f("lblMsg").text;
        f.Click("cmdYes");
    });
    EXPECT_TRUE(calls.PitIn(race, 2, false));
    EXPECT_NE(text.find("13"), std::string::npos);
    EXPECT_NE(text.find(Tr("雨")), std::string::npos);
    EXPECT_NE(text.find("1.50"), std::string::npos) << "the gaps to the cars around it";
    EXPECT_NE(text.find(game.season.DrvTable[2].DrvNm), std::string::npos);

    platform.script.push_back([](Form& f) { f.QueryClose(); });
    EXPECT_TRUE(calls.RainTyres(race, 2, true)) << "the close box leaves the rules' answer";

    const size_t shown = platform.shown.size();
    shell.SkipRequested = true;
    EXPECT_FALSE(calls.PitIn(race, 2, false));
    shell.SkipRequested = false;
    shell.AutoAdvanceMs = 300;
    EXPECT_TRUE(calls.PitIn(race, 2, true));
    EXPECT_EQ(platform.shown.size(), shown) << "under スキップ and オート実況 nobody is asked";
}

TEST(PrincipalWindows, TheApproachWindowOffersTheEvaluationsPickFirst) {
    ScriptedPlatform platform;
    platform.appPath = KARVEN_BIN_DIR;
    GameRandom random(6);
    Game game(platform, random);
    ASSERT_TRUE(game.StartUp());
    FrmKarvenOff market(game.shell);
    market.OffTimTable.push_back({"01", "A", "0001", 2});
    for (int d = 1; d <= 3; ++d)
        market.OffDrvTable.push_back({"", Format00(d), game.season.DrvTable[size_t(d)].DrvNm, d, 5, 3, 9});
    principal::FrmApproach picked(game.shell, market, 1, {1, 3}, 3, nullptr);
    EXPECT_EQ(picked.Chosen(), 3);
    EXPECT_EQ(picked.defaultButton, "cmdOffer");
    EXPECT_EQ(picked("tblRec").rows.size(), 2u);
    principal::FrmApproach none(game.shell, market, 1, {1, 3}, 0, nullptr);
    EXPECT_EQ(none.Chosen(), 0);
    EXPECT_EQ(none.defaultButton, "cmdPass") << "Enter makes no offer the evaluation would not";
    none.QueryClose();
    EXPECT_EQ(none.answer, principal::FrmApproach::Answer::RulesOnce);
}
