#pragma once
// How a table of labels reads at this moment, for the front ends that let it be read.

#include <string>
#include <vector>

#include "shell/Form.h"

namespace karven {

// The rows and columns that say something now: those with a text in them. Indices into the table's cells and columns.
struct TableReading {
    std::vector<int> rows;
    std::vector<int> columns;
    bool Empty() const { return rows.empty() || columns.empty(); }
};
TableReading ReadTable(const LabelTable& table);

// What a cell says: its text with its mark; "" for an empty or hidden place.
std::string CellText(const LabelTable& table, int row, int column);
// What a column is called: its heading's text, else its own name.
std::string HeadingText(const LabelTable& table, int column);
// What the table is called, its naming label's text where it has one.
std::string TableName(const LabelTable& table);

} // namespace karven
