// チャンピオン予想: the rest of the season played out in the background, then the title odds as bars.
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDialog>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <atomic>
#include <optional>
#include <random>
#include <thread>

#include "odds/ChampionshipOdds.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/Shell.h"
#include "ui/FormView.h"
#include "ui/analysis/Analysis.h"

namespace karven::ui {

namespace {
constexpr int MaxRuns = 20000;
constexpr int AnswerWithinMs = 2000; // the player waits about this long; fewer runs if need be
constexpr int MostBars = 12;

// A chance in percent with one decimal, as the label beside its bar shows it.
double Percent(double p) { return std::round(1000 * p) / 10; }

// Bars of the chances, best on top, the numbers beside them.
QChartView* OddsChart(std::vector<OddsEntry> entries, bool drivers) {
    std::stable_sort(entries.begin(), entries.end(), [](const OddsEntry& a, const OddsEntry& b) {
        return a.title != b.title ? a.title > b.title : a.meanPoints > b.meanPoints;
    });
    // Everyone with a chance, and at least the three best placed.
    size_t shown = 0;
    while (shown < entries.size() && int(shown) < MostBars &&
           (shown < 3 || entries[shown].title > 0 || (drivers && entries[shown].crowned > 0)))
        ++shown;

    auto* title = new QBarSet("タイトル");
    auto* crowned = drivers ? new QBarSet("ストーブリーグ王座") : nullptr;
    for (QBarSet* set : {title, crowned})
        if (set) set->setLabelColor(QColor(40, 40, 40));
    QStringList names;
    for (size_t i = shown; i-- > 0;) { // a horizontal chart draws its first category at the bottom
        names << ToQt(entries[i].Nm);
        *title << Percent(entries[i].title);
        if (crowned) *crowned << Percent(entries[i].crowned);
    }
    auto* series = new QHorizontalBarSeries;
    series->append(title);
    if (crowned) series->append(crowned);
    series->setLabelsVisible(true);
    series->setLabelsFormat("@value%");
    series->setLabelsPrecision(4);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);

    auto* chart = new QChart;
    chart->addSeries(series);
    auto* axisY = new QBarCategoryAxis;
    axisY->append(names);
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);
    // Room for the number beside a bar of 100 %, without a scale mark past 100.
    auto* axisX = new QCategoryAxis;
    axisX->setRange(0, 120);
    axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (int p = 0; p <= 100; p += 20) axisX->append(QString("%1%").arg(p), p);
    axisX->append(" ", 120);
    chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    chart->legend()->setVisible(drivers);
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

class OddsDialog : public QDialog {
public:
    OddsDialog(const Season& season, EventSwitches switches, QWidget* parent)
        : QDialog(parent), season_(season), switches_(switches) {
        setObjectName("frmOdds");
        setWindowTitle("チャンピオン予想");
        setWindowFlag(Qt::WindowContextHelpButtonHint, false);
        resize(680, 560);

        auto* layout = new QVBoxLayout(this);
        int endGp = ReadCount(season.Sis.EndGp), gps = ReadCount(season.Sis.GpCount);
        auto* heading = new QLabel(QString("第%1戦終了時点　残り %2 戦").arg(endGp).arg(std::max(0, gps - endGp)));
        QFont big = heading->font();
        big.setPointSize(big.pointSize() + 2);
        big.setBold(true);
        heading->setFont(big);
        layout->addWidget(heading);

        auto* row = new QHBoxLayout;
        status_ = new QLabel("残りのレースを試算しています…");
        status_->setObjectName("oddsStatus");
        row->addWidget(status_, 1);
        bar_ = new QProgressBar;
        bar_->setRange(0, AnswerWithinMs);
        bar_->setTextVisible(false);
        row->addWidget(bar_, 1);
        stop_ = new QPushButton("中止");
        stop_->setObjectName("oddsStop");
        connect(stop_, &QPushButton::clicked, this, [this] { progress_.cancel = true; });
        row->addWidget(stop_);
        layout->addLayout(row);

        tabs_ = new QTabWidget;
        tabs_->setObjectName("oddsTabs");
        tabs_->setEnabled(false);
        layout->addWidget(tabs_, 1);

        auto* note = new QLabel("ゲームと同じルールで残りの全ＧＰ（予選・決勝）を繰り返し走らせた結果です。"
                                "王座はストーブリーグの評価ポイントによるものです。");
        note->setWordWrap(true);
        layout->addWidget(note);
        auto* close = new QPushButton("閉じる");
        close->setObjectName("oddsClose");
        close->setDefault(true);
        connect(close, &QPushButton::clicked, this, &QDialog::accept);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(close);
        layout->addLayout(buttons);

        uint64_t seed = std::random_device{}();
        int threads = int(std::max(1u, std::thread::hardware_concurrency()));
        clock_.start();
        worker_ = std::thread([this, seed, threads] {
            result_ = ChampionshipOdds(season_, MaxRuns, threads, seed, switches_, &progress_);
            finished_ = true;
        });
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start(40);
    }

    ~OddsDialog() override {
        progress_.cancel = true;
        if (worker_.joinable()) worker_.join();
    }

    const std::optional<OddsResult>& Result() const { return result_; }

private:
    void Poll() {
        qint64 elapsed = clock_.elapsed();
        if (elapsed >= AnswerWithinMs) progress_.cancel = true;
        bar_->setValue(int(std::min<qint64>(elapsed, AnswerWithinMs)));
        status_->setText(QString("試算中… %1 回").arg(progress_.done.load()));
        if (!finished_) return;
        timer_.stop();
        worker_.join();
        bar_->setValue(AnswerWithinMs);
        stop_->setEnabled(false);
        status_->setText(QString("%1 回の試算による予想").arg(result_->runs));
        tabs_->addTab(OddsChart(result_->drivers, true), "ドライバー");
        tabs_->addTab(OddsChart(result_->teams, false), "コンストラクター");
        tabs_->widget(0)->setObjectName("oddsDrivers");
        tabs_->widget(1)->setObjectName("oddsTeams");
        tabs_->setEnabled(true);
    }

    Season season_; // the workers' own copy: the game's season is never touched from a thread
    EventSwitches switches_;
    OddsProgress progress_;
    std::atomic<bool> finished_{false};
    std::optional<OddsResult> result_;
    std::thread worker_;
    QElapsedTimer clock_;
    QTimer timer_;
    QLabel* status_;
    QProgressBar* bar_;
    QPushButton* stop_;
    QTabWidget* tabs_;
};
} // namespace

void ShowOddsWindow(Shell& shell, QWidget* parent) {
    EventSwitches switches{shell.EvePit == "1", shell.EvePen == "1", shell.EveTen == "1"};
    OddsDialog dialog(shell.season, switches, parent);
    dialog.exec();
}

} // namespace karven::ui
