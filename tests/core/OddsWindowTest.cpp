// チャンピオン予想 as a form: the odds counted beside the window from a request in text (the same
// request a browser's worker reads), the figures as they come, 中止, a what-if that starts over
// from a fixed future, a counter that cannot run, and the final standings once nothing is left.
#include <gtest/gtest.h>

#include <algorithm>

#include "RaceFixture.h"
#include "odds/AnalysisView.h"
#include "odds/FrmOdds.h"
#include "odds/OddsCount.h"
#include "race/SilentWeekend.h"
#include "season/SeasonFile.h"
#include "shell/Chart.h"
#include "shell/Random.h"
#include "standings/Rankings.h"
#include "support/LoadSeason.h"

using namespace karven;
using namespace karven::test;

namespace {
struct HalfPlayed : RaceFixture {
    explicit HalfPlayed(int gps = 4) : RaceFixture(DefaultSeason()) {
        GameRandom dice(3);
        for (int g = 0; g < gps; ++g) EXPECT_TRUE(PlayGrandPrix(season, dice, {}));
    }
    // The job the window started, read back.
    OddsRequest Request() const {
        OddsRequest r;
        EXPECT_TRUE(platform.background && ReadOddsRequest(platform.background->request, r));
        return r;
    }
    // Runs the window's job as a platform would, with fewer runs and no time limit; the answers
    // it told, in order.
    std::vector<std::string> Count(int runs) {
        OddsRequest r = Request();
        r.runs = runs;
        r.stopAfterMs = 0;
        std::vector<std::string> told;
        const std::atomic<bool> never{false};
        BackgroundJob job = *platform.background;
        job.work(OddsRequestText(r), [&](const std::string& answer) {
            told.push_back(answer);
            job.heard(answer);
        }, never);
        return told;
    }
};

OddsAnswer Answer(const std::string& text) {
    OddsAnswer a;
    EXPECT_TRUE(ReadOddsAnswer(text, a)) << text;
    return a;
}
} // namespace

TEST(OddsCount, RequestsAndAnswersReadBackExactlyAndAnythingElseIsRefused) {
    OddsRequest r;
    r.season = std::string("a\tb\r\nc\0d\n", 10);
    r.switches = {true, false, true};
    r.seed = 18446744073709551615ull;
    r.runs = 1234;
    r.threads = 3;
    r.stopAfterMs = 2000;
    r.fixed = {{14, {3, 7, 1}}, {16, {2}}};
    OddsRequest back;
    const std::string text = OddsRequestText(r);
    ASSERT_TRUE(ReadOddsRequest(text, back));
    EXPECT_EQ(back.season, r.season);
    EXPECT_EQ(back.seed, r.seed);
    EXPECT_EQ(back.runs, 1234);
    EXPECT_EQ(back.threads, 3);
    EXPECT_EQ(back.stopAfterMs, 2000);
    EXPECT_TRUE(back.switches.pit && !back.switches.pen && back.switches.weather);
    ASSERT_EQ(back.fixed.size(), 2u);
    EXPECT_EQ(back.fixed[0].drivers, (std::vector<int>{3, 7, 1}));
    EXPECT_EQ(back.fixed[1].gp, 16);
    for (const std::string& broken : {text.substr(0, text.size() - 1), text + "x", std::string("KARVEN-ODDS-REQUEST 2") + text.substr(21),
                                      std::string(), text.substr(0, text.find("runs")) + "runs -5\n" + text.substr(text.find("threads"))})
        EXPECT_FALSE(ReadOddsRequest(broken, back)) << broken.substr(0, 80);

    OddsAnswer a;
    a.state = OddsAnswer::State::Partial;
    a.elapsedMs = 812;
    a.odds.runs = 3;
    OddsEntry& d = a.odds.drivers.emplace_back();
    d.index = 7, d.No = "007", d.Nm = "名\t前";
    d.title = 1.0 / 3, d.place[2] = 0.1 + 0.2, d.meanPoints = 12.345678901234567, d.p95Points = 40, d.crowned = 2.0 / 3;
    a.odds.teams.push_back({2, "02", "チーム", 0.5});
    const OddsAnswer got = Answer(OddsAnswerText(a));
    EXPECT_EQ(got.state, OddsAnswer::State::Partial);
    EXPECT_EQ(got.elapsedMs, 812);
    ASSERT_EQ(got.odds.drivers.size(), 1u);
    EXPECT_EQ(got.odds.drivers[0].Nm, "名 前") << "a tab in a name would break its line";
    EXPECT_EQ(got.odds.drivers[0].title, d.title) << "exactly";
    EXPECT_EQ(got.odds.drivers[0].place[2], d.place[2]);
    EXPECT_EQ(got.odds.drivers[0].meanPoints, d.meanPoints);
    EXPECT_EQ(got.odds.drivers[0].crowned, d.crowned);
    ASSERT_EQ(got.odds.teams.size(), 1u);
    EXPECT_EQ(got.odds.teams[0].title, 0.5);
    std::string bad = OddsAnswerText(a);
    bad.replace(bad.find("0.33"), 4, "0.3x");
    OddsAnswer untouched;
    EXPECT_FALSE(ReadOddsAnswer(bad, untouched));
    EXPECT_FALSE(ReadOddsAnswer("KARVEN-ODDS-ANSWER 1\nstate maybe\nruns 1\nelapsedMs 0\n", untouched));
    EXPECT_EQ(untouched.odds.runs, 0) << "a refused answer leaves the answer alone";
}

TEST(OddsCount, TheCountedOddsAreThoseOfTheGameAndAnUnreadableSeasonIsSaid) {
    HalfPlayed s;
    OddsRequest r;
    ASSERT_TRUE(SeasonFileBytes(s.season, r.season));
    r.seed = 99;
    r.runs = 300;
    r.threads = 2;
    r.fixed = {{6, {WhatIfDrivers(s.season).front()}}};
    std::vector<OddsAnswer> told;
    const std::atomic<bool> never{false};
    CountOdds(OddsRequestText(r), [&](const std::string& text) { told.push_back(Answer(text)); }, never);
    ASSERT_GE(told.size(), 2u) << "figures before the end";
    EXPECT_EQ(told.front().state, OddsAnswer::State::Partial);
    EXPECT_EQ(told.back().state, OddsAnswer::State::Final);
    const OddsResult direct = ChampionshipOdds(s.season, 300, 1, 99, {}, nullptr, r.fixed);
    const OddsResult& counted = told.back().odds;
    ASSERT_EQ(counted.runs, 300);
    ASSERT_EQ(counted.drivers.size(), direct.drivers.size());
    for (size_t i = 0; i < direct.drivers.size(); ++i) {
        EXPECT_EQ(counted.drivers[i].Nm, direct.drivers[i].Nm);
        EXPECT_EQ(counted.drivers[i].title, direct.drivers[i].title);
        EXPECT_EQ(counted.drivers[i].meanPoints, direct.drivers[i].meanPoints);
        EXPECT_EQ(counted.drivers[i].crowned, direct.drivers[i].crowned);
    }
    // Stopped before it starts: no run played, still one final answer.
    const std::atomic<bool> stopped{true};
    told.clear();
    CountOdds(OddsRequestText(r), [&](const std::string& text) { told.push_back(Answer(text)); }, stopped);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].odds.runs, 0);

    r.season = "not a season";
    told.clear();
    CountOdds(OddsRequestText(r), [&](const std::string& text) { told.push_back(Answer(text)); }, never);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].state, OddsAnswer::State::Unreadable);
}

TEST(OddsWindow, OpeningCountsBesideTheWindowAndTheBarsFollowTheFigures) {
    HalfPlayed s;
    s.shell.events = {true, false, true};
    const Season before = s.season;
    FrmOdds form(s.shell);
    ASSERT_TRUE(s.platform.background) << "counting starts with the window";
    const OddsRequest r = s.Request();
    EXPECT_EQ(r.runs, FrmOdds::MaxRuns);
    EXPECT_EQ(r.stopAfterMs, FrmOdds::AnswerWithinMs);
    EXPECT_TRUE(r.switches.pit && !r.switches.pen && r.switches.weather);
    Season copy;
    ASSERT_TRUE(ReadSeasonBytes(copy, r.season));
    EXPECT_EQ(copy, s.season) << "the counter plays this very season";
    EXPECT_EQ(form("oddsStatus").text, "残りのレースを試算しています…");
    EXPECT_TRUE(form("oddsStop").enabled);
    EXPECT_TRUE(form("oddsDrivers").chart->lines.empty());

    const std::vector<std::string> told = s.Count(300);
    ASSERT_GE(told.size(), 2u);
    EXPECT_FALSE(form.Counting());
    EXPECT_EQ(form("oddsStatus").text, "300 回の試算による予想");
    EXPECT_FALSE(form("oddsStop").enabled);
    EXPECT_EQ(form("oddsBar").value, form("oddsBar").maximum);
    const Chart& drivers = *form("oddsDrivers").chart;
    EXPECT_EQ(drivers.barSets.size(), 2u) << "the title and the market's crown";
    ASSERT_GE(drivers.lines.size(), 3u);
    const std::vector<OddsEntry> shown = OddsShown(Answer(told.back()).odds.drivers, true);
    ASSERT_EQ(drivers.lines.size(), shown.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(drivers.lines[i].name, shown[i].Nm);
        EXPECT_EQ(drivers.lines[i].values, (std::vector<double>{OddsPercent(shown[i].title), OddsPercent(shown[i].crowned)}));
    }
    // In the machines' colours: team-mates alike, other teams apart.
    for (size_t i = 0; i < shown.size(); ++i)
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const TimRecord* a = TeamOf(s.season, s.season.DrvTable[size_t(shown[i].index)]);
            const TimRecord* b = TeamOf(s.season, s.season.DrvTable[size_t(shown[j].index)]);
            if (a && b) {
                EXPECT_EQ(a == b, drivers.lines[i].colour == drivers.lines[j].colour) << shown[i].Nm << ", " << shown[j].Nm;
            }
        }
    EXPECT_EQ(drivers.x.top, 100);
    // The bars in words, for a screen reader: a line a driver, his title and crown.
    EXPECT_EQ(drivers.info.substr(0, drivers.info.find('\n')),
              shown[0].Nm + "：タイトル " + ChartNumber(OddsPercent(shown[0].title)) + "%、ストーブリーグ王座 " +
                  ChartNumber(OddsPercent(shown[0].crowned)) + "%");
    EXPECT_EQ(std::count(drivers.info.begin(), drivers.info.end(), '\n'), long(shown.size()) - 1);
    EXPECT_EQ(drivers.BarTip(0, 0), shown[0].Nm + "\nタイトル " + ChartNumber(OddsPercent(shown[0].title)) + "%");
    EXPECT_EQ(form("oddsTeams").chart->barSets.size(), 1u);
    EXPECT_FALSE(form("titleRace").rows.empty());
    EXPECT_EQ(s.season, before) << "the odds never touch the season";
}

TEST(OddsWindow, StopKeepsTheFiguresSoFarAndClosingStopsTheCounter) {
    HalfPlayed s;
    FrmOdds form(s.shell);
    OddsAnswer partial;
    partial.state = OddsAnswer::State::Partial;
    partial.elapsedMs = 500;
    partial.odds = ChampionshipOdds(s.season, 40, 1, 5, {});
    BackgroundJob job = *s.platform.background;
    job.heard(OddsAnswerText(partial));
    EXPECT_EQ(form("oddsStatus").text, "試算中… 40 回");
    EXPECT_EQ(form("oddsBar").value, 500);
    EXPECT_FALSE(form("oddsDrivers").chart->lines.empty());
    form.Click("oddsStop");
    EXPECT_EQ(s.platform.backgroundStops, 1);
    EXPECT_FALSE(form.Counting());
    EXPECT_EQ(form("oddsStatus").text, "40 回の試算による予想");
    EXPECT_FALSE(form("oddsStop").enabled);
    // A late answer of the stopped job changes nothing.
    partial.odds.runs = 41;
    BackgroundJob late;
    EXPECT_FALSE(s.platform.background);
    FrmOdds again(s.shell);
    late = *s.platform.background;
    again.Click("analysisClose");
    EXPECT_TRUE(again.IsClosed());
    EXPECT_EQ(s.platform.backgroundStops, 2) << "closing the window stops its counting";
    late.heard(OddsAnswerText(partial));
    EXPECT_EQ(again("oddsStatus").text, "残りのレースを試算しています…");
}

TEST(OddsWindow, AWhatIfStartsOverFromThatFutureAndClearingReturnsToToday) {
    HalfPlayed s;
    FrmOdds form(s.shell);
    const std::string today = form.Request();
    // Without a winner the what-if is refused and nothing starts again.
    form.Click("whatIfFix");
    EXPECT_EQ(form("whatIfList").text, "1位のドライバーを選んでください。");
    EXPECT_EQ(form.Request(), today);

    const std::vector<int> gps = WhatIfGps(s.season), drivers = WhatIfDrivers(s.season);
    Control& winner = form("whatIfPlace", 1);
    ASSERT_GE(winner.items.size(), 2u);
    winner.listIndex = int(winner.items.size()) - 1; // the last driver offered wins the next Grand Prix
    form.Click("whatIfFix");
    const OddsRequest fixed = s.Request();
    ASSERT_EQ(fixed.fixed.size(), 1u);
    EXPECT_EQ(fixed.fixed[0].gp, gps.front());
    EXPECT_EQ(fixed.fixed[0].drivers, (std::vector<int>{drivers.back()}));
    EXPECT_NE(form.Request(), today);
    EXPECT_NE(form("whatIfList").text.find(s.season.DrvTable[size_t(drivers.back())].DrvNm), std::string::npos);
    // The title race of that future, exactly: its drivers' table and the teams' on the picker.
    const TitleRace judged = JudgeTitle(s.season, Title::Drivers, fixed.fixed);
    EXPECT_EQ(form("titleRace").rows.size(), TitleRaceRows(judged).size());
    form("titleRaceKind").listIndex = 2;
    form.Click("titleRaceKind");
    EXPECT_EQ(form("titleRace").rows.size(), TitleRaceRows(JudgeTitle(s.season, Title::Teams, fixed.fixed)).size());

    form.Click("whatIfClear");
    EXPECT_TRUE(s.Request().fixed.empty());
    EXPECT_EQ(form("whatIfPlace", 1).listIndex, 0);
    EXPECT_EQ(form("whatIfList").text, WhatIfText(s.season, {}));
}

TEST(OddsWindow, ACounterThatCannotRunIsSaidAndItsFiguresSoFarStand) {
    HalfPlayed s;
    FrmOdds form(s.shell);
    BackgroundJob first = *s.platform.background; // a copy: failing stops the job the platform keeps
    first.failed();
    EXPECT_FALSE(form.Counting());
    EXPECT_EQ(form("oddsStatus").text, "予想を計算できませんでした：試算用のプログラムを読み込めません。");
    EXPECT_NE(form("oddsStatus").textColor, DefaultColor);
    EXPECT_FALSE(form("oddsStop").enabled);
    EXPECT_LT(form("oddsBar").value, form("oddsBar").maximum) << "not drawn as done";

    FrmOdds again(s.shell);
    OddsAnswer partial;
    partial.state = OddsAnswer::State::Partial;
    partial.odds = ChampionshipOdds(s.season, 30, 1, 5, {});
    BackgroundJob job = *s.platform.background;
    job.heard(OddsAnswerText(partial));
    job.failed();
    EXPECT_EQ(again("oddsStatus").text, "試算が途中で止まりました：試算用のプログラムを読み込めません。30 回の試算による予想");
    EXPECT_FALSE(again("oddsDrivers").chart->lines.empty());
    // An answer that the season did not read back there.
    FrmOdds third(s.shell);
    OddsAnswer unreadable;
    unreadable.state = OddsAnswer::State::Unreadable;
    job = *s.platform.background;
    job.heard(OddsAnswerText(unreadable));
    EXPECT_EQ(third("oddsStatus").text, "予想を計算できませんでした：シーズンを試算用に書き出せません。");
}

TEST(OddsWindow, OnceNoGrandPrixIsLeftTheFinalStandingsShowAndNothingIsCounted) {
    RaceFixture s(DefaultSeason());
    GameRandom dice(8);
    while (PlayGrandPrix(s.season, dice, {})) {
    }
    FrmOdds form(s.shell);
    EXPECT_FALSE(s.platform.background);
    EXPECT_FALSE(form("oddsStop").visible);
    EXPECT_FALSE(form("oddsBar").visible);
    EXPECT_EQ(form.Find("whatIfFix"), nullptr);
    const std::vector<DriverStanding> standings = DriverStandings(s.season);
    const Control& drivers = form("oddsDrivers");
    ASSERT_EQ(drivers.rows.size(), standings.size());
    EXPECT_EQ(drivers.rows[0][1], standings[0].DrvNm);
    EXPECT_EQ(drivers.listIndex, 0) << "the champion";
    EXPECT_EQ(form("oddsTabs").items.size(), 2u);
    EXPECT_EQ(form("oddsTeams").rows.size(), TeamStandings(s.season).size());
    form.Click("analysisClose");
    EXPECT_TRUE(form.IsClosed());
}
