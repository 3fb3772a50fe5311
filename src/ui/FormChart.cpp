#include "ui/FormChart.h"

#include <QCursor>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "ui/FormView.h"
#include "ui/FormViewParts.h"
#include "ui/analysis/ChartLines.h"

namespace karven::ui {

namespace {
QValueAxis* Axis(const ChartAxis& shown) {
    auto* axis = new QValueAxis;
    axis->setRange(0, shown.top);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(shown.step * std::max(1, shown.labelEvery));
    axis->setMinorTickCount(std::max(1, shown.labelEvery) - 1);
    axis->setLabelFormat(shown.step == std::floor(shown.step) ? "%d" : "%.1f");
    axis->setTitleText(ToQt(shown.title));
    return axis;
}
} // namespace

FormChart::FormChart(QWidget* parent, std::function<void(int)> picked)
    : QChartView(new QChart, parent), onPicked_(std::move(picked)) {
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::NoFocus); // read by its legend's list and the list above it
}

void FormChart::Show(const std::shared_ptr<const Chart>& chart, int picked) {
    if (chart != shown_) {
        shown_ = chart;
        picked_ = -1;
        if (chart) Draw(*chart);
    }
    if (picked != picked_ && picked >= -1 && picked < int(lines_.size())) {
        picked_ = picked;
        Highlight(lines_, picked >= 0 ? lines_[size_t(picked)] : nullptr);
    }
}

void FormChart::Draw(const Chart& data) {
    QChart* drawn = chart();
    drawn->removeAllSeries();
    for (QAbstractAxis* axis : drawn->axes()) {
        drawn->removeAxis(axis);
        delete axis;
    }
    lines_.clear();
    for (size_t i = 0; i < data.lines.size(); ++i) {
        const ChartLine& line = data.lines[i];
        auto* series = new QLineSeries;
        series->setName(ToQt(line.name));
        for (size_t s = 0; s < line.values.size(); ++s) series->append(double(s), line.values[s]);
        Paint(*series, detail::ToColor(line.colour), LookOf(line.look));
        drawn->addSeries(series);
        connect(series, &QLineSeries::hovered, this, [this, i, series](const QPointF& at, bool on) {
            if (!on || !shown_) return QToolTip::hideText();
            const int step = std::clamp(int(std::lround(at.x())), 0, int(series->count()) - 1);
            QToolTip::showText(QCursor::pos(), ToQt(shown_->PointTip(i, size_t(step))));
        });
        lines_.push_back(series);
    }
    QValueAxis* x = Axis(data.x);
    QValueAxis* y = Axis(data.y);
    drawn->addAxis(x, Qt::AlignBottom);
    drawn->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* series : lines_) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    // The legend draws each line as it is: its colour, its dashes and its marker.
    drawn->legend()->setAlignment(Qt::AlignRight);
    drawn->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    drawn->legend()->setToolTip(ToQt(data.legendTip));
    const QList<QLegendMarker*> markers = drawn->legend()->markers();
    for (int i = 0; i < markers.size(); ++i)
        connect(markers[i], &QLegendMarker::clicked, this, [this, i] {
            const int now = picked_ == i ? -1 : i;
            Show(shown_, now);
            if (onPicked_) onPicked_(now);
        });
}

} // namespace karven::ui
