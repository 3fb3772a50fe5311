// A table of labels reads as its rows and columns say something now.
#include <gtest/gtest.h>

#include "shell/LabelTable.h"
#include "support/Language.h"

using namespace karven;

TEST(LabelTable, ReadsOnlyWhatSaysSomethingAndNamesColumnsWithoutAHeading) {
    Form form("frmtable");
    Control& title = form.Add(ControlKind::Label, "lblTitle", {});
    Control& heading = form.Add(ControlKind::Label, "lblT", 1, {}, "No");
    LabelTable& table = form.labelTables.emplace_back();
    table.title = &title;
    table.spoken = "成績表";
    table.columns = {{.heading = &heading}, {.spoken = "ドライバー"}, {.spoken = "空き"}};
    for (int r = 1; r <= 4; ++r) {
        auto& row = table.cells.emplace_back();
        for (int k = 1; k <= 3; ++k) row.push_back(&form.Add(ControlKind::Label, "lbl" + std::to_string(k), r, {}));
    }
    table.cells[0][0]->text = "1";
    table.cells[0][1]->text = "ASAKURA";
    table.cells[0][1]->mark = "✓";
    table.cells[2][0]->text = "3"; // a row after an empty one still reads
    table.cells[3][0]->text = "4";
    table.cells[3][0]->visible = false; // a hidden label is an empty place
    table.cells[3][2]->spoken = "マシンカラー"; // a picture says its name

    TableReading reading = ReadTable(table);
    EXPECT_EQ(reading.rows, (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(reading.columns, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(CellText(table, 0, 1), "✓ASAKURA");
    EXPECT_EQ(CellText(table, 3, 0), "");
    EXPECT_EQ(CellText(table, 3, 2), "マシンカラー");
    EXPECT_EQ(CellText(table, 9, 9), "") << "outside the table";

    table.cells[3][2]->spoken.clear();
    reading = ReadTable(table);
    EXPECT_EQ(reading.rows, (std::vector<int>{0, 2}));
    EXPECT_EQ(reading.columns, (std::vector<int>{0, 1})) << "a column with nothing in it is left out";

    EXPECT_EQ(HeadingText(table, 0), "No");
    heading.text.clear();
    EXPECT_EQ(HeadingText(table, 0), "") << "a blank heading is blank, not another column's name";
    EXPECT_EQ(TableName(table), "成績表");
    title.text = "第3戦 ドライバーズランキング";
    EXPECT_EQ(TableName(table), "第3戦 ドライバーズランキング");

    LanguageScope english(Language::English);
    form.Localize();
    EXPECT_EQ(HeadingText(table, 1), "Driver");
}
