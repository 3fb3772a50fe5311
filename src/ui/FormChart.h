#pragma once
// A chart control: its lines in their machine colours and looks on two axes, a legend beside it
// that draws each line as it is. A click on a legend entry picks its line out (again: none); the
// pointer on a point tells whose it is and its value.

#include <QChartView>
#include <functional>
#include <memory>
#include <vector>

#include "shell/Chart.h"

class QLineSeries;

namespace karven::ui {

class FormChart : public QChartView {
public:
    // `picked`: the player picked that line out (-1 none) by the legend.
    FormChart(QWidget* parent, std::function<void(int)> picked);
    // The chart as the form has it now: drawn again only when its lines are new.
    void Show(const std::shared_ptr<const Chart>& chart, int picked);
    int Picked() const { return picked_; }
    const std::vector<QLineSeries*>& Lines() const { return lines_; }

private:
    void Draw(const Chart& chart);

    std::function<void(int)> onPicked_;
    std::shared_ptr<const Chart> shown_;
    std::vector<QLineSeries*> lines_;
    int picked_ = -1;
};

} // namespace karven::ui
