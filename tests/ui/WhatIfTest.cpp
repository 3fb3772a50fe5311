// The odds window's what-if: a fixed winner recomputes the odds and the exact title race at once,
// the season untouched; clearing returns to today.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include "GameUnderTest.h"
#include "ModalDriver.h"
#include "Screens.h"
#include "app/Game.h"
#include "season/Translate.h"
#include "support/Language.h"

using namespace karven;

namespace {
// The runs are over once 中止 has nothing left to stop.
bool Done(QWidget& dialog) { return !dialog.findChild<QPushButton*>("oddsStop")->isEnabled(); }

void WhatIfRound(Language language, const char* screen) {
    LanguageScope scope(language);
    test::HalfSeason s;
    Season before = s.game.season;
    int step = 0;
    QString listBefore, listAfter, first;
    int rowsAfter = 0;
    test::WhenModal([&](QWidget& dialog) {
        auto* timer = new QTimer(&dialog);
        QObject::connect(timer, &QTimer::timeout, &dialog, [&, timer] {
            if (!Done(dialog)) return;
            auto* tabs = dialog.findChild<QTabBar*>("oddsTabs");
            if (step == 0) {
                listBefore = dialog.findChild<QLabel*>("whatIfList")->text();
                // The last driver in the list wins the next Grand Prix.
                auto* place = dialog.findChild<QComboBox*>("whatIfPlace(1)");
                place->setCurrentIndex(place->count() - 1);
                first = place->currentText();
                dialog.findChild<QPushButton*>("whatIfFix")->click();
                step = 1;
                return;
            }
            if (step == 1) {
                tabs->setCurrentIndex(2);
                listAfter = dialog.findChild<QLabel*>("whatIfList")->text();
                auto* table = dialog.findChild<QTableWidget*>("titleRace");
                rowsAfter = table ? table->rowCount() : 0;
                dialog.grab().save(test::ScreenPath(screen));
                dialog.findChild<QPushButton*>("whatIfClear")->click();
                step = 2;
                return;
            }
            timer->stop();
            EXPECT_EQ(dialog.findChild<QLabel*>("whatIfList")->text(), listBefore);
            test::PressKey(dialog, Qt::Key_Escape);
        });
        timer->start(20);
    });
    s.game.shell.main.Click("Ana_Odds");
    EXPECT_EQ(step, 2);
    EXPECT_NE(listAfter, listBefore);
    EXPECT_TRUE(listAfter.contains(first)) << listAfter.toStdString();
    EXPECT_GT(rowsAfter, 0);
    EXPECT_EQ(s.game.season, before) << "a what-if never touches the season";
}

TEST(WhatIf, AFixedWinnerRecomputesAndClearingReturnsToToday) {
    WhatIfRound(Language::Japanese, "odds_whatif.png");
    WhatIfRound(Language::English, "odds_whatif_en.png");
}
} // namespace
