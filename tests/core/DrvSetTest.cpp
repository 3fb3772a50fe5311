#include <gtest/gtest.h>

#include "EditorTestSeason.h"

using namespace karven;
using namespace karven::test;

using Texts = std::vector<std::string>;

TEST(DrvSet, OpensPlacedAndShowsADriver) {
    EditorWorld w(EditorSeason(3, 2, 5));
    w.shell.main.geometry = {40, 30, 952, 700};
    DrvRecord& d = w.season.DrvTable[2];
    d.Technique = "";
    d.Roughness = "5";
    d.Block = "3";
    d.Stability = "2";
    DriverEditor e(w);
    EXPECT_EQ(e.form.geometry.top, 30);
    EXPECT_EQ(e.form.geometry.left + e.form.geometry.width, 40 + 952);
    EXPECT_EQ(e.Items().size(), 5u);
    EXPECT_EQ(e.form.DrvIdx, -1);
    EXPECT_FALSE(e.form("txtDrvNm").enabled);
    e.Pick(1);
    EXPECT_EQ(e.form("txtDrvNm").text, "Driver02");
    EXPECT_EQ(e.Letters(), "SACD"); // an empty technique reads as 0, "S"
}

TEST(DrvSet, GradeStepsAtTheEnds) {
    EditorWorld w(EditorSeason(3, 2, 3));
    w.season.DrvTable[1].Technique = "1";
    w.season.DrvTable[1].Roughness = "5";
    w.season.DrvTable[3].Technique = "7"; // off the scale
    DriverEditor e(w);
    e.form.Click("cmdUp", 1); // no driver chosen
    EXPECT_EQ(e.form.DrvEditTable[1].Technique, "1");

    e.Pick(0);
    std::string& technique = e.form.DrvEditTable[1].Technique;
    auto press = [&](const char* button, int index) {
        e.form.Click(button, index);
        return e.form("lblTc").text + technique;
    };
    EXPECT_EQ(press("cmdUp", 1), "S0");
    EXPECT_EQ(press("cmdUp", 1), "S0");
    EXPECT_EQ(press("cmdDn", 1), "A1");
    EXPECT_EQ(press("cmdDn", 1), "B2");
    e.form.Click("cmdUp", 2);
    EXPECT_EQ(e.form("lblAg").text + e.form.DrvEditTable[1].Roughness, "A5");
    e.form.Click("cmdDn", 2);
    EXPECT_EQ(e.form("lblAg").text + e.form.DrvEditTable[1].Roughness, "B4");
    e.form.Click("cmdDn", 4);
    EXPECT_EQ(e.form("lblAn").text + e.form.DrvEditTable[1].Stability, "E1");

    e.Pick(1);
    for (int i = 0; i < 3; ++i) e.form.Click("cmdDn", 1);
    EXPECT_EQ(e.form("lblTc").text + e.form.DrvEditTable[2].Technique, "E5");
    // A technique beyond "E" comes back towards it and never runs on down the alphabet.
    e.Pick(2);
    EXPECT_EQ(e.form("lblTc").text, "G");
    e.form.Click("cmdDn", 1);
    EXPECT_EQ(e.form.DrvEditTable[3].Technique, "7");
    e.form.Click("cmdUp", 1);
    EXPECT_EQ(e.form("lblTc").text + e.form.DrvEditTable[3].Technique, "F6");
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
    EXPECT_EQ(e.Items()[2], "");
    EXPECT_EQ(e.form.DrvEditTable[3].DrvNm, "");
}

TEST(DrvSet, AddNewUpTo999) {
    EditorWorld w(EditorSeason(3, 2, 998));
    DriverEditor e(w);
    e.form.Click("cmdAdd");
    ASSERT_EQ(e.Items().size(), 999u);
    DrvRecord added = NewDrvRecord(999);
    EXPECT_EQ(e.form.DrvEditTable[999], added);
    EXPECT_EQ(e.form.DrvIdx, 998);
    EXPECT_EQ(e.Letters(), "EEEE");
    EXPECT_TRUE(w.platform.shown.empty());
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
    EXPECT_EQ(e.form.DrvEditTable[3].DrvNm, "Driver04");
    EXPECT_EQ(e.form("txtDrvNm").text, "Driver04");
    EXPECT_EQ(e.form.DrvIdx, 2);

    e.Pick(3);
    e.form.Click("cmdDel");
    EXPECT_EQ(e.form.DrvIdx, 2);
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
    EXPECT_EQ(w.platform.shown[1].caption, "ドライバー実績");
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
    EXPECT_EQ(w.season.DrvTable[5].DrvNm, "新人");
    EXPECT_EQ(w.season.DrvTable[5].DrvNo, "05");
    EXPECT_EQ(w.season.Sis.NinCount, "3");
    w.season.Sis.NinCount = "2";
    DriverEditor again(w);
    again.form.Click("cmdOK");
    EXPECT_EQ(w.season.Sis.NinCount, "2"); // never raised
}
