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
#include <memory>
#include <mutex>
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
#include "ui/analysis/TitleRaceTable.h"
#include "ui/analysis/WhatIfBar.h"

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

template <size_t N> QStringList Texts(const char* const (&japanese)[N]) {
    QStringList shown;
    for (const char* text : japanese) shown << Text(text);
    return shown;
}

class OddsWindow : public AnalysisWindow {
public:
    OddsWindow(const Season& season, EventSwitches switches, QWidget* parent)
        : AnalysisWindow("frmOdds", OddsWords::Title, QSize(680, 580), parent), season_(season), switches_(switches) {
        int endGp = ReadCount(season.Sis.EndGp), gps = ReadCount(season.Sis.GpCount);
        decided_ = endGp >= gps;
        auto* heading = new QLabel(decided_ ? TextF(OddsWords::HeadingDecided, endGp)
                                            : TextF(OddsWords::HeadingOpen, endGp, gps - endGp));
        QFont big = heading->font();
        big.setPointSize(big.pointSize() + 2);
        big.setBold(true);
        heading->setFont(big);
        layout_->addWidget(heading);

        auto* row = new QHBoxLayout;
        status_ = new QLabel(Text(decided_ ? OddsWords::StatusDecided : OddsWords::StatusCounting));
        status_->setObjectName("oddsStatus");
        row->addWidget(status_, 1);
        bar_ = new QProgressBar;
        bar_->setRange(0, AnswerWithinMs);
        bar_->setTextVisible(false);
        bar_->setToolTip(Text(OddsWords::BarTip));
        row->addWidget(bar_, 1);
        stop_ = new QPushButton(Text(OddsWords::Stop));
        stop_->setObjectName("oddsStop");
        stop_->setToolTip(Text(OddsWords::StopTip));
        connect(stop_, &QPushButton::clicked, this, [this] {
            if (progress_) progress_->cancel = true;
        });
        row->addWidget(stop_);
        layout_->addLayout(row);

        if (!decided_) {
            whatIf_ = new WhatIfBar(season_, [this](const std::vector<FixedResult>& fixed) { Start(fixed); });
            layout_->addWidget(whatIf_);
        }
        tabs_ = AddTabs("oddsTabs");
        AddNoteAndClose(Text(decided_ ? OddsWords::NoteDecided : OddsWords::NoteOpen));
        if (decided_) {
            ShowFinal();
            return;
        }
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        Start({});
    }

    ~OddsWindow() override { StopWorker(); }

private:
    void StopWorker() {
        if (!progress_) return;
        progress_->cancel = true;
        if (worker_.joinable()) worker_.join();
    }

    // The odds from this future, in the background, and the exact title race beside them at once.
    void Start(const std::vector<FixedResult>& fixed) {
        StopWorker();
        timer_.stop();
        fixed_ = fixed;
        judged_.clear();
        for (Title title : {Title::Drivers, Title::Crowned, Title::Teams}) judged_.push_back(JudgeTitle(season_, title, fixed));
        progress_ = std::make_unique<OddsProgress>();
        finished_ = false;
        fresh_ = false;
        result_.reset();
        shownRuns_ = -1;
        progress_->partial = [this](const OddsResult& partial) {
            std::lock_guard<std::mutex> hold(partialLock_);
            partial_ = partial;
            fresh_ = true;
        };
        stop_->setEnabled(true);
        bar_->setValue(0);
        status_->setText(Text(OddsWords::StatusCounting));
        int current = tabs_->currentIndex();
        ShowOdds(nullptr);
        if (current >= 0 && current < tabs_->count()) tabs_->setCurrentIndex(current);
        uint64_t seed = std::random_device{}();
        int threads = int(std::max(1u, std::thread::hardware_concurrency()));
        clock_.start();
        worker_ = std::thread([this, seed, threads, fixed] {
            result_ = ChampionshipOdds(season_, MaxRuns, threads, seed, switches_, progress_.get(), fixed);
            finished_ = true;
        });
        timer_.start(40);
    }

    void Poll() {
        qint64 elapsed = clock_.elapsed();
        if (elapsed >= AnswerWithinMs) progress_->cancel = true;
        bar_->setValue(int(std::min<qint64>(elapsed, AnswerWithinMs)));
        status_->setText(TextF(OddsWords::Counting, progress_->done.load()));
        if (!finished_) {
            // The figures so far, refined block by block.
            std::optional<OddsResult> partial;
            {
                std::lock_guard<std::mutex> hold(partialLock_);
                if (fresh_) partial = partial_;
                fresh_ = false;
            }
            if (partial) ShowOdds(&*partial);
            return;
        }
        timer_.stop();
        worker_.join();
        bar_->setValue(AnswerWithinMs);
        stop_->setEnabled(false);
        status_->setText(TextF(OddsWords::Counted, result_->runs));
        ShowOdds(&*result_);
    }

    // The charts of these odds (none yet: empty pages) and the title race of the fixed future.
    void ShowOdds(const OddsResult* odds) {
        if (odds && odds->runs == shownRuns_) return;
        shownRuns_ = odds ? odds->runs : 0;
        int current = tabs_->currentIndex();
        while (tabs_->count() > 0) {
            QWidget* page = tabs_->widget(0);
            tabs_->removeTab(0);
            page->deleteLater();
        }
        static const OddsResult none;
        const OddsResult& shown = odds ? *odds : none;
        AddTab(new OddsChart(shown.drivers, true), OddsWords::Pages[0]);
        AddTab(new OddsChart(shown.teams, false), OddsWords::Pages[1]);
        AddTab(TitleRacePage(), OddsWords::Pages[2]);
        if (current >= 0) tabs_->setCurrentIndex(current);
    }

    // The three titles, exactly, from the fixed future: drivers, the market's crown, constructors.
    QWidget* TitleRacePage() {
        auto* inner = new QTabWidget;
        for (Title title : {Title::Drivers, Title::Crowned, Title::Teams}) {
            QTableWidget* table = TitleRaceTable(judged_[int(title)]);
            table->setObjectName(QString("titleRace%1").arg(int(title)));
            inner->addTab(table, Text(OddsWords::TitleRaceNames[int(title)]));
        }
        return inner;
    }

    void ShowFinal() {
        bar_->hide();
        stop_->hide();
        std::vector<QStringList> drivers, teams;
        for (const DriverStanding& d : DriverStandings(season_))
            drivers.push_back({QString::number(d.rank), ToQt(d.DrvNm), ToQt(d.TimNm), ToQt(d.Points)});
        for (const TeamStanding& t : TeamStandings(season_))
            teams.push_back({QString::number(t.rank), ToQt(t.TimNm), ToQt(t.Points)});
        AddTab(StandingsTable(Texts(OddsWords::DriverHeadings), drivers), OddsWords::Pages[0]);
        AddTab(StandingsTable(Texts(OddsWords::TeamHeadings), teams), OddsWords::Pages[1]);
    }

    void AddTab(QWidget* page, const AnalysisPage& shown) {
        page->setObjectName(shown.key);
        int at = tabs_->addTab(page, Text(shown.title));
        tabs_->setTabToolTip(at, TextF(OddsWords::PageTip, Tr(shown.title)));
    }

    Season season_; // the workers' own copy: the game's season is never touched from a thread
    EventSwitches switches_;
    bool decided_ = false;
    std::unique_ptr<OddsProgress> progress_;
    std::atomic<bool> finished_{false};
    std::vector<FixedResult> fixed_;
    std::vector<TitleRace> judged_; // the title race of the fixed future, by Title
    std::mutex partialLock_;
    std::optional<OddsResult> partial_;
    bool fresh_ = false;
    int shownRuns_ = -1;
    WhatIfBar* whatIf_ = nullptr;
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
    EventSwitches switches = shell.events;
    OddsWindow window(shell.season, switches, parent);
    window.exec();
}

} // namespace karven::ui
