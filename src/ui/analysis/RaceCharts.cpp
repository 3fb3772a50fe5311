#include "ui/analysis/RaceCharts.h"

#include <QChart>
#include <QCategoryAxis>
#include <QChartView>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "ui/FormView.h"
#include "ui/analysis/AnalysisWindow.h"
#include "ui/analysis/ChartLines.h"

namespace karven::ui {

namespace {
constexpr int MarkSize = 13;

enum Mark { PitMark, PenaltyMark, RetiredMark };
using Words = RaceAnalysisWords;
constexpr const auto& MarkNames = Words::Marks;

// ○ a tyre stop, ▲ a penalty, ✕ a retirement: dark outlines that show on every machine colour.
QImage MarkImage(Mark mark) {
    QImage image(MarkSize * 2, MarkSize * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(2, 2, MarkSize - 4, MarkSize - 4);
    switch (mark) {
    case PitMark:
        p.setPen(QPen(QColor(30, 30, 30), 1.6));
        p.setBrush(Qt::white);
        p.drawEllipse(box);
        break;
    case PenaltyMark:
        p.setPen(QPen(QColor(120, 0, 0), 1.2));
        p.setBrush(QColor(220, 30, 30));
        p.drawPolygon(QPolygonF({QPointF(box.center().x(), box.top()), box.bottomRight(), box.bottomLeft()}));
        break;
    case RetiredMark:
        p.setPen(QPen(Qt::white, 4.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(box.topLeft(), box.bottomRight());
        p.drawLine(box.topRight(), box.bottomLeft());
        p.setPen(QPen(Qt::black, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(box.topLeft(), box.bottomRight());
        p.drawLine(box.topRight(), box.bottomLeft());
        break;
    }
    return image;
}

std::string Gap(double seconds) { return QString::number(seconds, 'f', 2).toStdString(); }

// Where the car started and finished, and its stops, in one line.
QString Summary(const CarStory& s) { return ToQt(CarSummary(s)); }

QValueAxis* LapAxis(int laps, const QString& title) {
    auto* axis = new QValueAxis;
    axis->setRange(0, std::max(laps, 1));
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(LapTickInterval(laps));
    axis->setLabelFormat("%d");
    axis->setTitleText(title);
    return axis;
}
} // namespace

RaceChartPage::RaceChartPage(Shell& shell, const RaceLaps& race, Kind kind)
    : kind_(kind), stories_(CarStories(race)), laps_(int(race.laps.size())), chart_(new QChart),
      view_(new QChartView(chart_)), legend_(new QListWidget), info_(new QLabel) {
    const bool places = kind == Kind::Places;
    setObjectName(places ? "raceLapPage" : "raceGapPage");
    view_->setObjectName(places ? "raceLapChart" : "raceGapChart");
    legend_->setObjectName(places ? "raceLegend" : "raceGapLegend");
    info_->setObjectName(places ? "raceLapInfo" : "raceGapInfo");

    TeamPalette palette(shell);
    LookChooser looks;
    for (int row = 0; row < int(stories_.size()); ++row) {
        const CarStory& s = stories_[size_t(row)];
        const QColor colour = palette.Of(s.names.ColorNo);
        const LineLook look = looks.Next(palette.LookKey(s.names.ColorNo));
        auto* series = new QLineSeries;
        series->setName(ToQt(s.names.DrvNm));
        Paint(*series, colour, look, false);
        if (places) {
            for (int lap = 0; lap <= laps_ && s.Ran(lap); ++lap) series->append(lap, s.place[size_t(lap)]);
            if (s.retiredLap) series->append(s.retiredLap, s.retiredPlace);
        } else {
            for (int lap = 1; lap <= laps_ && s.Ran(lap); ++lap) series->append(lap, s.gap[size_t(lap)]);
        }
        chart_->addSeries(series);
        lines_.push_back(series);

        auto* item = new QListWidgetItem(LineIcon(colour, look, false), QString("%1  %2").arg(s.finish, 2).arg(ToQt(s.names.DrvNm)));
        item->setToolTip(Summary(s));
        if (!places) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(row < Words::GapCarsAtFirst ? Qt::Checked : Qt::Unchecked);
            series->setVisible(row < Words::GapCarsAtFirst);
        }
        legend_->addItem(item);
    }
    if (places) AddPlaceMarks();

    chart_->legend()->setVisible(false); // the list beside the chart is the legend
    QValueAxis* axisX = LapAxis(laps_, places ? Text(Words::LapAxis) : Text(Words::GapLapAxis));
    QAbstractAxis* axisY;
    if (places) {
        placesAxis_ = new QCategoryAxis;
        placesAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        placesAxis_->setStartValue(0.5);
        placesAxis_->setRange(0.5, std::max(int(stories_.size()), 1) + 0.5);
        axisY = placesAxis_;
        axisY->setTitleText(Text(Words::PlaceAxis));
        connect(chart_, &QChart::plotAreaChanged, this, [this] { FitPlaceLabels(); });
    } else {
        axisY = new QValueAxis;
        axisY->setTitleText(Text(Words::GapAxis));
    }
    axisY->setReverse(true); // first place, and the leader, at the top
    chart_->addAxis(axisX, Qt::AlignBottom);
    chart_->addAxis(axisY, Qt::AlignLeft);
    for (QAbstractSeries* s : chart_->series()) {
        s->attachAxis(axisX);
        s->attachAxis(axisY);
    }
    if (places) FitPlaceLabels();
    else FitGapAxis();
    view_->setRenderHint(QPainter::Antialiasing);
    // The chart's own hover goes to the topmost item alone, and the marks lie over every line.
    view_->viewport()->setMouseTracking(true);
    view_->viewport()->installEventFilter(this);
    view_->setMinimumSize(420, 300);
    view_->setToolTip(Text(places ? Words::LapChartTip : Words::GapChartTip));

    legend_->setIconSize(QSize(36, 14));
    legend_->setMinimumWidth(190);
    legend_->setMaximumWidth(240);
    legend_->setToolTip(Text(places ? Words::LapLegendTip : Words::GapLegendTip));
    connect(legend_, &QListWidget::currentRowChanged, this, [this](int row) { Pick(row); });
    if (!places)
        connect(legend_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
            int row = legend_->row(item);
            if (row < 0 || row >= int(lines_.size())) return;
            lines_[size_t(row)]->setVisible(item->checkState() == Qt::Checked);
            FitGapAxis();
        });

    info_->setText(Text(Words::Info));
    info_->setWordWrap(true);
    info_->setMinimumHeight(info_->fontMetrics().height() * 2 + 4);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* row = new QHBoxLayout;
    row->addWidget(view_, 1);
    row->addWidget(legend_);
    layout->addLayout(row, 1);
    if (places) {
        auto* key = new QHBoxLayout;
        for (Mark mark : {PitMark, PenaltyMark, RetiredMark}) {
            auto* picture = new QLabel;
            picture->setPixmap(QPixmap::fromImage(MarkImage(mark)));
            key->addWidget(picture);
            key->addWidget(new QLabel(Text(MarkNames[mark])));
            key->addSpacing(12);
        }
        key->addStretch();
        layout->addLayout(key);
    }
    layout->addWidget(info_);
}

void RaceChartPage::AddPlaceMarks() {
    for (Mark mark : {PitMark, PenaltyMark, RetiredMark}) {
        auto* marks = new QScatterSeries;
        marks->setName(Text(MarkNames[mark]));
        marks->setLightMarker(MarkImage(mark));
        marks->setMarkerSize(MarkSize);
        for (int row = 0; row < int(stories_.size()); ++row) {
            const CarStory& s = stories_[size_t(row)];
            if (mark == RetiredMark) {
                if (s.retiredLap) marks_.push_back({QPointF(s.retiredLap, s.retiredPlace), row, mark});
                continue;
            }
            for (int lap : mark == PitMark ? s.pitLaps : s.penaltyLaps) {
                if (lap < 0 || lap > laps_) continue;
                // A car that broke in the lap it stopped stands where it broke.
                int place = s.Ran(lap) ? s.place[size_t(lap)] : s.retiredPlace;
                marks_.push_back({QPointF(lap, place), row, mark});
            }
        }
        for (const MarkAt& m : marks_)
            if (m.kind == mark) marks->append(m.value);
        chart_->addSeries(marks);
    }
}

int RaceChartPage::LineAt(QPointF inChart) const {
    constexpr double Reach = 6; // pixels either side of a line
    int nearest = -1;
    double best = Reach;
    for (int row = 0; row < int(lines_.size()); ++row) {
        const QLineSeries* line = lines_[size_t(row)];
        if (!line->isVisible()) continue;
        const QList<QPointF> points = line->points();
        for (int i = 0; i < int(points.size()); ++i) {
            const QPointF b = chart_->mapToPosition(points[i], const_cast<QLineSeries*>(line));
            const QPointF a = i > 0 ? chart_->mapToPosition(points[i - 1], const_cast<QLineSeries*>(line)) : b;
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

void RaceChartPage::PointerAt(QPoint atViewport) {
    const QPointF inChart = chart_->mapFromScene(view_->mapToScene(atViewport));
    if (!chart_->plotArea().contains(inChart)) return Hovered(-1, {}, false);
    for (const MarkAt& m : marks_) {
        const QPointF at = chart_->mapToPosition(m.value, lines_[size_t(m.row)]) - inChart;
        if (std::abs(at.x()) > MarkSize / 2.0 || std::abs(at.y()) > MarkSize / 2.0) continue;
        const CarStory& s = stories_[size_t(m.row)];
        hoverTip_ = TextF(Words::AtMark, CarName(s), int(m.value.x()), Tr(MarkNames[m.kind]));
        QToolTip::showText(view_->viewport()->mapToGlobal(atViewport), hoverTip_, view_->viewport());
        Highlight(lines_, lines_[size_t(m.row)]);
        Show(m.row);
        return;
    }
    const int row = LineAt(inChart);
    Hovered(row, row >= 0 ? chart_->mapToValue(inChart, lines_[size_t(row)]) : QPointF(), row >= 0);
}

bool RaceChartPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view_->viewport()) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: PointerAt(static_cast<QMouseEvent*>(event)->position().toPoint()); break;
    case QEvent::Leave: Hovered(-1, {}, false); break;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            const QPointF inChart = chart_->mapFromScene(view_->mapToScene(static_cast<QMouseEvent*>(event)->position().toPoint()));
            if (int row = LineAt(inChart); row >= 0) legend_->setCurrentRow(row);
        }
        break;
    case QEvent::ToolTip: {
        // Resting on a line tells whose it is; elsewhere what the chart shows.
        auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), hoverTip_.isEmpty() ? view_->toolTip() : hoverTip_, view_->viewport());
        return true;
    }
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

// A label on every place where the chart is tall enough for them all, else on every 2nd, 5th, …
// (a label taller than its room would show as "...").
void RaceChartPage::FitPlaceLabels() {
    const int cars = std::max(int(stories_.size()), 1);
    const double room = chart_->plotArea().height() / cars;
    const int needed = QFontMetrics(placesAxis_->labelsFont()).height() + 10; // with the axis's own padding
    int every = 1;
    for (int step : {2, 5, 10, 20, 50, 100, 200, 500, 1000})
        if (room * every < needed) every = step;
    if (every == labelEvery_) return;
    labelEvery_ = every;
    for (const QString& label : placesAxis_->categoriesLabels()) placesAxis_->remove(label);
    for (int k = 1; k <= cars; ++k)
        if (every == 1 || k == 1 || k % every == 0) placesAxis_->append(QString::number(k), k);
}

void RaceChartPage::FitGapAxis() {
    double most = 0;
    for (QLineSeries* line : lines_)
        if (line->isVisible())
            for (const QPointF& p : line->points()) most = std::max(most, p.y());
    auto* axis = static_cast<QValueAxis*>(chart_->axes(Qt::Vertical).value(0));
    if (!axis) return;
    // Qt's own nice numbers keep to four steps and can leave a third of the chart empty.
    const GapScale scale = GapAxisScale(most);
    axis->setRange(0, scale.top);
    axis->setTickCount(scale.steps + 1);
    axis->setLabelFormat(scale.step >= 1 ? "%.0f" : "%.1f");
}

void RaceChartPage::Pick(int row) {
    picked_ = row >= 0 && row < int(lines_.size()) ? row : -1;
    Highlight(lines_, picked_ >= 0 ? lines_[size_t(picked_)] : nullptr);
    Show(picked_);
}

void RaceChartPage::Show(int row, int lap) {
    if (row < 0) {
        info_->setText(Text(Words::Info));
        return;
    }
    const CarStory& s = stories_[size_t(row)];
    QString text = Summary(s);
    if (lap >= 0 && lap <= laps_) {
        if (kind_ == Kind::Places) text += "\n" + TextF(Words::AtPlace, lap, s.Ran(lap) ? s.place[size_t(lap)] : s.retiredPlace);
        else if (lap >= 1) text += "\n" + TextF(Words::AtGap, lap, Gap(s.gap[size_t(lap)]));
    }
    info_->setText(text);
}

void RaceChartPage::Hovered(int row, QPointF at, bool on) {
    if (!on || row < 0) {
        if (!hoverTip_.isEmpty()) QToolTip::hideText();
        hoverTip_.clear();
        Highlight(lines_, picked_ >= 0 ? lines_[size_t(picked_)] : nullptr);
        Show(picked_);
        return;
    }
    const int lap = std::clamp(int(std::lround(at.x())), 0, laps_);
    Highlight(lines_, lines_[size_t(row)]);
    Show(row, lap);
    const CarStory& s = stories_[size_t(row)];
    QString detail = kind_ == Kind::Places
                         ? TextF(Words::AtPlace, lap, s.Ran(lap) ? s.place[size_t(lap)] : s.retiredPlace)
                         : TextF(Words::AtGap, lap, Gap(s.gap[size_t(std::max(lap, 1))]));
    hoverTip_ = ToQt(CarName(s)) + "\n" + detail;
    QToolTip::showText(QCursor::pos(), hoverTip_, view_->viewport());
}

} // namespace karven::ui
