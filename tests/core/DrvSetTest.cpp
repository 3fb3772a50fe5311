#include <gtest/gtest.h>

#include "EditorTestSeason.h"
#include "shell/Grades.h"

using namespace karven;
using namespace karven::test;

using Texts = std::vector<std::string>;

// Each case: scale, stored, step (-1 up, +1 down), then the stored value and letter after it.
TEST(Grades, LettersAndStepsStopAtTheEnds) {
    const std::tuple<Scale, const char*, int, const char*> cases[] = {
        {Scale::Low, "1", -1, "1A"},
        {Scale::Low, "1", +1, "2B"},
        {Scale::Low, "5", +1, "5E"},
        {Scale::High, "5", -1, "5A"},
        {Scale::High, "5", +1, "4B"},
        {Scale::High, "1", +1, "1E"},
        {Scale::Technique, "0", -1, "0S"},
        {Scale::Technique, "1", -1, "0S"},
        {Scale::Technique, "0", +1, "1A"},
        {Scale::Technique, "5", +1, "5E"},
        {Scale::Technique, "", -1, "S"}, // empty reads as 0
        // Off the scale: back towards it, never further down the alphabet.
        {Scale::Technique, "7", +1, "7G"},
        {Scale::Technique, "7", -1, "6F"},
        {Scale::Low, "200", -1, "199?"},
    };
    for (auto [scale, stored, step, after] : cases) {
        std::string value = stored;
        StepGrade(value, scale, step);
        EXPECT_EQ(value + GradeLetter(value, scale), after) << stored << step;
    }
}

TEST(DrvSet, ShowsADriverAndStepsHisGrades) {
    EditorWorld w(EditorSeason(3, 2, 5));
    w.shell.main.geometry = {40, 30, 952, 700};
    DrvRecord& d = w.season.DrvTable[2];
    d.Technique = "";
    d.Roughness = "5";
    d.Block = "3";
    DriverEditor e(w);
    EXPECT_EQ(e.form.geometry.left + e.form.geometry.width, 40 + 952);
    EXPECT_EQ(e.form.geometry.top, 30);
    EXPECT_FALSE(e.form("txtDrvNm").enabled);
    e.form.Click("cmdDn", 1); // no driver chosen
    EXPECT_EQ(e.form.DrvEditTable[1].Technique, "5");

    e.Pick(1);
    EXPECT_EQ(e.form("txtDrvNm").text, "Driver02");
    EXPECT_EQ(e.Letters(), "SACE");
    // Each arrow pair steps its own grade: technique, roughness, block, stability.
    e.form.Click("cmdDn", 1);
    e.form.Click("cmdDn", 2);
    e.form.Click("cmdUp", 3);
    e.form.Click("cmdUp", 4);
    EXPECT_EQ(e.Letters(), "ABBD");
    const DrvRecord& r = e.form.DrvEditTable[2];
    EXPECT_EQ(r.Technique + r.Roughness + r.Block + r.Stability, "1442");
}

TEST(DrvSet, NameTakenAsTypedWhenTheBoxIsLeft) {
    EditorWorld w(EditorSeason(3, 2, 3));
    DriverEditor e(w);
    TypeInto(e.form("txtDrvNm"), "誰"); // no driver chosen: nothing
    EXPECT_EQ(e.Items(), (Texts{"Driver01", "Driver02", "Driver03"}));
    e.Pick(1);
    TypeInto(e.form("txtDrvNm"), "\"速水\",翔");
    EXPECT_EQ(e.Items()[1], "＂速水＂，翔");
    e.Pick(2);
    TypeInto(e.form("txtDrvNm"), "");
    EXPECT_EQ(e.Items()[2] + e.form.DrvEditTable[3].DrvNm, "");
}

TEST(DrvSet, AddNewUpTo999) {
    EditorWorld w(EditorSeason(3, 2, 998));
    DriverEditor e(w);
    e.form.Click("cmdAdd");
    ASSERT_EQ(e.Items().size(), 999u);
    EXPECT_EQ(e.form.DrvEditTable[999], NewDrvRecord(999));
    EXPECT_EQ(e.form.DrvIdx, 998);
    EXPECT_EQ(e.Letters(), "EEEE");
    e.form.Click("cmdAdd");
    EXPECT_EQ(e.Items().size(), 999u);
    EXPECT_EQ(w.platform.Texts(), (Texts{"ドライバー数は、\r\n最大 999 人です！"}));
}

TEST(DrvSet, DeleteRenumbersAndSelectsTheNeighbour) {
    EditorWorld w(EditorSeason(3, 2, 5));
    DriverEditor e(w);
    e.form.Click("cmdDel");
    EXPECT_EQ(w.platform.Texts(), (Texts{"先に\r\n削除するドライバーを選択してください！"}));

    e.Pick(2);
    e.form.Click("cmdDel");
    EXPECT_EQ(e.Items(), (Texts{"Driver01", "Driver02", "Driver04", "Driver05"}));
    EXPECT_EQ(e.form.DrvEditTable[3].DrvNo + e.form.DrvEditTable[4].DrvNo, "0304");
    EXPECT_EQ(e.form("txtDrvNm").text, "Driver04");

    e.Pick(3);
    e.form.Click("cmdDel");
    EXPECT_EQ(e.form.DrvIdx, 2); // the last line gone, the one above
    EXPECT_EQ(e.form("txtDrvNm").text, "Driver04");
    for (int i = 0; i < 3; ++i) e.form.Click("cmdDel"); // the last driver stays, without a word
    EXPECT_EQ(e.Items().size(), 1u);
    EXPECT_EQ(w.platform.shown.size(), 1u);
}

TEST(DrvSet, CareerRecordOfTheDriverChosen) {
    EditorWorld w(EditorSeason(3, 2, 5));
    w.season.DrvTable[4].CareerWins = "7";
    DriverEditor e(w);
    e.form.Click("cmdJis");
    std::string seen;
    w.platform.script.push_back([&](Form& f) {
        seen = f("lblNm").text + " " + f("lblYu").text;
        f.Click("cmdOK");
    });
    e.Pick(1);
    e.form.Click("cmdDel");
    e.Pick(2); // Driver04, stored fourth: his record, not that of whoever is fourth now
    e.form.Click("cmdJis");
    EXPECT_EQ(seen, "Driver04 7");

    e.form.Click("cmdAdd"); // a driver added here has no stored record yet
    e.form.Click("cmdJis");
    EXPECT_EQ(w.platform.Texts(), (Texts{"先にドライバーを選択してください",
                                         "追加したばかりのドライバーには、\r\nまだ実績がありません。"}));
}

TEST(DrvSet, OkWritesAndFitsTheGridCancelDropsIt) {
    EditorWorld w(EditorSeason(3, 2, 5)); // four seated
    Season before = w.season;
    auto edit = [](DriverEditor& e) {
        e.Pick(0);
        e.form.Click("cmdDel");
        e.form.Click("cmdAdd");
        TypeInto(e.form("txtDrvNm"), "  新人 ");
    };
    {
        DriverEditor e(w);
        edit(e);
        e.form.Click("cmdCancel");
        EXPECT_TRUE(e.form.IsClosed());
        EXPECT_EQ(w.season, before);
    }
    w.season.Sis.NinCount = "4";
    DriverEditor e(w);
    edit(e);
    e.form.Click("cmdOK");
    EXPECT_EQ(w.season.DrvCount, "5");
    ASSERT_EQ(w.season.DrvTable.size(), 6u);
    EXPECT_EQ(w.season.DrvTable[1].DrvNm, "Driver02");
    EXPECT_EQ(w.season.DrvTable[5].DrvNo + w.season.DrvTable[5].DrvNm, "05新人");
    EXPECT_EQ(w.season.Sis.NinCount, "3");
    w.season.Sis.NinCount = "2";
    DriverEditor(w).form.Click("cmdOK");
    EXPECT_EQ(w.season.Sis.NinCount, "2"); // never raised
}
