#include "ui/analysis/WhatIfBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "season/Numbers.h"
#include "season/Season.h"
#include "ui/analysis/AnalysisWindow.h"

namespace karven::ui {

namespace {
constexpr int Places = 3; // a winner, or the first three
}

WhatIfBar::WhatIfBar(const Season& season, Changed changed, QWidget* parent)
    : QWidget(parent), season_(season), changed_(std::move(changed)) {
    setObjectName("whatIf");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    outer->addLayout(row);
    auto* caption = new QLabel(Text(OddsWords::WhatIf));
    row->addWidget(caption);
    gp_ = new QComboBox;
    gp_->setObjectName("whatIfGp");
    gp_->setToolTip(Text(OddsWords::WhatIfGpTip));
    for (int g : WhatIfGps(season)) gp_->addItem(TextF(OddsWords::WhatIfGp, g, season.GpTable[g].GpNm), g);
    row->addWidget(gp_);
    const std::vector<int> drivers = WhatIfDrivers(season);
    for (int p = 1; p <= Places; ++p) {
        auto* place = new QComboBox;
        place->setObjectName(QString("whatIfPlace%1").arg(p));
        place->setToolTip(TextF(OddsWords::WhatIfPlaceTip, p));
        place->addItem(TextF(OddsWords::WhatIfPlaceNone, p), 0);
        for (int d : drivers) place->addItem(ToQt(season.DrvTable[d].DrvNm), d);
        row->addWidget(place, 1);
        places_.push_back(place);
    }
    auto* fix = new QPushButton(Text(OddsWords::Fix));
    fix->setObjectName("whatIfFix");
    fix->setToolTip(Text(OddsWords::FixTip));
    connect(fix, &QPushButton::clicked, this, [this] { Fix(); });
    row->addWidget(fix);
    auto* clear = new QPushButton(Text(OddsWords::Clear));
    clear->setObjectName("whatIfClear");
    clear->setToolTip(Text(OddsWords::ClearTip));
    connect(clear, &QPushButton::clicked, this, [this] { Clear(); });
    row->addWidget(clear);
    list_ = new QLabel;
    list_->setObjectName("whatIfList");
    list_->setWordWrap(true);
    outer->addWidget(list_);
    bool any = gp_->count() > 0;
    for (QWidget* w : std::initializer_list<QWidget*>{gp_, fix, clear}) w->setEnabled(any);
    for (QComboBox* p : places_) p->setEnabled(any);
    Show();
}

void WhatIfBar::Fix() {
    FixedResult fix;
    fix.gp = gp_->currentData().toInt();
    for (QComboBox* place : places_) {
        int d = place->currentData().toInt();
        if (d == 0) break; // places are fixed from the first down
        fix.drivers.push_back(d);
    }
    std::string problem = AddWhatIf(season_, fixed_, fix);
    if (!problem.empty()) {
        list_->setText(ToQt(problem));
        return;
    }
    Show();
    changed_(fixed_);
}

void WhatIfBar::Clear() {
    for (QComboBox* place : places_) place->setCurrentIndex(0);
    if (fixed_.empty()) return;
    fixed_.clear();
    Show();
    changed_(fixed_);
}

void WhatIfBar::Show() {
    list_->setText(ToQt(WhatIfText(season_, fixed_)));
}

} // namespace karven::ui
