#pragma once
// The lap chart and the gap chart of one race: a line per car beside a legend that names it.
// Hovering a line or choosing it in the legend picks it out and tells who it is; in the gap chart
// the legend's check boxes choose the cars drawn.

#include <QPointF>
#include <QWidget>
#include <vector>

#include "odds/RaceStory.h"

class QCategoryAxis;
class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QListWidget;

namespace karven {
class Shell;
}

namespace karven::ui {

class RaceChartPage : public QWidget {
public:
    enum class Kind { Places, Gaps };
    RaceChartPage(Shell& shell, const RaceLaps& race, Kind kind);

    QChartView* View() const { return view_; }
    QListWidget* Legend() const { return legend_; }
    const std::vector<QLineSeries*>& Lines() const { return lines_; } // in finishing order

protected:
    // The pointer over the chart: the nearest line within reach picks out, a click keeps it so.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct MarkAt {
        QPointF value;
        int row;
        int kind;
    };
    void AddPlaceMarks();
    void PointerAt(QPoint atViewport);
    // The line drawn nearest to that point of the chart, within reach of the pointer; -1 none.
    int LineAt(QPointF inChart) const;
    void FitPlaceLabels();
    void FitGapAxis();
    void Pick(int row);                 // -1: none
    void Show(int row, int lap = -1);   // the driver of this line in the line under the chart
    void Hovered(int row, QPointF at, bool on);

    Kind kind_;
    std::vector<CarStory> stories_;
    int laps_ = 0;
    QChart* chart_;
    QCategoryAxis* placesAxis_ = nullptr;
    int labelEvery_ = 0;
    QChartView* view_;
    QListWidget* legend_;
    QLabel* info_;
    std::vector<QLineSeries*> lines_;
    std::vector<MarkAt> marks_; // ○ ▲ ✕ and the car of each
    int picked_ = -1;
    QString hoverTip_; // what the pointer rests on, "" nothing
};

} // namespace karven::ui
