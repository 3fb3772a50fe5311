#pragma once
// A chart control: its bars, or its lines in their machine colours and looks on two axes, with a legend that
// draws each line as it is, in the chart or as a list beside it the keyboard moves in (with check
// boxes where the form chooses the lines drawn). A legend entry picks its line out; the pointer on
// a line picks it out while it rests there and tells whose it is, a click keeps it so; the marks
// tell what happened where; the words under the chart tell of the line picked out.

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "shell/Chart.h"

class QBarSet;
class QChartView;
class QGraphicsSimpleTextItem;
class QHorizontalBarSeries;
class QLabel;
class QListWidget;
class QLineSeries;
class QVBoxLayout;

namespace karven::ui {

class FormChart : public QWidget {
public:
    // `picked`: the player picked a line out (-1 none); `checked`: changed a legend check box.
    FormChart(QWidget* parent, std::function<void(int)> picked, std::function<void()> checked);
    // The chart as the form has it now: drawn again only when its lines are new.
    void Show(const std::shared_ptr<const Chart>& chart, int picked, const std::vector<bool>& checks);
    int Picked() const { return picked_; }
    std::vector<bool> Checks() const;
    QChartView* View() const { return view_; }
    QListWidget* Legend() const { return Listed() ? legend_ : nullptr; } // nullptr where the legend is in the chart
    const std::vector<QLineSeries*>& Lines() const { return lines_; }
    // A bar chart's numbers beside its bars: one per bar, set by set.
    std::vector<const QGraphicsSimpleTextItem*> BarLabels() const { return {barLabels_.begin(), barLabels_.end()}; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override; // the chart's tip is its plot's too

private:
    bool Listed() const; // the legend is the list beside the chart
    void Draw(const Chart& chart);
    void DrawBars(const Chart& chart);
    void PlaceBarLabels();
    void DrawLegendList(const Chart& chart);
    void AddMarks(const Chart& chart);
    void FitLabels();
    void Pick(int line, bool told); // told: the player did it
    void ShowChecks(const std::vector<bool>& checks);
    int LineAt(QPointF inChart) const; // the line drawn nearest, within reach of the pointer; -1 none
    void PointerAt(QPoint atViewport);
    void Hover(int line, int step); // -1: the pointer left the lines
    void Words(int line, int step = -1);

    std::function<void(int)> onPicked_;
    std::function<void()> onChecked_;
    std::shared_ptr<const Chart> shown_;
    QChartView* view_;
    QVBoxLayout* layout_;
    QListWidget* legend_;
    QWidget* key_ = nullptr;
    QLabel* words_ = nullptr;
    std::vector<QLineSeries*> lines_;
    QHorizontalBarSeries* bars_ = nullptr;
    std::vector<QBarSet*> barSets_;
    std::vector<QGraphicsSimpleTextItem*> barLabels_;
    int picked_ = -1;
    int labelEvery_ = 0;
    QString hoverTip_; // what the pointer rests on, "" nothing
};

} // namespace karven::ui
