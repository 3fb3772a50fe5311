#pragma once
// レースレポート: the classification with where each car started, what it gained, its stops, the
// fastest lap and its points, under a strip of the weather lap by lap.

#include <QWidget>

#include "season/RaceLaps.h"

class QTableWidget;

namespace karven::ui {

// The weather of the start and of every lap, a coloured cell each.
class WeatherStrip : public QWidget {
public:
    explicit WeatherStrip(const RaceLaps& race);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::vector<int> weather_; // [0] the start, then lap by lap
};

// The report page: the strip, then the table in finishing order.
QWidget* RaceReportPage(const RaceLaps& race);

} // namespace karven::ui
