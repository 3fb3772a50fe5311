// The transfer market in the real game window, played by the keyboard alone.
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <gtest/gtest.h>

#include "GameUnderTest.h"
#include "ModalDriver.h"
#include "Screens.h"
#include "app/Game.h"
#include "season/Numbers.h"
#include "shell/MainState.h"
#include "shell/Random.h"
#include "ui/QtPlatform.h"

using namespace karven;

namespace {

// The default season as if its last Grand Prix had just been run.
void FinishSeason(Season& season) {
    season.Sis.EndGp = season.Sis.GpCount;
    int gps = ReadCount(season.Sis.GpCount);
    for (int d = 1; d <= 32; ++d)
        for (int g = 1; g <= gps; ++g) season.DrvTable[d].Result[g] = std::to_string((d + 3 * g) % 32 + 1);
}

int RedSeats(QWidget& market) {
    int red = 0;
    for (int k = 1; k <= 32; ++k) {
        auto* seat = market.findChild<QLabel*>(QString("lbl2(%1)").arg(k));
        if (seat && seat->palette().color(QPalette::WindowText) == QColor(255, 0, 0)) ++red;
    }
    return red;
}
} // namespace

TEST(MarketWindow, AWholeMarketByEnterOpensTheNextSeason) {
    test::GameUnderTest w(8);
    w.Start([&](Season& s) {
        FinishSeason(s);
        SetMainState(w.game.shell.main, CommandState::SeasonOver);
    });
    test::AutoAnswer answer;

    int marketShown = 0, redAfterStart = 0, announcements = 0;
    bool seatsLiveDuringAnnouncement = false;
    QWidget* market = nullptr;
    answer.look = [&](QWidget& modal) {
        if (modal.objectName() == "frmkarvenoff") {
            market = &modal;
            if (++marketShown == 1)
                modal.grab().save(test::ScreenPath("market_open.png"));
            else
                redAfterStart = RedSeats(modal), modal.grab().save(test::ScreenPath("market_settled.png"));
        } else if (modal.objectName() == "frmMsgOk" && market) {
            ++announcements;
            seatsLiveDuringAnnouncement |= RedSeats(*market) > 0;
        }
    };
    auto* offSis = w.window.findChild<QPushButton*>("cmdOffSis");
    ASSERT_TRUE(offSis && offSis->isEnabled());
    offSis->click();

    EXPECT_EQ(marketShown, 2) << "Enter pressed START, then OK";
    EXPECT_GT(announcements, 32);
    EXPECT_TRUE(seatsLiveDuringAnnouncement) << "settled seats show while an announcement waits";
    EXPECT_GT(redAfterStart, 0);
    EXPECT_EQ(w.game.season.Sis.EndGp, "0");
    EXPECT_TRUE(w.window.findChild<QPushButton*>("cmdYosen")->isEnabled());
    EXPECT_FALSE(offSis->isEnabled());
    int seated = 0;
    for (int d = 1; d <= ReadCount(w.game.season.DrvCount); ++d)
        seated += !w.game.season.DrvTable[d].TimNo.empty();
    EXPECT_EQ(seated, redAfterStart);
}
