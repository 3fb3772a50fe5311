#include "ui/FormChart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QGraphicsSimpleTextItem>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QHelpEvent>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScatterSeries>
#include <QSignalBlocker>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "ui/ChartLines.h"
#include "ui/FocusStyle.h"
#include "ui/FormView.h"
#include "ui/FormViewParts.h"

namespace karven::ui {

namespace {
constexpr int MarkSize = 13;
constexpr double BarWidth = 0.8;

// ○ a stop, ▲ a penalty, ✕ a retirement: dark outlines that show on every machine colour.
QImage MarkImage(int kind) {
    QImage image(MarkSize * 2, MarkSize * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(2, 2, MarkSize - 4, MarkSize - 4);
    switch (kind) {
    case 0:
        p.setPen(QPen(QColor(30, 30, 30), 1.6));
        p.setBrush(Qt::white);
        p.drawEllipse(box);
        break;
    case 1:
        p.setPen(QPen(QColor(120, 0, 0), 1.2));
        p.setBrush(QColor(220, 30, 30));
        p.drawPolygon(QPolygonF({QPointF(box.center().x(), box.top()), box.bottomRight(), box.bottomLeft()}));
        break;
    default:
        for (auto [colour, width] : {std::pair{QColor(Qt::white), 4.2}, std::pair{QColor(Qt::black), 2.2}}) {
            p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(box.topLeft(), box.bottomRight());
            p.drawLine(box.topRight(), box.bottomLeft());
        }
        break;
    }
    return image;
}

QAbstractAxis* Axis(const ChartAxis& shown) {
    QAbstractAxis* axis;
    if (shown.fitLabels) { // the numbers are written by FitLabels as the height allows
        auto* places = new QCategoryAxis;
        places->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        places->setStartValue(shown.from);
        places->setRange(shown.from, shown.top);
        axis = places;
    } else {
        auto* values = new QValueAxis;
        values->setRange(shown.from, shown.top);
        values->setTickType(QValueAxis::TicksDynamic);
        values->setTickAnchor(0);
        values->setTickInterval(shown.step * std::max(1, shown.labelEvery));
        values->setMinorTickCount(std::max(1, shown.labelEvery) - 1);
        values->setLabelFormat(shown.step == std::floor(shown.step) ? "%d" : "%.1f");
        axis = values;
    }
    axis->setTitleText(ToQt(shown.title));
    axis->setReverse(shown.reversed);
    return axis;
}
} // namespace

FormChart::FormChart(QWidget* parent, std::function<void(int)> picked, std::function<void()> checked)
    : QWidget(parent), onPicked_(std::move(picked)), onChecked_(std::move(checked)), view_(new QChartView(new QChart)),
      layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    row->addWidget(view_, 1);
    layout_->addLayout(row, 1);
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setFocusPolicy(Qt::NoFocus); // read by its legend, or the list above it
    // The chart's own hover goes to the topmost item alone, and the marks lie over every line.
    view_->viewport()->setMouseTracking(true);
    view_->viewport()->installEventFilter(this);
    connect(view_->chart(), &QChart::plotAreaChanged, this, [this] {
        FitLabels();
        PlaceBarLabels();
    });
    // The legend's list is made with the chart, so that Tab reaches it in the window's order; it
    // shows where the chart has its legend as a list.
    legend_ = new QListWidget;
    legend_->setObjectName("chartLegend");
    legend_->setIconSize(QSize(36, 14));
    legend_->setMinimumWidth(190);
    legend_->setMaximumWidth(240);
    legend_->hide();
    row->addWidget(legend_);
    connect(legend_, &QListWidget::currentRowChanged, this, [this](int line) { Pick(line, true); });
    connect(legend_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int line = legend_->row(item);
        if (line < 0 || line >= int(lines_.size())) return;
        lines_[size_t(line)]->setVisible(item->checkState() == Qt::Checked);
        if (onChecked_) onChecked_();
    });
}

bool FormChart::Listed() const { return shown_ && shown_->legendList; }

void FormChart::Show(const std::shared_ptr<const Chart>& chart, int picked, const std::vector<bool>& checks) {
    const bool drawn = chart != shown_;
    if (drawn) {
        shown_ = chart;
        if (chart) Draw(*chart);
    }
    if (!shown_) return;
    ShowChecks(checks);
    if (drawn || picked != picked_) Pick(picked >= -1 && picked < int(lines_.size()) ? picked : -1, false);
}

std::vector<bool> FormChart::Checks() const {
    std::vector<bool> checks;
    if (!Listed() || !(legend_->count() > 0 && (legend_->item(0)->flags() & Qt::ItemIsUserCheckable))) return checks;
    for (int row = 0; row < legend_->count(); ++row) checks.push_back(legend_->item(row)->checkState() == Qt::Checked);
    return checks;
}

void FormChart::Draw(const Chart& data) {
    QChart* drawn = view_->chart();
    drawn->removeAllSeries();
    for (QAbstractAxis* axis : drawn->axes()) {
        drawn->removeAxis(axis);
        delete axis;
    }
    lines_.clear();
    setFocusPolicy(Qt::NoFocus);
    for (QGraphicsSimpleTextItem* label : barLabels_) delete label;
    barLabels_.clear();
    barSets_.clear();
    bars_ = nullptr;
    labelEvery_ = 0;
    if (data.Bars()) return DrawBars(data);
    for (const ChartLine& line : data.lines) {
        auto* series = new QLineSeries;
        series->setName(ToQt(line.name));
        for (size_t s = 0; s < line.values.size(); ++s) series->append(double(line.first + int(s)), line.values[s]);
        Paint(*series, detail::ToColor(line.colour), LookOf(line.look), data.markers);
        drawn->addSeries(series);
        lines_.push_back(series);
    }
    AddMarks(data);
    QAbstractAxis* x = Axis(data.x);
    QAbstractAxis* y = Axis(data.y);
    drawn->addAxis(x, Qt::AlignBottom);
    drawn->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* series : drawn->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    FitLabels();
    legend_->setVisible(data.legendList);
    legend_->setToolTip(ToQt(data.legendTip));
    if (data.legendList) {
        drawn->legend()->setVisible(false); // the list beside the chart is the legend
        DrawLegendList(data);
    } else {
        legend_->clear();
        // The legend draws each line as it is: its colour, its dashes and its marker.
        drawn->legend()->setAlignment(Qt::AlignRight);
        drawn->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
        drawn->legend()->setToolTip(ToQt(data.legendTip));
        const QList<QLegendMarker*> markers = drawn->legend()->markers();
        for (int i = 0; i < markers.size() && i < int(lines_.size()); ++i)
            connect(markers[i], &QLegendMarker::clicked, this, [this, i] { Pick(picked_ == i ? -1 : i, true); });
    }
    if (!data.markNames.empty() && !key_) {
        key_ = new QWidget;
        auto* key = new QHBoxLayout(key_);
        key->setContentsMargins(4, 0, 4, 0);
        for (int kind = 0; kind < int(data.markNames.size()); ++kind) {
            auto* picture = new QLabel;
            picture->setPixmap(QPixmap::fromImage(MarkImage(kind)));
            picture->setAccessibleName(ToQt(data.markNames[size_t(kind)]));
            key->addWidget(picture);
            key->addWidget(new QLabel(ToQt(data.markNames[size_t(kind)])));
            key->addSpacing(12);
        }
        key->addStretch();
        layout_->addWidget(key_);
    }
    if (!data.info.empty() && !words_) {
        words_ = new QLabel;
        words_->setObjectName("chartWords");
        words_->setWordWrap(true);
        words_->setMinimumHeight(words_->fontMetrics().height() * 2 + 4);
        layout_->addWidget(words_);
    }
}

// Qt draws no number for a bar of nothing, so the chart writes its own beside every bar.
void FormChart::DrawBars(const Chart& data) {
    QChart* drawn = view_->chart();
    legend_->hide();
    legend_->setToolTip(ToQt(data.legendTip));
    for (const std::string& name : data.barSets) barSets_.push_back(new QBarSet(ToQt(name)));
    QStringList names;
    for (size_t i = data.lines.size(); i-- > 0;) { // a horizontal chart draws its first category at the bottom
        names << ToQt(data.lines[i].name);
        for (size_t set = 0; set < barSets_.size(); ++set)
            *barSets_[set] << (set < data.lines[i].values.size() ? data.lines[i].values[set] : 0.0);
    }
    bars_ = new QHorizontalBarSeries;
    bars_->setBarWidth(BarWidth);
    for (QBarSet* set : barSets_) bars_->append(set);
    drawn->addSeries(bars_);
    auto* categories = new QBarCategoryAxis;
    categories->append(names);
    drawn->addAxis(categories, Qt::AlignLeft);
    bars_->attachAxis(categories);
    auto* values = new QValueAxis;
    values->setRange(data.x.from, data.x.top);
    values->setTickType(QValueAxis::TicksDynamic);
    values->setTickAnchor(data.x.from);
    values->setTickInterval(data.x.step);
    values->setLabelFormat(QString("%d") + ToQt(data.x.unit).replace("%", "%%"));
    drawn->addAxis(values, Qt::AlignBottom);
    bars_->attachAxis(values);
    drawn->legend()->setVisible(barSets_.size() > 1);
    drawn->legend()->setAlignment(Qt::AlignBottom);
    drawn->legend()->setMarkerShape(QLegend::MarkerShapeRectangle);
    for (QBarSet* set : barSets_)
        for (int i = 0; i < set->count(); ++i) {
            auto* label = new QGraphicsSimpleTextItem(drawn);
            label->setZValue(10); // over the bars
            label->setText(ToQt(ChartNumber(set->at(i)) + data.x.unit));
            barLabels_.push_back(label);
        }
    connect(bars_, &QHorizontalBarSeries::hovered, this, [this](bool on, int i, QBarSet* set) {
        const int line = int(shown_ ? shown_->lines.size() : 0) - 1 - i;
        const auto s = std::find(barSets_.begin(), barSets_.end(), set);
        hoverTip_ = on && shown_ && s != barSets_.end() ? ToQt(shown_->BarTip(size_t(line), size_t(s - barSets_.begin()))) : QString();
        if (on) QToolTip::showText(QCursor::pos(), hoverTip_, view_->viewport());
    });
    PlaceBarLabels();
    // No list beside the bars: the chart itself takes the keyboard and tells its bars in words.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(ToQt(data.info));
}

// Beside the end of its bar; inside it, in white, where the plot ends first.
void FormChart::PlaceBarLabels() {
    if (!bars_) return;
    QChart* c = view_->chart();
    const QRectF plot = c->plotArea();
    const int sets = int(barSets_.size());
    size_t next = 0;
    for (int s = 0; s < sets; ++s)
        for (int i = 0; i < barSets_[size_t(s)]->count() && next < barLabels_.size(); ++i) {
            QGraphicsSimpleTextItem* label = barLabels_[next++];
            // Bar s of a category: the sets side by side across the bar width, the first lowest.
            const double middle = i - BarWidth / 2 + (s + 0.5) * BarWidth / sets;
            const QPointF end = c->mapToPosition(QPointF(barSets_[size_t(s)]->at(i), middle), bars_);
            const QRectF box = label->boundingRect();
            const bool inside = end.x() + 4 + box.width() > plot.right();
            label->setBrush(inside ? QColor(Qt::white) : QColor(40, 40, 40));
            label->setPos(inside ? end.x() - 4 - box.width() : end.x() + 4, end.y() - box.height() / 2);
        }
}

void FormChart::DrawLegendList(const Chart& data) {
    legend_->setAccessibleDescription(ToQt(data.legendTip));
    // The same cars in a chart drawn again (its scale new): the list, its place and focus stay.
    bool same = legend_->count() == int(data.lines.size());
    for (int row = 0; same && row < legend_->count(); ++row) same = legend_->item(row)->text() == ToQt(data.lines[size_t(row)].name);
    if (same) return;
    const QSignalBlocker quiet(legend_);
    legend_->clear();
    for (const ChartLine& line : data.lines) {
        auto* item = new QListWidgetItem(LineIcon(detail::ToColor(line.colour), LookOf(line.look), data.markers), ToQt(line.name));
        item->setToolTip(ToQt(line.summary.empty() ? line.Who() : line.summary));
        legend_->addItem(item);
    }
}

void FormChart::ShowChecks(const std::vector<bool>& checks) {
    if (!Listed()) {
        for (QLineSeries* line : lines_) line->setVisible(true);
        return;
    }
    const QSignalBlocker quiet(legend_);
    for (int row = 0; row < legend_->count() && row < int(lines_.size()); ++row) {
        QListWidgetItem* item = legend_->item(row);
        const bool checkable = !checks.empty();
        const bool on = !checkable || (size_t(row) < checks.size() && checks[size_t(row)]);
        item->setFlags(checkable ? item->flags() | Qt::ItemIsUserCheckable : item->flags() & ~Qt::ItemIsUserCheckable);
        if (checkable) item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
        else item->setData(Qt::CheckStateRole, QVariant());
        lines_[size_t(row)]->setVisible(on);
    }
}

void FormChart::AddMarks(const Chart& data) {
    for (int kind = 0; kind < int(data.markNames.size()); ++kind) {
        auto* marks = new QScatterSeries;
        marks->setName(ToQt(data.markNames[size_t(kind)]));
        marks->setLightMarker(MarkImage(kind));
        marks->setMarkerSize(MarkSize);
        for (const ChartMark& m : data.marks)
            if (m.kind == kind) marks->append(m.step, m.value);
        view_->chart()->addSeries(marks);
    }
}

// A number on every step where the chart is tall enough for them all, else on every 2nd, 5th, …
// (a number taller than its room would show as "...").
void FormChart::FitLabels() {
    if (!shown_ || !shown_->y.fitLabels) return;
    const ChartAxis& axis = shown_->y;
    auto* places = qobject_cast<QCategoryAxis*>(view_->chart()->axes(Qt::Vertical).value(0));
    if (!places || !(axis.step > 0) || !(axis.top > axis.from)) return;
    const double room = view_->chart()->plotArea().height() * axis.step / (axis.top - axis.from);
    const int every = FittedLabelEvery(room, QFontMetrics(places->labelsFont()).height() + 10); // with the axis's own padding
    if (every == labelEvery_) return;
    labelEvery_ = every;
    for (const QString& label : places->categoriesLabels()) places->remove(label);
    const long first = long(std::ceil(axis.from / axis.step - 1e-9));
    for (long k = first; k * axis.step <= axis.top + 1e-9; ++k)
        if (every == 1 || k == first || k % every == 0) places->append(ToQt(ChartNumber(double(k) * axis.step)), double(k) * axis.step);
}

void FormChart::Pick(int line, bool told) {
    picked_ = line;
    Highlight(lines_, line >= 0 ? lines_[size_t(line)] : nullptr);
    Words(line);
    if (Listed() && legend_->currentRow() != line) {
        const QSignalBlocker quiet(legend_);
        legend_->setCurrentRow(line);
    }
    if (told && onPicked_) onPicked_(line);
}

void FormChart::Words(int line, int step) {
    if (words_ && shown_) words_->setText(ToQt(shown_->Words(line, step)));
}

int FormChart::LineAt(QPointF inChart) const {
    constexpr double Reach = 6; // pixels either side of a line
    int nearest = -1;
    double best = Reach;
    QChart* chart = view_->chart();
    for (int row = 0; row < int(lines_.size()); ++row) {
        QLineSeries* line = lines_[size_t(row)];
        if (!line->isVisible()) continue;
        const QList<QPointF> points = line->points();
        for (int i = 0; i < int(points.size()); ++i) {
            const QPointF b = chart->mapToPosition(points[i], line);
            const QPointF a = i > 0 ? chart->mapToPosition(points[i - 1], line) : b;
            // The distance to the segment a–b.
            const QPointF ab = b - a;
            const double length = QPointF::dotProduct(ab, ab);
            const double t = length > 0 ? std::clamp(QPointF::dotProduct(inChart - a, ab) / length, 0.0, 1.0) : 0;
            const QPointF gap = inChart - (a + t * ab);
            const double distance = std::hypot(gap.x(), gap.y());
            if (distance < best) best = distance, nearest = row;
        }
    }
    return nearest;
}

void FormChart::PointerAt(QPoint atViewport) {
    if (bars_) return; // the bars tell their own
    QChart* chart = view_->chart();
    const QPointF inChart = chart->mapFromScene(view_->mapToScene(atViewport));
    if (!shown_ || lines_.empty() || !chart->plotArea().contains(inChart)) return Hover(-1, 0);
    for (const ChartMark& m : shown_->marks) {
        if (m.line < 0 || m.line >= int(lines_.size()) || !lines_[size_t(m.line)]->isVisible()) continue;
        const QPointF at = chart->mapToPosition(QPointF(m.step, m.value), lines_[size_t(m.line)]) - inChart;
        if (std::abs(at.x()) > MarkSize / 2.0 || std::abs(at.y()) > MarkSize / 2.0) continue;
        hoverTip_ = ToQt(shown_->MarkTip(m));
        QToolTip::showText(view_->viewport()->mapToGlobal(atViewport), hoverTip_, view_->viewport());
        Highlight(lines_, lines_[size_t(m.line)]);
        Words(m.line);
        return;
    }
    const int row = LineAt(inChart);
    if (row < 0) return Hover(-1, 0);
    const double x = chart->mapToValue(inChart, lines_[size_t(row)]).x();
    Hover(row, std::clamp(int(std::lround(x)), int(std::ceil(shown_->x.from)), int(std::floor(shown_->x.top))));
}

void FormChart::Hover(int line, int step) {
    if (line < 0) {
        if (!hoverTip_.isEmpty()) QToolTip::hideText();
        hoverTip_.clear();
        Highlight(lines_, picked_ >= 0 ? lines_[size_t(picked_)] : nullptr);
        Words(picked_);
        return;
    }
    Highlight(lines_, lines_[size_t(line)]);
    Words(line, step);
    hoverTip_ = ToQt(shown_->PointTip(size_t(line), step));
    QToolTip::showText(QCursor::pos(), hoverTip_, view_->viewport());
}

bool FormChart::event(QEvent* event) {
    if (event->type() == QEvent::ToolTipChange) view_->setToolTip(toolTip());
    // A chart that takes the keyboard (bars) shows the ring the other controls show.
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        view_->setStyleSheet(event->type() == QEvent::FocusIn
                                 ? QString("QChartView { border: %1px solid %2; }").arg(FocusRingWidth).arg(FocusRingColor.name())
                                 : QString());
    return QWidget::event(event);
}

bool FormChart::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view_->viewport()) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: PointerAt(static_cast<QMouseEvent*>(event)->position().toPoint()); break;
    case QEvent::Leave: Hover(-1, 0); break;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            const QPointF inChart = view_->chart()->mapFromScene(view_->mapToScene(static_cast<QMouseEvent*>(event)->position().toPoint()));
            if (int row = LineAt(inChart); row >= 0) Pick(row, true);
        }
        break;
    case QEvent::ToolTip: {
        // Resting on a line tells whose it is; elsewhere what the chart shows.
        auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), hoverTip_.isEmpty() ? toolTip() : hoverTip_, view_->viewport());
        return true;
    }
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace karven::ui
