#include <gtest/gtest.h>

#include "EditorTestSeason.h"
#include "editors/SisSet.h"
#include "shell/MainState.h"

using namespace karven;
using namespace karven::test;

namespace {
// Opens the settings window from the menu, presses the buttons in turn and notes lblNin or lblSyu
// after each; the last press closes it.
std::vector<std::string> Press(EditorWorld& w, const char* shown, std::vector<const char*> presses) {
    std::vector<std::string> seen;
    w.platform.script.push_back([&, shown, presses](Form& f) {
        seen.push_back(f(shown).text);
        for (const char* button : presses) {
            f.Click(button);
            seen.push_back(f(shown).text);
        }
    });
    w.shell.main.Click("Set_Sis", 21);
    return seen;
}
using Texts = std::vector<std::string>;
} // namespace

TEST(SisSet, OpensFromTheMenuExceptBetweenQualifyingAndRace) {
    EditorWorld w(EditorSeason(4));
    w.shell.main.geometry = {100, 50, 952, 700};
    for (int state : {1, 2, 3, 4}) {
        SetMainState(w.shell.main, CommandState(state));
        w.platform.shown.clear();
        Rect placed;
        w.platform.script.push_back([&](Form& f) {
            placed = f.geometry;
            EXPECT_EQ(f("lblGp").text + f("lblSyu").text + f("lblNin").text, "41020");
            f.Click("cmdCancel");
        });
        w.shell.main.Click("Set_Sis", 21);
        if (state == 3) {
            EXPECT_TRUE(w.platform.shown.empty());
            w.platform.script.clear();
            continue;
        }
        ASSERT_EQ(w.platform.shown.size(), 1u) << state;
        EXPECT_EQ(w.platform.shown[0].caption, "シーズン設定");
        EXPECT_EQ(placed.top, 50);
        EXPECT_EQ(placed.left + placed.width, 100 + 952);
    }
}

TEST(SisSet, GridSizeFromOneToTheSeatedDrivers) {
    // Three teams seat six of the eight drivers.
    EditorWorld w(EditorSeason(4, 3, 8));
    w.season.Sis.NinCount = "2";
    EXPECT_EQ(Press(w, "lblNin", {"cmdNinDn", "cmdNinDn", "cmdNinUp", "cmdOK"}),
              (Texts{"2", "1", "1", "2", "2"}));
    EXPECT_EQ(w.season.Sis.NinCount, "2");

    w.season.Sis.NinCount = "5";
    EXPECT_EQ(Press(w, "lblNin", {"cmdNinUp", "cmdNinUp", "cmdOK"}), (Texts{"5", "6", "6", "6"}));
    EXPECT_EQ(w.season.Sis.NinCount, "6");

    // A seat in a team that does not exist is no seat.
    w.season.DrvTable[6].TimNo = "09";
    EXPECT_EQ(Press(w, "lblNin", {"cmdNinUp", "cmdNinDn", "cmdNinUp", "cmdCancel"}),
              (Texts{"6", "6", "5", "5", "5"}));
    EXPECT_EQ(w.season.Sis.NinCount, "6");

    // Nor more than DrvCount says there are drivers.
    w.season.DrvCount = "4";
    w.season.Sis.NinCount = "4";
    EXPECT_EQ(Press(w, "lblNin", {"cmdNinUp", "cmdCancel"}), (Texts{"4", "4", "4"}));
}

TEST(SisSet, StoredGridSizeAboveTheSeatedDriversStaysUntilLowered) {
    EditorWorld w(EditorSeason(4, 3, 8));
    w.season.Sis.NinCount = "20";
    EXPECT_EQ(Press(w, "lblNin", {"cmdNinUp", "cmdOK"}), (Texts{"20", "20", "20"}));
    EXPECT_EQ(w.season.Sis.NinCount, "20");
    EXPECT_EQ(Press(w, "lblNin", {"cmdNinDn", "cmdOK"}), (Texts{"20", "19", "19"}));
    EXPECT_EQ(w.season.Sis.NinCount, "19");

    // Odd stored text steps from the grid size it gives (1.5 starts two cars), never below one.
    w.season.Sis.NinCount = "1.5";
    EXPECT_EQ(Press(w, "lblNin", {"cmdNinDn", "cmdNinDn", "cmdNinUp", "cmdCancel"}),
              (Texts{"1.5", "1", "1", "2", "2"}));
}

TEST(SisSet, LapsStepThroughFiveTenTwentyForty) {
    EditorWorld w(EditorSeason(4));
    w.season.Sis.SyuCount = "5";
    EXPECT_EQ(Press(w, "lblSyu", {"cmdSyuDn", "cmdSyuUp", "cmdSyuUp", "cmdSyuUp", "cmdSyuUp", "cmdOK"}),
              (Texts{"5", "5", "10", "20", "40", "40", "40"}));
    EXPECT_EQ(w.season.Sis.SyuCount, "40");
    EXPECT_EQ(Press(w, "lblSyu", {"cmdSyuDn", "cmdSyuDn", "cmdSyuDn", "cmdSyuDn", "cmdCancel"}),
              (Texts{"40", "20", "10", "5", "5", "5"}));
    EXPECT_EQ(w.season.Sis.SyuCount, "40");

    w.season.Sis.SyuCount = "15";
    EXPECT_EQ(Press(w, "lblSyu", {"cmdSyuUp", "cmdSyuDn", "cmdOK"}), (Texts{"15", "15", "15", "15"}));
    EXPECT_EQ(w.season.Sis.SyuCount, "15");
}

TEST(SisSet, OkWithoutChangesWritesTheSameTexts) {
    EditorWorld w(EditorSeason(4));
    w.season.Sis = {"04", "20", "3", "1"};
    Season before = w.season;
    Press(w, "lblNin", {"cmdOK"});
    EXPECT_EQ(w.season, before);
}

// The calendar is in force once confirmed; the settings window shows its count and writes it back.
TEST(SisSet, ConfirmedCalendarStaysWhicheverWayTheSettingsClose) {
    for (const char* close : {"cmdCancel", "cmdOK"}) {
        EditorWorld w(EditorSeason(4));
        std::string shownAfter;
        w.platform.script.push_back([&](Form& f) {
            f.Click("cmdNinDn");
            f.Click("cmdGp");
            shownAfter = f("lblGp").text;
            f.Click(close);
        });
        w.platform.script.push_back([](Form& f) {
            EXPECT_EQ(f.caption, "グランプリ設定");
            f.Click("cmdAdd");
            f.Click("cmdAdd");
            f.Click("cmdOK");
        });
        w.shell.main.Click("Set_Sis", 21);
        EXPECT_EQ(shownAfter, "6");
        EXPECT_EQ(w.season.Sis.GpCount, "6") << close;
        ASSERT_EQ(w.season.GpTable.size(), 7u);
        EXPECT_EQ(w.season.GpTable[6], (GpRecord{"06", "New", "3"}));
        EXPECT_EQ(w.season.Sis.NinCount, std::string(close) == "cmdOK" ? "19" : "20");
    }
}
