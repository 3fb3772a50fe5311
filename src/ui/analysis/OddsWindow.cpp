// チャンピオン予想: the rest of the season played out in the background, then the title odds as bars;
// once no Grand Prix is left, the title is decided and the final standings show instead.
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <optional>
#include <random>
#include <thread>

#include "odds/ChampionshipOdds.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/Shell.h"
#include "standings/Rankings.h"
#include "ui/FormView.h"
#include "ui/analysis/Analysis.h"
#include "ui/analysis/AnalysisWindow.h"
#include "ui/analysis/OddsChart.h"

namespace karven::ui {

namespace {
constexpr int MaxRuns = 20000;
constexpr int AnswerWithinMs = 2000; // the player waits about this long; fewer runs if need be
// The final standings: place, name (and team), points; the champion in bold.
QTableWidget* StandingsTable(const QStringList& headings, const std::vector<QStringList>& rows) {
    auto* table = new QTableWidget(int(rows.size()), int(headings.size()));
    table->setHorizontalHeaderLabels(headings);
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < int(headings.size()); ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            if (c == 0 || c == headings.size() - 1) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (rows[r][0] == "1") {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            table->setItem(r, c, item);
        }
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

class OddsWindow : public AnalysisWindow {
public:
    OddsWindow(const Season& season, EventSwitches switches, QWidget* parent)
        : AnalysisWindow("frmOdds", "チャンピオン予想", QSize(680, 580), parent), season_(season), switches_(switches) {
        int endGp = ReadCount(season.Sis.EndGp), gps = ReadCount(season.Sis.GpCount);
        decided_ = endGp >= gps;
        auto* heading = new QLabel(decided_ ? TextF("第{1}戦終了　全日程終了", endGp)
                                            : TextF("第{1}戦終了時点　残り {2} 戦", endGp, gps - endGp));
        QFont big = heading->font();
        big.setPointSize(big.pointSize() + 2);
        big.setBold(true);
        heading->setFont(big);
        layout_->addWidget(heading);

        auto* row = new QHBoxLayout;
        status_ = new QLabel(Text(decided_ ? "タイトルは決定しました。最終のランキングです。" : "残りのレースを試算しています…"));
        status_->setObjectName("oddsStatus");
        row->addWidget(status_, 1);
        bar_ = new QProgressBar;
        bar_->setRange(0, AnswerWithinMs);
        bar_->setTextVisible(false);
        bar_->setToolTip(Text("試算は約2秒で終わります。"));
        row->addWidget(bar_, 1);
        stop_ = new QPushButton(Text("中止"));
        stop_->setObjectName("oddsStop");
        stop_->setToolTip(Text("試算を打ち切り、ここまでの結果で予想します。"));
        connect(stop_, &QPushButton::clicked, this, [this] { progress_.cancel = true; });
        row->addWidget(stop_);
        layout_->addLayout(row);

        tabs_ = AddTabs("oddsTabs");
        AddNoteAndClose(Text(decided_ ? "ストーブリーグを確定すると、ドライバーズランキング首位がチャンピオンになります。"
                                      : "ゲームと同じルールで残りの全ＧＰ（予選・決勝）を繰り返し走らせた結果です。"
                                        "王座はストーブリーグの評価ポイントによるものです。"));
        if (decided_) {
            ShowFinal();
            return;
        }

        tabs_->setEnabled(false);
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

    ~OddsWindow() override {
        progress_.cancel = true;
        if (worker_.joinable()) worker_.join();
    }

private:
    void Poll() {
        qint64 elapsed = clock_.elapsed();
        if (elapsed >= AnswerWithinMs) progress_.cancel = true;
        bar_->setValue(int(std::min<qint64>(elapsed, AnswerWithinMs)));
        status_->setText(TextF("試算中… {1} 回", progress_.done.load()));
        if (!finished_) return;
        timer_.stop();
        worker_.join();
        bar_->setValue(AnswerWithinMs);
        stop_->setEnabled(false);
        status_->setText(TextF("{1} 回の試算による予想", result_->runs));
        AddTab(new OddsChart(result_->drivers, true), "oddsDrivers", "ドライバー");
        AddTab(new OddsChart(result_->teams, false), "oddsTeams", "コンストラクター");
        tabs_->setEnabled(true);
    }

    void ShowFinal() {
        bar_->hide();
        stop_->hide();
        std::vector<QStringList> drivers, teams;
        for (const DriverStanding& d : DriverStandings(season_))
            drivers.push_back({QString::number(d.rank), ToQt(d.DrvNm), ToQt(d.TimNm), ToQt(d.Points)});
        for (const TeamStanding& t : TeamStandings(season_))
            teams.push_back({QString::number(t.rank), ToQt(t.TimNm), ToQt(t.Points)});
        AddTab(StandingsTable({Text("順位"), Text("ドライバー"), Text("チーム"), Text("ポイント")}, drivers), "oddsDrivers",
               "ドライバー");
        AddTab(StandingsTable({Text("順位"), Text("チーム"), Text("ポイント")}, teams), "oddsTeams", "コンストラクター");
    }

    void AddTab(QWidget* page, const char* name, const char* title) {
        page->setObjectName(name);
        int at = tabs_->addTab(page, Text(title));
        tabs_->setTabToolTip(at, TextF("{1}（Ctrl+Tab で切替）", Tr(title)));
    }

    Season season_; // the workers' own copy: the game's season is never touched from a thread
    EventSwitches switches_;
    bool decided_ = false;
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
    OddsWindow window(shell.season, switches, parent);
    window.exec();
}

} // namespace karven::ui
