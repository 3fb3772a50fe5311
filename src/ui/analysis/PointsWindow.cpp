// ポイント推移: the points of the best drivers and of the teams, added up Grand Prix by Grand Prix.
#include <QChart>
#include <QChartView>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

#include "odds/PointsHistory.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/Grid.h"
#include "shell/Shell.h"
#include "ui/FormView.h"
#include "ui/analysis/Analysis.h"
#include "ui/analysis/MachineColor.h"

namespace karven::ui {

namespace {
constexpr int TopDrivers = 10;

QWidget* PointsChart(Shell& shell, const std::vector<PointsLine>& lines, int gps) {
    if (gps < 1 || lines.empty()) {
        auto* none = new QLabel("まだポイントを獲得したドライバーがいません。");
        none->setAlignment(Qt::AlignCenter);
        return none;
    }
    auto* chart = new QChart;
    int most = 0;
    QSet<QString> colours; // a second line of the same machine colour is dashed
    for (const PointsLine& line : lines) {
        auto* series = new QLineSeries;
        series->setName(ToQt(line.name));
        for (int g = 0; g <= gps; ++g) series->append(g, line.points[g]);
        most = std::max(most, line.points[gps]);
        QString colorNo = ToQt(line.colorNo);
        QColor colour = line.colorNo.empty()
                            ? QColor(120, 120, 120)
                            : MachineColor(ToQt(ColorFilePath(shell, line.colorNo, 1)), QColor(120, 120, 120));
        QPen pen(colour, 2.5);
        if (colours.contains(colorNo)) pen.setStyle(Qt::DashLine);
        colours.insert(colorNo);
        series->setPen(pen);
        series->setPointsVisible(true);
        chart->addSeries(series);
    }
    auto* axisX = new QValueAxis;
    axisX->setRange(0, gps);
    axisX->setTickCount(gps + 1);
    axisX->setLabelFormat("%d");
    axisX->setTitleText("グランプリ");
    auto* axisY = new QValueAxis;
    axisY->setRange(0, std::max(10, most + most / 10));
    axisY->applyNiceNumbers();
    axisY->setLabelFormat("%d");
    axisY->setTitleText("ポイント");
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(axisX);
        s->attachAxis(axisY);
    }
    chart->legend()->setAlignment(Qt::AlignRight);
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}
} // namespace

void ShowPointsWindow(Shell& shell, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName("frmPoints");
    dialog.setWindowTitle("ポイント推移");
    dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    dialog.resize(820, 560);
    auto* layout = new QVBoxLayout(&dialog);
    int gps = std::clamp(ReadCount(shell.season.Sis.EndGp), 0, ResultSlots);
    auto* tabs = new QTabWidget;
    tabs->setObjectName("pointsTabs");
    tabs->addTab(PointsChart(shell, DriverPointsLines(shell.season, TopDrivers), gps), "ドライバー（上位10人）");
    tabs->addTab(PointsChart(shell, TeamPointsLines(shell.season), gps), "チーム");
    layout->addWidget(tabs, 1);
    auto* note = new QLabel("各ＧＰの成績（リタイアは0ポイント）から。チームは現在の所属ドライバーの合計です。");
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* close = new QPushButton("閉じる");
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    dialog.exec();
}

} // namespace karven::ui
