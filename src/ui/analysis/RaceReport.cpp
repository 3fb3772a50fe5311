#include "ui/analysis/RaceReport.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "odds/AnalysisView.h"
#include "odds/RaceStory.h"
#include "race/RaceState.h"
#include "ui/FormView.h"
#include "ui/analysis/AnalysisWindow.h"

namespace karven::ui {

namespace {
constexpr int CellWidth = 20;
constexpr int StripHeight = 34;

QColor ColourOf(int weather) {
    const uint32_t rgb = WeatherColour(weather);
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QTableWidget* ReportTable(const RaceLaps& race) {
    QStringList headings;
    for (const std::string& h : RaceReportHeadings()) headings << ToQt(h);
    const std::vector<CarStory> stories = CarStories(race);
    auto* table = new QTableWidget(int(stories.size()), int(headings.size()));
    table->setObjectName("raceReport");
    table->setHorizontalHeaderLabels(headings);
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setAlternatingRowColors(true);
    table->setToolTip(Text("ゴール時の順位です。増減はグリッドからの順位の上下、ピットとペナルティは入った周回です。"));
    for (int r = 0; r < int(stories.size()); ++r) {
        const CarStory& s = stories[size_t(r)];
        const std::vector<std::string> cells = RaceReportRow(race, s);
        for (int c = 0; c < int(headings.size()); ++c) {
            auto* item = new QTableWidgetItem(ToQt(cells[size_t(c)]));
            const bool number = std::find(std::begin(RaceReportNumberColumns), std::end(RaceReportNumberColumns), c) !=
                                std::end(RaceReportNumberColumns);
            item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            if (c == 4 && s.Gained() != 0) item->setForeground(s.Gained() > 0 ? QColor(0, 130, 60) : QColor(190, 30, 30));
            if (s.retiredLap) item->setForeground(c == 4 ? item->foreground() : QBrush(QColor(130, 130, 130)));
            table->setItem(r, c, item);
        }
    }
    // The names take what the numbers leave.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    return table;
}
} // namespace

WeatherStrip::WeatherStrip(const RaceLaps& race) {
    setObjectName("raceWeather");
    weather_.push_back(race.startWeather);
    for (const RaceLap& lap : race.laps) weather_.push_back(lap.weather);
    setToolTip(Text("スタート（S）と周回ごとの天気：晴（黄）晴れ、曇（灰）くもり、雨（青）雨。"));
    setAccessibleName(ToQt(WeatherStory(race)));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize WeatherStrip::sizeHint() const { return {int(weather_.size()) * CellWidth + 80, StripHeight}; }
QSize WeatherStrip::minimumSizeHint() const { return {200, StripHeight}; }

void WeatherStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int n = int(weather_.size());
    const int label = 56;
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(0, 0, label, 18), Qt::AlignLeft | Qt::AlignVCenter, Text("天気"));
    // The cells share the width left, at most CellWidth each.
    const double cell = std::min<double>(CellWidth, double(width() - label - 2) / std::max(n, 1));
    for (int i = 0; i < n; ++i) {
        QRectF box(label + i * cell, 0, cell - 1, 18);
        p.fillRect(box, ColourOf(weather_[size_t(i)]));
        bool marked = i == 0 || i % 5 == 0 || i == n - 1;
        if (marked) {
            QString text = i == 0 ? "S" : QString::number(i);
            p.drawText(QRectF(box.center().x() - 20, 19, 40, StripHeight - 19), Qt::AlignHCenter | Qt::AlignTop, text);
        }
    }
    // The weather's letter in its cells, so that the colour is not the only sign: in each cell
    // where it fits, else once over a stretch of the same weather wide enough for it.
    const double letterWidth = p.fontMetrics().horizontalAdvance(QString::fromUtf8(WeatherLetter(3))) + 2;
    for (int from = 0; from < n;) {
        const int weather = weather_[size_t(from)];
        int to = from;
        while (to + 1 < n && weather_[size_t(to + 1)] == weather) ++to;
        p.setPen(weather == 3 ? Qt::white : QColor(0x20, 0x20, 0x20));
        const QString letter = QString::fromUtf8(WeatherLetter(weather));
        if (cell >= letterWidth) {
            for (int i = from; i <= to; ++i) p.drawText(QRectF(label + i * cell, 0, cell - 1, 18), Qt::AlignCenter, letter);
        } else if ((to - from + 1) * cell >= letterWidth) {
            p.drawText(QRectF(label + from * cell, 0, (to - from + 1) * cell - 1, 18), Qt::AlignCenter, letter);
        }
        from = to + 1;
    }
}

QWidget* RaceReportPage(const RaceLaps& race) {
    auto* page = new QWidget;
    page->setObjectName("raceReportPage");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(new WeatherStrip(race));
    auto* line = new QLabel(ToQt(RaceReportSummary(race)));
    line->setObjectName("raceSummary");
    layout->addWidget(line);
    layout->addWidget(ReportTable(race), 1);
    return page;
}

} // namespace karven::ui
