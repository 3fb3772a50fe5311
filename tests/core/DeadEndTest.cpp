// No dead ends: a command that cannot act says why, an empty grid never locks the editors, the
// commands follow a season an editor changed, and a question closed by its frame never agrees.
#include <gtest/gtest.h>

#include "app/Game.h"
#include "shell/MainState.h"
#include "support/ScriptedPlatform.h"

using namespace karven;
using namespace karven::test;

namespace {

struct DefaultGame : ::testing::Test {
    ScriptedPlatform platform;
    ScriptedRandom random;
    Game game{platform, random};
    FrmKarvenRace& main = game.shell.main;

    DefaultGame() {
        platform.appPath = KARVEN_BIN_DIR;
        EXPECT_TRUE(game.StartUp());
    }
    void FinishSeason() {
        game.season.Sis.EndGp = game.season.Sis.GpCount;
        SetMainState(main, CommandState::SeasonOver);
    }
    int Seated() const {
        int seated = 0;
        for (size_t d = 1; d < game.season.DrvTable.size(); ++d) seated += !game.season.DrvTable[d].TimNo.empty();
        return seated;
    }
};

} // namespace

TEST_F(DefaultGame, AMarketConfirmedWithoutANegotiationAsksOnceMoreAndCancelReturnsToIt) {
    FinishSeason();
    const Season before = game.season;
    bool backInMarket = false;
    platform.script.push_back([&](Form& market) {
        platform.Answer({true, false}); // the rules' question, then Cancel at the warning
        market.Click("cmdOK");
        backInMarket = !market.IsClosed();
        market.Click("cmdCancel");
    });
    main.Click("cmdOffSis");
    EXPECT_TRUE(backInMarket);
    EXPECT_EQ(game.season, before);
    EXPECT_EQ(main.commandState, CommandState::SeasonOver);

    // Agreed to both: every seat is empty, as the rules have it; then qualifying explains itself
    // and the editors stay open to seat drivers again.
    platform.script.push_back([&](Form& market) {
        platform.Answer({true, true});
        market.Click("cmdOK");
    });
    main.Click("cmdOffSis");
    EXPECT_EQ(Seated(), 0);
    EXPECT_EQ(main.commandState, CommandState::BetweenGps);
    platform.shown.clear();
    main.Click("cmdYosen");
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{"予選に出走できるドライバーがいません。\r\n"
                                                         "チーム設定でドライバーを登録してください。"});
    EXPECT_EQ(main.commandState, CommandState::BetweenGps);
    EXPECT_TRUE(main("Set_Tim", 22).enabled);
    EXPECT_FALSE(main("cmdKesyou").enabled);
}

TEST_F(DefaultGame, AGrandPrixAddedToAFinishedSeasonCanBeRun) {
    FinishSeason();
    platform.script.push_back([](Form& settings) { settings.Click("cmdGp"); settings.Click("cmdOK"); });
    platform.script.push_back([](Form& calendar) { calendar.Click("cmdAdd"); calendar.Click("cmdOK"); });
    main.Click("Set_Sis", 21);
    EXPECT_EQ(main.commandState, CommandState::BetweenGps);
    const int added = std::stoi(game.season.Sis.GpCount);
    main.Click("cmdYosen");
    main.Click("cmdKesyou");
    EXPECT_EQ(game.season.Sis.EndGp, std::to_string(added));
    EXPECT_EQ(main.commandState, CommandState::SeasonOver);
}

TEST_F(DefaultGame, EditorsLeaveASeasonNotYetStartedInStateOne) {
    platform.script.push_back([](Form& settings) { settings.Click("cmdNinDn"); settings.Click("cmdOK"); });
    main.Click("Set_Sis", 21);
    EXPECT_EQ(main.commandState, CommandState::SeasonStart);
}

TEST_F(DefaultGame, AQuestionClosedByItsFrameNeverAgrees) {
    main.Click("cmdYosen");
    main.Click("cmdKesyou");
    const Season raced = game.season;
    // 新シーズン: the first question dismissed keeps the season and every career.
    platform.script.push_back([](Form& ask) { ask.QueryClose(); });
    main.Click("cmdStart");
    EXPECT_EQ(game.season, raced);
    // Agreed to the first, the second dismissed: the season restarts, the careers stay.
    platform.Answer({true});
    platform.script.push_back([](Form& ask) { ask.QueryClose(); });
    main.Click("cmdStart");
    EXPECT_EQ(game.season.Sis.EndGp, "0");
    EXPECT_EQ(game.season.DrvTable[1].CareerGp, raced.DrvTable[1].CareerGp);

    // The market's confirmation dismissed: nothing confirmed, the window stays.
    FinishSeason();
    const Season finished = game.season;
    bool stayed = false;
    platform.script.push_back([&](Form& market) {
        platform.script.push_back([](Form& ask) { ask.QueryClose(); });
        market.Click("cmdOK");
        stayed = !market.IsClosed();
        market.Click("cmdCancel");
    });
    main.Click("cmdOffSis");
    EXPECT_TRUE(stayed);
    EXPECT_EQ(game.season, finished);
}
