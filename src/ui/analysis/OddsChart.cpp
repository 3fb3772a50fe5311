#include "ui/analysis/OddsChart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QCursor>
#include <QGraphicsSimpleTextItem>
#include <QHorizontalBarSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "ui/FormView.h"
#include "ui/analysis/AnalysisWindow.h"

namespace karven::ui {

namespace {
constexpr double BarWidth = 0.8;
} // namespace

// Qt draws no label for a bar of nothing, so the chart writes its own beside every bar.
OddsChart::OddsChart(std::vector<OddsEntry> entries, bool drivers) : QChartView(new QChart) {
    entries = OddsShown(std::move(entries), drivers);
    const size_t shown = entries.size();

    sets_.push_back(new QBarSet(Text(OddsWords::TitleSet)));
    if (drivers) sets_.push_back(new QBarSet(Text(OddsWords::CrownSet)));
    QStringList names;
    for (size_t i = shown; i-- > 0;) { // a horizontal chart draws its first category at the bottom
        names << ToQt(entries[i].Nm);
        *sets_[0] << OddsPercent(entries[i].title);
        if (drivers) *sets_[1] << OddsPercent(entries[i].crowned);
    }
    series_ = new QHorizontalBarSeries;
    series_->setBarWidth(BarWidth);
    for (QBarSet* set : sets_) series_->append(set);
    QChart* c = chart();
    c->addSeries(series_);
    auto* axisY = new QBarCategoryAxis;
    axisY->append(names);
    c->addAxis(axisY, Qt::AlignLeft);
    series_->attachAxis(axisY);
    auto* axisX = new QValueAxis;
    axisX->setObjectName("oddsAxis");
    axisX->setRange(0, 100);
    axisX->setTickCount(6);
    axisX->setLabelFormat("%d%%");
    c->addAxis(axisX, Qt::AlignBottom);
    series_->attachAxis(axisX);
    c->legend()->setVisible(drivers);
    c->legend()->setAlignment(Qt::AlignBottom);
    setRenderHint(QPainter::Antialiasing);
    setToolTip(Text(drivers ? OddsWords::DriversTip : OddsWords::TeamsTip));
    for (QBarSet* set : sets_)
        for (int i = 0; i < set->count(); ++i) {
            auto* label = new QGraphicsSimpleTextItem(c);
            label->setZValue(10); // over the bars
            label->setText(QString("%1%").arg(set->at(i)));
            labels_.push_back(label);
        }
    connect(c, &QChart::plotAreaChanged, this, [this] { PlaceLabels(); });
    connect(series_, &QHorizontalBarSeries::hovered, this, [names](bool on, int i, QBarSet* set) {
        if (on) QToolTip::showText(QCursor::pos(), QString("%1\n%2 %3%").arg(names[i], set->label()).arg(set->at(i)));
    });
}

// Beside the end of its bar; inside it, in white, where the plot ends first.
void OddsChart::PlaceLabels() {
    QChart* c = chart();
    const QRectF plot = c->plotArea();
    const int sets = int(sets_.size());
    size_t next = 0;
    for (int s = 0; s < sets; ++s) {
        for (int i = 0; i < sets_[s]->count(); ++i) {
            QGraphicsSimpleTextItem* label = labels_[next++];
            // Bar s of a category: the sets side by side across the bar width, the first lowest.
            double middle = i - BarWidth / 2 + (s + 0.5) * BarWidth / sets;
            QPointF end = c->mapToPosition(QPointF(sets_[s]->at(i), middle), series_);
            QRectF box = label->boundingRect();
            bool inside = end.x() + 4 + box.width() > plot.right();
            label->setBrush(inside ? QColor(Qt::white) : QColor(40, 40, 40));
            label->setPos(inside ? end.x() - 4 - box.width() : end.x() + 4, end.y() - box.height() / 2);
        }
    }
}

} // namespace karven::ui
