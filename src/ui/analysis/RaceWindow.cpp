// レース分析: how a Grand Prix of the season unfolded, from its lap records: the lap chart, the
// gaps to the leader and the race report, for the race chosen in the drop-down.
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "odds/AnalysisView.h"
#include "odds/RaceStory.h"
#include "season/Season.h"
#include "shell/Shell.h"
#include "ui/FormView.h"
#include "ui/analysis/Analysis.h"
#include "ui/analysis/AnalysisWindow.h"
#include "ui/analysis/RaceCharts.h"
#include "ui/analysis/RaceReport.h"

namespace karven::ui {

namespace {
using Words = RaceAnalysisWords;

class RaceWindow : public AnalysisWindow {
public:
    RaceWindow(Shell& shell, QWidget* parent)
        : AnalysisWindow("frmRaceAna", Words::Title, QSize(980, 700), parent), shell_(shell),
          races_(shell.season.history.laps) {
        auto* row = new QHBoxLayout;
        auto* caption = new QLabel(Text(Words::Picker));
        picker_ = new QComboBox;
        picker_->setObjectName("raceGp");
        picker_->setToolTip(Text(Words::PickerTip));
        caption->setBuddy(picker_);
        for (const RaceLaps& race : races_) picker_->addItem(ToQt(RaceTitle(shell.season, race)));
        row->addWidget(caption);
        row->addWidget(picker_);
        row->addStretch();
        layout_->addLayout(row);

        if (races_.empty()) {
            picker_->setEnabled(false);
            auto* none = new QLabel(Text(Words::None));
            none->setObjectName("raceNone");
            none->setAlignment(Qt::AlignCenter);
            layout_->addWidget(none, 1);
        } else {
            tabs_ = AddTabs("raceTabs");
            for (const AnalysisPage& page : Words::Pages) {
                auto* holder = new QWidget;
                new QVBoxLayout(holder);
                holder->layout()->setContentsMargins(0, 0, 0, 0);
                const int at = tabs_->addTab(holder, Text(page.title));
                tabs_->setTabToolTip(at, Text(page.tip));
            }
            connect(picker_, &QComboBox::currentIndexChanged, this, [this](int i) { ShowRace(i); });
            picker_->setCurrentIndex(int(races_.size()) - 1); // the race just run
            ShowRace(picker_->currentIndex());
        }
        AddNoteAndClose(Text(Words::Note));
        picker_->setFocus();
    }

private:
    void ShowRace(int index) {
        if (index < 0 || index >= int(races_.size()) || index == shown_) return;
        shown_ = index;
        const RaceLaps& race = races_[size_t(index)];
        QWidget* pages[] = {new RaceChartPage(shell_, race, RaceChartPage::Kind::Places),
                            new RaceChartPage(shell_, race, RaceChartPage::Kind::Gaps), RaceReportPage(race)};
        for (int i = 0; i < 3; ++i) {
            QLayout* holder = tabs_->widget(i)->layout();
            while (QLayoutItem* old = holder->takeAt(0)) {
                delete old->widget();
                delete old;
            }
            holder->addWidget(pages[i]);
        }
    }

    Shell& shell_;
    const std::vector<RaceLaps>& races_;
    QComboBox* picker_;
    QTabWidget* tabs_ = nullptr;
    int shown_ = -1;
};
} // namespace

void ShowRaceWindow(Shell& shell, QWidget* parent) {
    RaceWindow window(shell, parent);
    window.exec();
}

} // namespace karven::ui
