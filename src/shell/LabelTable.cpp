#include "shell/LabelTable.h"

namespace karven {

namespace {
const Control* CellOf(const LabelTable& table, int row, int column) {
    if (row < 0 || row >= int(table.cells.size())) return nullptr;
    const auto& cells = table.cells[size_t(row)];
    if (column < 0 || column >= int(cells.size())) return nullptr;
    const Control* c = cells[size_t(column)];
    return c && c->visible ? c : nullptr;
}
} // namespace

std::string CellText(const LabelTable& table, int row, int column) {
    const Control* c = CellOf(table, row, column);
    if (!c) return {};
    const std::string& text = c->text.empty() ? c->spoken : c->text;
    if (text.empty() || c->mark.empty()) return text;
    return c->mark + text;
}

std::string HeadingText(const LabelTable& table, int column) {
    if (column < 0 || column >= int(table.columns.size())) return {};
    const LabelTable::Column& col = table.columns[size_t(column)];
    if (col.heading && col.heading->visible && !col.heading->text.empty()) return col.heading->text;
    return col.spoken;
}

std::string TableName(const LabelTable& table) {
    if (table.title && !table.title->text.empty()) return table.title->text;
    return table.spoken;
}

TableReading ReadTable(const LabelTable& table) {
    TableReading reading;
    const int rows = int(table.cells.size());
    const int columns = int(table.columns.size());
    std::vector<bool> used(size_t(columns), false);
    for (int r = 0; r < rows; ++r) {
        bool any = false;
        for (int k = 0; k < columns; ++k) {
            if (CellText(table, r, k).empty()) continue;
            any = true;
            used[size_t(k)] = true;
        }
        if (any) reading.rows.push_back(r);
    }
    // A heading over nothing (the qualifying's empty pit column) is no column to walk through.
    for (int k = 0; k < columns; ++k)
        if (used[size_t(k)]) reading.columns.push_back(k);
    return reading;
}

} // namespace karven
