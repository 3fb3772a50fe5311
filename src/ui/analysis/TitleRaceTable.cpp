#include "ui/analysis/TitleRaceTable.h"

#include <QHeaderView>
#include <algorithm>

#include "season/Numbers.h"
#include "ui/analysis/AnalysisWindow.h"

namespace karven::ui {

QTableWidget* TitleRaceTable(const TitleRace& race) {
    const std::vector<const TitleChance*> rows = TitleRaceRows(race);
    QStringList headings;
    for (const char* heading : OddsWords::TitleRaceHeadings) headings << Text(heading);
    auto* table = new QTableWidget(int(rows.size()), int(headings.size()));
    table->setHorizontalHeaderLabels(headings);
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(false);
    for (int r = 0; r < int(rows.size()); ++r) {
        const TitleChance& c = *rows[r];
        QStringList cells{ToQt(c.Nm), ToQt(FormatPlain(c.points)), Text(TitleStatusName(c.status)),
                          c.magicNumber > 0 ? QString::number(c.magicNumber) : QString(), ToQt(c.text)};
        for (int col = 0; col < cells.size(); ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            if (std::ranges::find(OddsWords::TitleRaceNumberColumns, col) != std::end(OddsWords::TitleRaceNumberColumns)) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (col == 4) item->setToolTip(cells[col]);
            if (c.status == TitleStatus::Eliminated) item->setForeground(Qt::gray);
            table->setItem(r, col, item);
        }
    }
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

} // namespace karven::ui
