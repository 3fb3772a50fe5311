#include <gtest/gtest.h>

#include "EditorTestSeason.h"
#include "editors/SisSet.h"

using namespace karven;
using namespace karven::test;

using Texts = std::vector<std::string>;

TEST(GpSet, CourseTypeTextBothWays) {
    const char* words[] = {"超速", "速", "普通", "難", "超難"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(CourseTypeText(std::to_string(i + 1)), words[i]);
        EXPECT_EQ(CourseTypeText(words[i], CourseTypeWay::ToCode), std::to_string(i + 1));
    }
    for (const char* odd : {"", "0", "6", "03", " 3", "3.0"}) EXPECT_EQ(CourseTypeText(odd), "") << odd;
    EXPECT_EQ(CourseTypeText("普通 ", CourseTypeWay::ToCode), "");
    EXPECT_EQ(CourseTypeText("3", CourseTypeWay::ToCode), "");
}

TEST(GpSet, OpensWithOneEntryPerGrandPrixAndNothingSelected) {
    EditorWorld w(EditorSeason(10));
    w.season.GpTable[3].GpNo = "123"; // an odd stored number does not move where the name starts
    w.shell.main.geometry = {40, 30, 952, 700};
    Calendar c(w);

    ASSERT_EQ(c.Items().size(), 10u);
    EXPECT_EQ(c.Items()[0], " 1GP GP01");
    EXPECT_EQ(c.Items()[2], " 3GP GP03");
    EXPECT_EQ(c.Items()[8], " 9GP GP09");
    EXPECT_EQ(c.Items()[9], "10GP GP10");
    EXPECT_EQ(GpEntryName(c.Items()[2]), "GP03");
    EXPECT_EQ(c.form.GpEditTable.size(), 18u);
    EXPECT_EQ(c.Course(9), "5");
    EXPECT_EQ(c.form.GpSel, -1);
    EXPECT_FALSE(c.form("txtGp").enabled);
    EXPECT_EQ(c.form.geometry.top, 30);
    EXPECT_EQ(c.form.geometry.left + c.form.geometry.width, 40 + 952);

    c.Pick(3);
    EXPECT_EQ(c.form.GpSel, 3);
    EXPECT_EQ(c.form("txtGp").text, "GP04");
    EXPECT_TRUE(c.form("txtGp").enabled);
    EXPECT_EQ(c.form("lblTc").text, "難");
}

TEST(GpSet, CountBeyondTheRecordsOpensWhatIsThere) {
    EditorWorld w(EditorSeason(3));
    w.season.Sis.GpCount = "17";
    Calendar c(w);
    EXPECT_EQ(c.Items(), (Texts{" 1GP GP01", " 2GP GP02", " 3GP GP03"}));
    c.form.Click("cmdOK");
    EXPECT_EQ(w.season.Sis.GpCount, "3");
    EXPECT_EQ(w.season.GpTable.size(), 4u);
}

TEST(GpSet, AddNewUpToSeventeen) {
    EditorWorld w(EditorSeason(9));
    Calendar c(w);
    c.form.Click("cmdAdd");
    ASSERT_EQ(c.Items().size(), 10u);
    EXPECT_EQ(c.Items()[8], " 9GP GP09");
    EXPECT_EQ(c.Items()[9], "10GP New");
    EXPECT_EQ(c.form.GpSel, 9);
    EXPECT_EQ(c.form("lstGp").listIndex, 9);
    EXPECT_EQ(c.form("txtGp").text, "New");
    EXPECT_EQ(c.form("lblTc").text, "普通");
    EXPECT_EQ(c.Course(9), "3");

    for (int i = 0; i < 7; ++i) c.form.Click("cmdAdd");
    ASSERT_EQ(c.Items().size(), 17u);
    EXPECT_EQ(c.Items()[16], "17GP New");
    EXPECT_TRUE(w.platform.shown.empty());

    Texts before = c.Items();
    c.form.Click("cmdAdd");
    EXPECT_EQ(c.Items(), before);
    ASSERT_EQ(w.platform.Texts(), (Texts{"ＧＰ数は、\r\n最大 17 GPです！"}));
    EXPECT_EQ(w.platform.shown[0].form, "frmMsgOk");
}

TEST(GpSet, DeleteNeedsASelectionAndKeepsOneEntry) {
    EditorWorld w(EditorSeason(2));
    Calendar c(w);
    c.form.Click("cmdDel");
    EXPECT_EQ(w.platform.Texts(), (Texts{"先に\r\n削除するＧＰを選択してください！"}));
    EXPECT_EQ(c.Items().size(), 2u);

    c.Pick(0);
    c.form.Click("cmdDel");
    EXPECT_EQ(c.Items(), (Texts{" 1GP GP02"}));
    c.form.Click("cmdDel"); // the only entry stays, without a word
    EXPECT_EQ(c.Items(), (Texts{" 1GP GP02"}));
    EXPECT_EQ(w.platform.shown.size(), 1u);
}

TEST(GpSet, DeleteKeepsTheGrandsPrixAlreadyRunPlusOne) {
    const std::string refused = "終了ＧＰ + 1\r\n以下にはできません！";
    {
        EditorWorld w(EditorSeason(5));
        w.season.Sis.EndGp = "3";
        Calendar c(w);
        c.Pick(0); // a Grand Prix already run may go; only the count is checked
        c.form.Click("cmdDel");
        EXPECT_EQ(c.Items().size(), 4u);
        EXPECT_TRUE(w.platform.Texts().empty());
        c.form.Click("cmdDel");
        EXPECT_EQ(c.Items().size(), 4u);
        EXPECT_EQ(w.platform.Texts(), (Texts{refused}));
    }
    {
        EditorWorld w(EditorSeason(4));
        w.season.Sis.EndGp = "3";
        Calendar c(w);
        c.Pick(3);
        c.form.Click("cmdDel");
        EXPECT_EQ(c.Items().size(), 4u);
        EXPECT_EQ(w.platform.Texts(), (Texts{refused}));
    }
}

TEST(GpSet, DeleteRenumbersMovesCourseTypesAndSelectsTheNeighbour) {
    EditorWorld w(EditorSeason(5)); // course types 1 2 3 4 5
    Calendar c(w);
    c.Pick(1);
    c.form.Click("cmdDel");
    EXPECT_EQ(c.Items(), (Texts{" 1GP GP01", " 2GP GP03", " 3GP GP04", " 4GP GP05"}));
    EXPECT_EQ(c.Course(0) + c.Course(1) + c.Course(2) + c.Course(3), "1345");
    // The entry that moved into the place is the one now edited.
    EXPECT_EQ(c.form.GpSel, 1);
    EXPECT_EQ(c.form("txtGp").text, "GP03");
    EXPECT_EQ(c.form("lblTc").text, "普通");

    c.Pick(3);
    c.form.Click("cmdDel");
    EXPECT_EQ(c.Items(), (Texts{" 1GP GP01", " 2GP GP03", " 3GP GP04"}));
    EXPECT_EQ(c.form.GpSel, 2);
    EXPECT_EQ(c.form("txtGp").text, "GP04");
    EXPECT_EQ(c.form("lblTc").text, "難");

    c.form.Click("cmdOK");
    ASSERT_EQ(w.season.GpTable.size(), 4u);
    EXPECT_EQ(w.season.GpTable[2], (GpRecord{"02", "GP03", "3"}));
    EXPECT_EQ(w.season.GpTable[3], (GpRecord{"03", "GP04", "4"}));
}

TEST(GpSet, NameTakenWhenTheBoxIsLeft) {
    EditorWorld w(EditorSeason(3));
    Calendar c(w);
    c.Rename("どこでもない"); // nothing chosen yet: nothing changes
    EXPECT_EQ(c.Items(), (Texts{" 1GP GP01", " 2GP GP02", " 3GP GP03"}));

    c.Pick(1);
    Control& name = c.form("txtGp");
    name.text = "鈴鹿";
    name.onChange();
    EXPECT_EQ(c.Items()[1], " 2GP GP02"); // typing alone does not rewrite the entry
    name.onLostFocus();
    EXPECT_EQ(c.Items()[1], " 2GP 鈴鹿");

    std::string hundred;
    for (int i = 0; i < 100; ++i) hundred += i % 10 == 0 ? "ａ" : "b";
    c.Pick(2);
    c.Rename(hundred + "終");
    EXPECT_EQ(c.Items()[2], " 3GP " + hundred + "終");
    c.Pick(2);
    EXPECT_EQ(c.form("txtGp").text, hundred); // characters, not bytes
    c.form.Click("cmdOK");
    EXPECT_EQ(w.season.GpTable[2].GpNm, "鈴鹿");
    EXPECT_EQ(w.season.GpTable[3].GpNm, hundred);
}

TEST(GpSet, CourseTypeStepsWithinOneToFive) {
    EditorWorld w(EditorSeason(5));
    Calendar c(w);
    c.form.Click("cmdUp"); // nothing selected
    EXPECT_EQ(c.Course(0), "1");

    c.Pick(0);
    c.form.Click("cmdDn");
    EXPECT_EQ(c.Course(0), "1");
    EXPECT_EQ(c.form("lblTc").text, "超速");
    c.form.Click("cmdUp");
    EXPECT_EQ(c.Course(0), "2");
    EXPECT_EQ(c.form("lblTc").text, "速");

    c.Pick(4);
    EXPECT_EQ(c.form("lblTc").text, "超難");
    c.form.Click("cmdUp");
    EXPECT_EQ(c.Course(4), "5");
}

TEST(GpSet, OkWritesTheCalendarCancelDropsIt) {
    EditorWorld w(EditorSeason(3));
    w.season.GpTable[2].GpNo = "9";
    Season before = w.season;
    auto edit = [](Calendar& c) {
        c.Pick(0);
        c.Rename("  スパ  ");
        c.form.Click("cmdUp");
        c.form.Click("cmdAdd");
        c.Pick(1);
        c.form.Click("cmdDel");
    };
    {
        Calendar c(w);
        edit(c);
        c.form.Click("cmdCancel");
        EXPECT_TRUE(c.form.IsClosed());
        EXPECT_EQ(w.season, before);
    }
    FrmKarvenSisSet settings(w.shell);
    settings.Open();
    Calendar c(w, &settings);
    edit(c);
    c.form.Click("cmdOK");
    EXPECT_TRUE(c.form.IsClosed());
    EXPECT_EQ(w.season.Sis.GpCount, "3");
    EXPECT_EQ(settings("lblGp").text, "3");
    ASSERT_EQ(w.season.GpTable.size(), 4u);
    // Renumbered by position; the name without the spaces the file would drop.
    EXPECT_EQ(w.season.GpTable[1], (GpRecord{"01", "スパ", "2"}));
    EXPECT_EQ(w.season.GpTable[2], (GpRecord{"02", "GP03", "3"}));
    EXPECT_EQ(w.season.GpTable[3], (GpRecord{"03", "New", "3"}));
}
