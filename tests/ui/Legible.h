#pragma once
// Whether a table shows what it holds: headings whole, rows on one line, every entry whole or cut
// with its whole text as the tooltip.

#include <QHeaderView>
#include <QTableWidget>
#include <string>
#include <vector>

namespace karven::test {

struct Legible {
    int whole = 0, cut = 0;
    std::vector<std::string> faults;
};

inline Legible Read(const QTableWidget& table) {
    Legible seen;
    const QFontMetrics metrics = table.fontMetrics();
    const QHeaderView* header = table.horizontalHeader();
    for (int c = 0; c < table.columnCount(); ++c)
        if (table.columnWidth(c) < header->sectionSizeHint(c))
            seen.faults.push_back("heading cut: " + table.horizontalHeaderItem(c)->text().toStdString());
    for (int r = 0; r < table.rowCount(); ++r) {
        if (table.rowHeight(r) >= 2 * metrics.lineSpacing()) seen.faults.push_back("row " + std::to_string(r) + " of two lines");
        for (int c = 0; c < table.columnCount(); ++c) {
            const QTableWidgetItem* item = table.item(r, c);
            if (!item || item->text().isEmpty()) continue;
            bool fits = metrics.horizontalAdvance(item->text()) + 8 <= table.columnWidth(c);
            if (fits) ++seen.whole;
            else if (item->toolTip() == item->text()) ++seen.cut;
            else seen.faults.push_back("cut without its tooltip: " + item->text().toStdString());
        }
    }
    return seen;
}

} // namespace karven::test
