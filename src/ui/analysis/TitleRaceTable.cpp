#include "ui/analysis/TitleRaceTable.h"

#include <QHeaderView>
#include <algorithm>

#include "season/Numbers.h"
#include "ui/analysis/AnalysisWindow.h"

namespace karven::ui {

namespace {
QString StatusText(const TitleChance& c) {
    switch (c.status) {
    case TitleStatus::Champion: return Text("チャンピオン");
    case TitleStatus::Contender: return Text("可能性あり");
    default: return Text("可能性なし");
    }
}
} // namespace

QTableWidget* TitleRaceTable(const TitleRace& race) {
    // Champions and contenders first, then by points; equal points keep table order.
    std::vector<const TitleChance*> rows;
    for (const TitleChance& c : race.entries)
        if (c.status != TitleStatus::Eliminated || c.points > 0) rows.push_back(&c);
    std::stable_sort(rows.begin(), rows.end(), [](const TitleChance* a, const TitleChance* b) {
        bool ia = a->status != TitleStatus::Eliminated, ib = b->status != TitleStatus::Eliminated;
        return ia != ib ? ia : a->points > b->points;
    });
    QStringList headings{Text("名前"), Text("ポイント"), Text("状況"), Text("マジック"), Text("条件・理由")};
    auto* table = new QTableWidget(int(rows.size()), int(headings.size()));
    table->setHorizontalHeaderLabels(headings);
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(false);
    for (int r = 0; r < int(rows.size()); ++r) {
        const TitleChance& c = *rows[r];
        QStringList cells{ToQt(c.Nm), ToQt(FormatPlain(c.points)), StatusText(c),
                          c.magicNumber > 0 ? QString::number(c.magicNumber) : QString(), ToQt(c.text)};
        for (int col = 0; col < cells.size(); ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            if (col == 1 || col == 3) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
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
