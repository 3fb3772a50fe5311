#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/Game.h"
#include "season/Season.h"
#include "shell/Grid.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "support/ScriptedPlatform.h"

using namespace karven;
using karven::test::ScriptedPlatform;
using karven::test::ScriptedRandom;

namespace {

struct MainWindowTest : ::testing::Test {
    ScriptedPlatform platform;
    ScriptedRandom random;
    Game game{platform, random};
    FrmKarvenRace& main = game.shell.main;

    std::string Enabled() {
        std::string s;
        for (const char* name : {"cmdStart", "cmdYosen", "cmdKesyou", "cmdDrvRank", "cmdTimRank", "cmdSeiseki",
                                 "cmdDrvSei", "cmdOffSis"})
            s += main(name).enabled ? '1' : '0';
        s += ' ';
        s += main("Set_Sis", 21).enabled ? '1' : '0';
        s += main("Set_Tim", 22).enabled ? '1' : '0';
        s += main("Set_Drv", 23).enabled ? '1' : '0';
        return s;
    }
};

} // namespace

TEST_F(MainWindowTest, EveryStateEnablesItsCommands) {
    // cmdStart cmdYosen cmdKesyou cmdDrvRank cmdTimRank cmdSeiseki cmdDrvSei cmdOffSis, then the settings menus
    SetMainState(main, CommandState::SeasonStart);
    EXPECT_EQ(Enabled(), "11000000 111");
    SetMainState(main, CommandState::BetweenGps);
    EXPECT_EQ(Enabled(), "11011110 111");
    SetMainState(main, CommandState::QualifyingDone);
    EXPECT_EQ(Enabled(), "10100110 000");
    SetMainState(main, CommandState::SeasonOver);
    EXPECT_EQ(Enabled(), "10011111 111");
    SetMainState(main, CommandState(7)); // unknown: nothing changes
    EXPECT_EQ(Enabled(), "10011111 111");
    for (const char* always : {"cmdEnd", "File_open", "File_update", "File_End", "Help_Ver"})
        EXPECT_TRUE(main(always).enabled) << always;
}

TEST_F(MainWindowTest, RaceViewSwapsButtonsAndPanelButKeepsEnabledStates) {
    SetMainState(main, CommandState::QualifyingDone);
    const std::string before = Enabled();
    SetRaceView(main, RaceView::RacePanel);
    for (const char* name : FrmKarvenRace::CommandButtons) EXPECT_FALSE(main(name).visible) << name;
    for (const char* name : {"lblTenkiBox", "lblTenki", "lblKakuritulbl", "lblKousui", "lblKakuritu", "lblBox",
                             "imgAnime", "imgTitle"})
        EXPECT_TRUE(main(name).visible) << name;
    EXPECT_TRUE(main("imgTenki", 0).visible);
    EXPECT_FALSE(main("imgTenki", 1).visible); // the holders of the three weather pictures stay hidden
    EXPECT_EQ(Enabled(), before);

    SetRaceView(main, RaceView::Commands);
    for (const char* name : FrmKarvenRace::CommandButtons) EXPECT_TRUE(main(name).visible) << name;
    EXPECT_FALSE(main("imgTenki", 0).visible);
    EXPECT_FALSE(main("imgAnime").visible);
    EXPECT_EQ(Enabled(), before);
}

TEST_F(MainWindowTest, EventItemsToggleCheckAndSwitchTogether) {
    for (int i = 31; i <= 33; ++i) main(EventItemName(i), i).checked = true;
    main.Click("Eve_Pen", 32);
    EXPECT_FALSE(main("Eve_Pen", 32).checked);
    EXPECT_FALSE(game.shell.events.pen);
    EXPECT_TRUE(game.shell.events.pit);
    main.Click("Eve_Pen", 32);
    EXPECT_TRUE(main("Eve_Pen", 32).checked);
    EXPECT_TRUE(game.shell.events.pen);
    main.Click("Eve_Ten", 33);
    main.Click("Eve_Pit", 31);
    EXPECT_FALSE(game.shell.events.weather || game.shell.events.pit);
}

TEST_F(MainWindowTest, GridHeadingsByMode) {
    auto headings = [&] {
        std::string s;
        for (int c = 1; c <= 6; ++c) s += main.lblT(c).text + "|";
        return s;
    };
    main("lblTitle").text = "something";
    SetGridHeader(main, 2);
    EXPECT_EQ(headings(), "No|ドライバー|チーム|Time|||");
    EXPECT_EQ(main("lblTitle").text, "something");
    SetGridHeader(main, 3);
    EXPECT_EQ(headings(), "No|ドライバー|チーム|Time|PIT|TIR|");
    SetGridHeader(main, 4);
    // The standings add the title column beside the points.
    EXPECT_EQ(headings(), "No|ドライバー|チーム|ﾎﾟｲﾝﾄ|ﾀｲﾄﾙ||");
    SetGridHeader(main, 5);
    EXPECT_EQ(headings(), "No|チーム||ﾎﾟｲﾝﾄ|ﾀｲﾄﾙ||");
    SetGridHeader(main, 0);
    SetGridHeader(main, 6);
    EXPECT_EQ(headings(), "No|チーム||ﾎﾟｲﾝﾄ|ﾀｲﾄﾙ||");
    SetGridHeader(main, 1);
    EXPECT_EQ(headings(), "||||||");
    EXPECT_EQ(main("lblTitle").text, "KARVEN");
}

TEST_F(MainWindowTest, ClearGridEmptiesRowsAndShowsTheNeutralSwatch) {
    SetGridHeader(main, 3);
    for (int k = 1; k <= 32; ++k) {
        for (int c = 1; c <= 6; ++c) main.lbl(c, k).text = "x";
        main.imgCo(k).picture = "red";
    }
    ClearGrid(game.shell);
    for (int k = 1; k <= 32; ++k) {
        for (int c = 1; c <= 6; ++c) EXPECT_EQ(main.lbl(c, k).text, "");
        EXPECT_EQ(main.imgCo(k).picture, "/opt/karven/cls.dat");
    }
    EXPECT_EQ(main.lblT(6).text, "TIR");
}

TEST_F(MainWindowTest, ColorFilePaths) {
    EXPECT_EQ(ColorFilePath(game.shell, "0012", 1), "/opt/karven/img/color/0012.dat");
    EXPECT_EQ(ColorFilePath(game.shell, "", 1), "/opt/karven/img/color/.dat");
    EXPECT_EQ(ColorFilePath(game.shell, "0012", 0), "/opt/karven/cls.dat");
}

TEST_F(MainWindowTest, MessageWindowsShowTheBufferAndAnswer) {
    Shell& shell = game.shell;
    shell.MsgText = "一行目\r\n二行目";
    ShowOk(shell);
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(platform.shown[0].form, "frmMsgOk");
    EXPECT_EQ(platform.shown[0].caption, "ﾒｯｾｰｼﾞ");
    EXPECT_EQ(platform.shown[0].text, "一行目\r\n二行目");

    platform.Answer({false});
    shell.MsgText = "質問？";
    EXPECT_EQ(AskOkCancel(shell), 0);
    EXPECT_EQ(shell.MsgResult, 0);
    // The answer is preset to OK, so an OK after a Cancel is -1 again.
    platform.Answer({true});
    EXPECT_EQ(AskOkCancel(shell), -1);
    // Dismissed by the frame's close box: never taken as agreement.
    platform.script.push_back([](Form& f) { f.QueryClose(); });
    EXPECT_EQ(AskOkCancel(shell), 0);
    EXPECT_EQ(platform.shown.back().text, "質問？");

    shell.MsgText = "1周目";
    ShowComment(shell);
    EXPECT_EQ(platform.shown.back().form, "frmkarvenmsg");
    EXPECT_EQ(shell.msgComment()("cmdOK").text, "▼");
    EXPECT_EQ(shell.msgOkCancel()("cmdCancel").text, "Cancel");
}

TEST_F(MainWindowTest, MessageWindowsPlaceThemselvesAgainstTheMainWindow) {
    Shell& shell = game.shell;
    main.geometry = {100, 50, 960, 720};
    ShowOk(shell);
    const Rect& ok = shell.msgOk().geometry;
    EXPECT_EQ(ok.top, 50);
    EXPECT_EQ(ok.left + ok.width, 1060);
    AskOkCancel(shell);
    const Rect& ask = shell.msgOkCancel().geometry;
    EXPECT_EQ(ask.top, 50);
    EXPECT_EQ(ask.left + ask.width, 1060);
    ShowComment(shell);
    const Rect& comment = shell.msgComment().geometry;
    EXPECT_EQ(comment.top + comment.height, 50 + 720 - 1300 / 15);
    EXPECT_EQ(comment.left + comment.width, 100 + 960 - 250 / 15);
}

TEST(MainWindow, EveryMenuAndItemHasItsOwnKey) {
    FrmKarvenRace main;
    std::map<std::string, std::set<char>> keys; // menu -> the keys its entries use
    for (const Control& c : main.Controls()) {
        if (c.kind != ControlKind::Menu && c.kind != ControlKind::MenuItem) continue;
        ASSERT_NE(c.accessKey, 0) << c.Key();
        EXPECT_TRUE(keys[c.parent].insert(c.accessKey).second) << c.Key() << " shares its key in " << c.parent;
    }
    EXPECT_EQ(keys[""].size(), 6u) << "ﾌｧｲﾙ 設定 ｲﾍﾞﾝﾄ 分析 記録 ﾍﾙﾌﾟ";
}
