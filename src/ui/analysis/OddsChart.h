#pragma once
// The title odds as bars, best on top, each bar with its number beside it, a "0%" one too.

#include <QChartView>
#include <vector>

#include "odds/ChampionshipOdds.h"

class QBarSet;
class QGraphicsSimpleTextItem;
class QHorizontalBarSeries;

namespace karven::ui {

class OddsChart : public QChartView {
public:
    // The title chances of the entries; for drivers also the market's crown.
    OddsChart(std::vector<OddsEntry> entries, bool drivers);
    // The numbers beside the bars, as shown: one per bar, in the order of the sets.
    std::vector<const QGraphicsSimpleTextItem*> Labels() const { return {labels_.begin(), labels_.end()}; }

private:
    void PlaceLabels();

    std::vector<QBarSet*> sets_;
    QHorizontalBarSeries* series_;
    std::vector<QGraphicsSimpleTextItem*> labels_;
};

} // namespace karven::ui
