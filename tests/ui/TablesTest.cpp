// Tables a player can read: no team or driver name of the default season, nor a twenty-character
// team name, is cut in the constructors' standings or the season results table.
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
const char* const LongTeam = "アルファベータガンマ・デルタイプシロンゼ"; // twenty characters

// Every line of the label fits its width, and all lines its height; a line breaks only after "・".
void ExpectWhole(const QLabel& label) {
    QStringList lines = label.text().split('\n');
    QFontMetrics metrics = label.fontMetrics();
    for (const QString& line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line), label.width()) << label.objectName().toStdString() << ": "
                                                                  << line.toStdString();
    EXPECT_LE(lines.size() * metrics.lineSpacing(), label.height()) << label.objectName().toStdString();
    for (int i = 0; i + 1 < lines.size(); ++i) EXPECT_TRUE(lines[i].endsWith("・")) << label.text().toStdString();
}

struct ScoredSeason : test::GameUnderTest {
    ScoredSeason() : GameUnderTest(3) {
        Start([this](Season& s) {
            s.TimTable[5].TimNm = LongTeam;
            s.Sis.EndGp = "1";
            for (int t = 1; t <= ReadCount(s.TimCount); ++t) s.TimTable[t].Points = std::to_string(t);
            for (int d = 1; d <= 32; ++d) s.DrvTable[d].Result[1] = std::to_string(d % 8 + 1);
            SetMainState(game.shell.main, CommandState::BetweenGps);
        });
    }
};
} // namespace

TEST(Tables, ConstructorsStandingsShowEveryTeamNameWhole) {
    ScoredSeason s;
    s.window.findChild<QPushButton*>("cmdTimRank")->click();
    int shown = 0;
    for (int k = 1; k <= 16; ++k) {
        auto* team = s.window.findChild<QLabel*>(QString("lbl2(%1)").arg(k));
        shown += !team->text().isEmpty();
        ExpectWhole(*team);
        EXPECT_TRUE(s.window.findChild<QLabel*>(QString("lbl3(%1)").arg(k))->isHidden());
    }
    EXPECT_EQ(shown, 16);
    s.window.grab().save(test::ScreenPath("constructors.png"));

    s.window.findChild<QPushButton*>("cmdDrvRank")->click(); // the team column is back beside the driver
    EXPECT_FALSE(s.window.findChild<QLabel*>("lbl3(1)")->isHidden());
    EXPECT_LT(s.window.findChild<QLabel*>("lbl2(1)")->width(), 200);
}

TEST(Tables, SeasonResultsBreakTeamNamesOnlyAfterTheDot) {
    ScoredSeason s;
    bool looked = false;
    test::WhenModal([&](QWidget& dialog) {
        looked = true;
        dialog.grab().save(test::ScreenPath("seiseki_names.png"));
        for (int i = 1; i <= 16; ++i) ExpectWhole(*dialog.findChild<QLabel*>(QString("lbl3(%1)").arg(i)));
        for (int r = 1; r <= 32; ++r) ExpectWhole(*dialog.findChild<QLabel*>(QString("lbl2(%1)").arg(r)));
        EXPECT_TRUE(dialog.findChild<QLabel*>("lbl3(5)")->text().contains("・\n"));
        // The default season's teams, "レッドフォックス・ヴォルタ" the longest, each on one line.
        for (int i = 1; i <= 16; ++i)
            if (i != 5) EXPECT_FALSE(dialog.findChild<QLabel*>(QString("lbl3(%1)").arg(i))->text().contains('\n')) << i;
        test::PressKey(dialog, Qt::Key_Return);
    });
    s.window.findChild<QPushButton*>("cmdSeiseki")->click();
    EXPECT_TRUE(looked);
}

TEST(Tables, GridShowsEveryDriverAndTeamNameOfTheDefaultSeasonWhole) {
    // The drivers' standings in two halves, so that every driver of the season gets a row.
    for (int half = 0; half < 2; ++half) {
        test::GameUnderTest g(3);
        int drivers = 0;
        g.Start([&](Season& s) {
            drivers = ReadCount(s.DrvCount);
            s.Sis.EndGp = "1";
            for (int d = 1; d <= drivers; ++d)
                if ((d - 1) * 2 / drivers == half) s.DrvTable[d].Result[1] = "1";
            SetMainState(g.game.shell.main, CommandState::BetweenGps);
        });
        ASSERT_GT(drivers, 32);
        g.window.findChild<QPushButton*>("cmdDrvRank")->click();
        int shown = 0;
        for (int k = 1; k <= GridRows; ++k) {
            auto* driver = g.window.findChild<QLabel*>(QString("lbl2(%1)").arg(k));
            shown += !driver->text().isEmpty();
            ExpectWhole(*driver);
            ExpectWhole(*g.window.findChild<QLabel*>(QString("lbl3(%1)").arg(k)));
        }
        EXPECT_EQ(shown, half == 0 ? drivers / 2 : drivers - drivers / 2);
    }
}
