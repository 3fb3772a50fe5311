// What a new principal meets: a call that tells the race as the race measures it and the weather
// ahead, no call where it cannot matter, ratings as letters, a list of drivers he can sort with
// who would listen marked, and the market's answers to him told plainly.
#include <gtest/gtest.h>

#include <algorithm>

#include "MarketFixture.h"
#include "app/Game.h"
#include "offseason/FrmKarvenOff.h"
#include "offseason/Negotiation.h"
#include "principal/Board.h"
#include "principal/Calls.h"
#include "principal/Forecast.h"
#include "principal/FrmApproach.h"
#include "principal/FrmCall.h"
#include "principal/FrmPrincipal.h"
#include "principal/Market.h"
#include "race/RaceState.h"
#include "season/Numbers.h"
#include "shell/Grades.h"
#include "support/Language.h"
#include "support/ScriptedPlatform.h"

using namespace karven;
using namespace karven::test;

namespace {

using Texts = std::vector<std::string>;

bool Has(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

struct Managed {
    ScriptedPlatform platform;
    GameRandom random{6};
    Game game{platform, random};

    Managed() {
        platform.appPath = KARVEN_BIN_DIR;
        EXPECT_TRUE(game.StartUp());
        principal::TakeCharge(game.season, "01");
    }
};

} // namespace

TEST(PrincipalCalls, TheSituationIsTheRacesOwnMeasureAndNoCallComesOnTheLastLap) {
    Managed m;
    RaceSetup setup;
    setup.syuCount = 10;
    SilentRace observer;
    RaceState race(setup, m.random, observer);
    // The player's car in second place with less Time than the car ahead; behind it a car that
    // retired.
    const double times[] = {0, 10.0, 5.05, 999.99};
    for (int k = 1; k <= 3; ++k) {
        RaceCar& car = race.car.emplace_back();
        car.id = car.driver = k;
        car.team = k == 2 ? 1 : 2;
        car.time = times[k];
        car.retired = k == 3;
    }
    race.lap = 4;
    race.Kousui = 55;
    race.PrevKousui = 60;
    race.Tenkou = 2;
    principal::AskedCalls calls(m.game.shell);
    std::string text;
    m.platform.script.push_back([&](Form& f) {
        text = f("lblMsg").text;
        f.Click("cmdNo");
    });
    EXPECT_FALSE(calls.PitIn(race, 2, true));
    EXPECT_TRUE(Has(text, "前の車よりタイムが 4.95 秒少ない")) << text;
    EXPECT_FALSE(Has(text, "-4.95") || Has(text, "−4.95")) << "never a negative gap: " << text;
    EXPECT_FALSE(Has(text, "後ろの車")) << "no gap to a car that is out: " << text;
    EXPECT_FALSE(Has(text, "994")) << text;
    EXPECT_TRUE(Has(text, "降水確率 55%（この周 −5）")) << text;
    // From 55 the next lap rains only on a rise of 6 to 10: one draw in four.
    EXPECT_TRUE(Has(text, "次の周に雨 25%")) << text;

    // On the last lap coming in cannot help: the roll answers, nobody is asked.
    race.lap = 10;
    const size_t shown = m.platform.shown.size();
    EXPECT_TRUE(calls.PitIn(race, 2, true));
    EXPECT_FALSE(calls.RainTyres(race, 2, false));
    EXPECT_EQ(m.platform.shown.size(), shown);
}

TEST(PrincipalForecast, TheChanceOfRainFollowsTheRacesWeatherRule) {
    using principal::ForecastRain;
    EXPECT_DOUBLE_EQ(ForecastRain(60, 1).nextLap, 0.5) << "any rise brings rain";
    EXPECT_DOUBLE_EQ(ForecastRain(55, 1).nextLap, 0.25);
    EXPECT_DOUBLE_EQ(ForecastRain(10, 5).nextLap, 0.0);
    EXPECT_DOUBLE_EQ(ForecastRain(61, 1).nextLap, 0.5) << "raining: it stays on any rise";
    EXPECT_DOUBLE_EQ(ForecastRain(100, 1).nextLap, 1.0) << "a fall of at most 10 from 100 still rains";
    EXPECT_DOUBLE_EQ(ForecastRain(40, 0).beforeFlag, 0.0) << "no lap left, no rain to come";
    // More laps, more chance that it turns; from the same start never less.
    double before = 0;
    for (int laps = 1; laps <= 40; ++laps) {
        double p = ForecastRain(50, laps).beforeFlag;
        EXPECT_GE(p, before);
        EXPECT_LE(p, 1.0);
        before = p;
    }
    EXPECT_GT(before, 0.5);
}

TEST(PrincipalWindows, RatingsAreLettersAndTheOfferListSortsAndTellsWhoWouldListen) {
    Managed m;
    Season& season = m.game.season;
    principal::FrmPrincipal chooser(m.game.shell);
    const TimRecord& team = season.TimTable[1];
    const std::vector<std::string>& row = chooser("tblRec").rows.front();
    EXPECT_EQ(row[1], GradeLetter(team.Speed, Scale::Low)) << "speed as the editors show it";
    {
        LanguageScope english(Language::English);
        chooser.Localize();
        EXPECT_EQ(chooser("cmdClose").text, "Cancel") << "its Cancel in the language of the day";
    }

    FrmKarvenOff market(m.game.shell);
    market.OffTimTable.push_back({"01", "A", "0001", 3}); // team rank 3
    // Score ranks 2, 7 and 4: only the driver ranked 7 reaches twice the team's rank by himself.
    const int ranks[] = {0, 2, 7, 4};
    for (int d = 1; d <= 3; ++d) {
        season.DrvTable[size_t(d)].Technique = FormatPlain(d - 1);
        market.OffDrvTable.push_back({"", Format00(d), season.DrvTable[size_t(d)].DrvNm, ranks[d], 5, 3, 9});
    }
    principal::FrmApproach window(m.game.shell, market, 1, {1, 2, 3}, 3, nullptr, 0);
    Control& table = window("tblRec");
    const size_t chance = table.columns.size() - 1;
    EXPECT_EQ(table.rows[0][3], "S") << "technique 0";
    EXPECT_EQ(table.rows[1][3], "A");
    EXPECT_EQ(table.rows[0][chance], "1%");
    EXPECT_EQ(table.rows[1][chance], "○ 41%");
    EXPECT_EQ(table.rows[2][chance], "1%");
    // Two cycles on, the driver ranked 4 listens too.
    principal::FrmApproach later(m.game.shell, market, 1, {1, 2, 3}, 3, nullptr, 2);
    EXPECT_EQ(later("tblRec").rows[2][chance], "○ 41%");

    ASSERT_EQ(window.Chosen(), 3);
    window.SortBy(2); // by score rank: 2, 4, 7
    EXPECT_EQ(table.rows[0][2], "2");
    EXPECT_EQ(table.rows[1][2], "4");
    EXPECT_EQ(window.Chosen(), 3) << "the chosen driver stays chosen";
    window.SortBy(int(chance)); // the one who listens first
    EXPECT_EQ(table.rows[0][chance], "○ 41%");
    for (size_t c = 0; c < table.columns.size(); ++c) window.Click("cmdSort");
    EXPECT_EQ(window.SortColumn(), int(chance)) << "the button goes round every column";
    EXPECT_EQ(window.Chosen(), 3);
}

TEST(PrincipalMarket, ARefusalAndADepartureAreToldInPlainWords) {
    {
        // The player runs team 1; its offer to driver 3 is held: he refused.
        MarketWorld w(StandingsSeason(1, 4));
        w.season.history.principal.TimNo = "01";
        principal::AskedMarket calls(w.shell, nullptr);
        w.form.calls = &calls;
        w.random.Push({RollValue(20, 20), RollValue(1, 20)});
        w.Open();
        w.random.Push({Pct(10), Pct(90), RollValue(2, 20)});
        OffOfferCycle(w.form, w.shell, 0);
        Texts texts = w.platform.Texts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Driver03 は、あなたのチームのオファーを断りました。"), texts.end());
    }
    {
        // The player runs team 2; team 1 signs his driver 3.
        Season s = StandingsSeason(2, 4);
        s.TimTable[1].Points = "10";
        MarketWorld w(s);
        w.season.history.principal.TimNo = "02";
        principal::AskedMarket calls(w.shell, nullptr);
        w.form.calls = &calls;
        w.Open();
        w.random.Push({Pct(50), Pct(50), RollValue(1, 2), Pct(95), Pct(95)});
        OffOfferCycle(w.form, w.shell, 0);
        Texts texts = w.platform.Texts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), "あなたのチームを離れた Driver03 は、Team01 と契約しました。"), texts.end());
        EXPECT_EQ(w.Driver(3).TimNo, "01") << "the rules' answers stand";
    }
}

// 次の判断まで plays a race on without its windows as スキップ does, but stops at each of the
// principal's calls with what passed unseen; answered as the rules would, the season ends as
// under スキップ.
TEST(PrincipalFlows, PlayingToTheNextDecisionAsksOnlyHisCallsAndTellsWhatPassed) {
    struct Run {
        Season season;
        int comments = 0;       // commentary windows after the button
        int calls = 0;
        std::vector<std::string> summaries;
    };
    auto play = [](const char* button) {
        Managed m;
        Run run;
        bool pressed = false;
        m.platform.fallback = [&](Form& f) {
            if (f.Name() == principal::FrmCall::FormName) {
                ++run.calls;
                Control* summary = f.Find("lblSummary");
                run.summaries.push_back(summary ? summary->text : "");
            } else if (f.Name() == "frmkarvenmsg") {
                if (pressed) ++run.comments;
                Control* b = f.Find(button);
                if (b && b->visible && b->enabled && !pressed) {
                    pressed = true;
                    return f.Click(button);
                }
            }
            f.Click(f.defaultButton);
        };
        for (int g = 0; g < 6; ++g) {
            pressed = false;
            m.game.shell.main.Click("cmdYosen");
            pressed = false;
            m.game.shell.main.Click("cmdKesyou");
        }
        EXPECT_EQ(m.game.season.Sis.EndGp, "6");
        run.season = m.game.season;
        return run;
    };
    const Run decided = play("cmdDecide");
    const Run skipped = play("cmdSkip");
    EXPECT_EQ(decided.comments, 0) << "no commentary once he plays on";
    EXPECT_EQ(skipped.calls, 0) << "スキップ leaves his calls to the rules";
    ASSERT_GT(decided.calls, 0);
    int told = 0;
    for (const std::string& s : decided.summaries) {
        if (s.empty()) continue;
        ++told;
        EXPECT_TRUE(Has(s, "見ていない間（")) << s;
        EXPECT_TRUE(Has(s, "位 → ") || Has(s, "リタイア")) << "his cars' places then and now: " << s;
    }
    EXPECT_GT(told, 0);
    EXPECT_TRUE(decided.season == skipped.season) << "answered as the rules would, the same season";
}

// Played on to his next market question, the principal is told first who signed where unseen, once.
TEST(PrincipalFlows, PlayingOnInTheMarketTellsTheSigningsHeDidNotSee) {
    MarketWorld w(StandingsSeason(3, 4));
    w.season.history.principal.TimNo = "02";
    principal::AskedMarket calls(w.shell, nullptr);
    w.form.calls = &calls;
    w.Open();
    w.shell.SkipRequested = w.shell.PlayToDecision = true;
    calls.Moved(w.form, 0, 2, "03");
    std::vector<std::string> summaries;
    auto record = [&](Form& f) {
        Control* since = f.Find("lblSummary");
        summaries.push_back(since ? since->text : "");
        f.Click(f.defaultButton);
    };
    w.platform.script = {record, record};
    calls.Keep(w.form, 1, 3, true);
    calls.Keep(w.form, 1, 3, true);
    ASSERT_EQ(summaries.size(), 2u) << "asked although the rest plays on";
    EXPECT_TRUE(Has(summaries[0], "見ていない間の移籍")) << summaries[0];
    EXPECT_TRUE(Has(summaries[0], w.form.OffDrvTable[2].DrvNm + " → " + w.form.OffTimTable[0].TimNm)) << summaries[0];
    EXPECT_EQ(summaries[1], "") << "told once";

    // Under plain スキップ nothing is gathered and nothing asked.
    w.shell.PlayToDecision = false;
    calls.Moved(w.form, 0, 2, "03");
    const size_t shown = w.platform.shown.size();
    calls.Keep(w.form, 1, 3, true);
    EXPECT_EQ(w.platform.shown.size(), shown);
}
