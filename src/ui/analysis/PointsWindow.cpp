// ポイント推移: the points of the best drivers and of the teams, added up Grand Prix by Grand Prix.
// Team-mates share their machine's colour and differ by line and marker, which the legend shows;
// one line can be picked out, from the list above the chart or by clicking its legend entry.
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QSet>
#include <QTabWidget>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "odds/AnalysisView.h"
#include "odds/PointsHistory.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/Grid.h"
#include "shell/Shell.h"
#include "ui/FormView.h"
#include "ui/analysis/Analysis.h"
#include "ui/analysis/AnalysisWindow.h"
#include "ui/analysis/ChartLines.h"

namespace karven::ui {

namespace {
constexpr int TopDrivers = 10;

QChartView* PointsChart(Shell& shell, const std::vector<PointsLine>& lines, int gps) {
    auto* chart = new QChart;
    int most = 0;
    TeamPalette palette(shell);
    LookChooser looks;
    for (const PointsLine& line : lines) {
        auto* series = new QLineSeries;
        series->setName(ToQt(line.name));
        for (int g = 0; g <= gps; ++g) series->append(g, line.points[g]);
        most = std::max(most, line.points[gps]);
        const QColor colour = palette.Of(line.colorNo);
        Paint(*series, colour, looks.Next(palette.LookKey(line.colorNo)));
        chart->addSeries(series);
        QObject::connect(series, &QLineSeries::hovered, series, [series](const QPointF& at, bool on) {
            if (!on) return QToolTip::hideText();
            int g = std::clamp(int(std::lround(at.x())), 0, int(series->count()) - 1);
            QToolTip::showText(QCursor::pos(), TextF("{1}\n第{2}戦まで {3} ポイント", series->name().toStdString(), g,
                                                     QString::number(series->at(g).y()).toStdString()));
        });
    }
    auto* axisX = new QValueAxis;
    axisX->setRange(0, gps);
    axisX->setTickCount(gps + 1);
    axisX->setLabelFormat("%d");
    axisX->setTitleText(Text("グランプリ"));
    auto* axisY = new QValueAxis;
    axisY->setRange(0, std::max(10, most + most / 10));
    axisY->applyNiceNumbers();
    axisY->setLabelFormat("%d");
    axisY->setTitleText(Text("ポイント"));
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(axisX);
        s->attachAxis(axisY);
    }
    // The legend draws each line as it is: its colour, its dashes and its marker.
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    view->setToolTip(Text("線の上にマウスを置くと、その時点のポイントを表示します。凡例をクリックすると、その線を強調します。"));
    return view;
}

// The chart with its picker above it: なし or one of the lines.
QWidget* PointsPage(Shell& shell, const std::vector<PointsLine>& lines, int gps, const char* name) {
    if (gps < 1 || lines.empty()) {
        auto* none = new QLabel(Text("まだポイントを獲得したドライバーがいません。"));
        none->setObjectName(name);
        none->setAlignment(Qt::AlignCenter);
        return none;
    }
    auto* page = new QWidget;
    page->setObjectName(name);
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    auto* caption = new QLabel(Text("強調表示(&H)："));
    auto* picker = new QComboBox;
    picker->setObjectName("pointsHighlight");
    picker->setToolTip(Text("選んだ線を太く表示し、ほかの線を薄くします。"));
    caption->setBuddy(picker);
    picker->addItem(Text("なし"));
    for (const PointsLine& line : lines) picker->addItem(ToQt(line.name));
    row->addWidget(caption);
    row->addWidget(picker);
    row->addStretch();
    layout->addLayout(row);
    QChartView* view = PointsChart(shell, lines, gps);
    layout->addWidget(view, 1);
    QChart* chart = view->chart();
    std::vector<QLineSeries*> series;
    for (QAbstractSeries* s : chart->series()) series.push_back(static_cast<QLineSeries*>(s));
    QObject::connect(picker, &QComboBox::currentIndexChanged, chart, [series](int i) {
        Highlight(series, i >= 1 && i <= int(series.size()) ? series[size_t(i - 1)] : nullptr);
    });
    const QList<QLegendMarker*> markers = chart->legend()->markers();
    for (int i = 0; i < markers.size(); ++i)
        QObject::connect(markers[i], &QLegendMarker::clicked, picker, [picker, i] {
            picker->setCurrentIndex(picker->currentIndex() == i + 1 ? 0 : i + 1);
        });
    return page;
}

class PointsWindow : public AnalysisWindow {
public:
    PointsWindow(Shell& shell, QWidget* parent)
        : AnalysisWindow("frmPoints", PointsWords::Title, QSize(820, 580), parent) {
        int gps = std::clamp(ReadCount(shell.season.Sis.EndGp), 0, ResultSlots);
        QTabWidget* tabs = AddTabs("pointsTabs");
        const std::vector<PointsLine> lines[] = {DriverPointsLines(shell.season, TopDrivers), TeamPointsLines(shell.season)};
        static_assert(std::size(PointsWords::Pages) == std::size(lines));
        for (size_t i = 0; i < std::size(lines); ++i) {
            const AnalysisPage& page = PointsWords::Pages[i];
            const int at = tabs->addTab(PointsPage(shell, lines[i], gps, page.key), Text(page.title));
            tabs->setTabToolTip(at, Text(page.tip));
        }
        AddNoteAndClose(Text(PointsWords::Note));
    }
};
} // namespace

void ShowPointsWindow(Shell& shell, QWidget* parent) {
    PointsWindow window(shell, parent);
    window.exec();
}

} // namespace karven::ui
