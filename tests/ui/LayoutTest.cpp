// Nothing hides the race: the message windows, placed by their rules over the main window at its
// natural size, leave the grid, the weather panel and the race picture in view; long texts wrap.
#include <QLabel>
#include <QMainWindow>
#include <gtest/gtest.h>

#include "ModalDriver.h"
#include "Screens.h"
#include "season/Season.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "shell/Random.h"
#include "shell/Shell.h"
#include "support/Language.h"
#include "ui/QtPlatform.h"

using namespace karven;

namespace {
const std::string Team20 = "アルファベータガンマ・デルタイプシロンゼ"; // twenty characters
const std::string Driver20 = "ジョナサン・クリストファー・アレクサンダ";
const std::string TeamLatin20 = "Alphabeta Gammadelta"; // as long in Latin letters
const std::string DriverLatin20 = "Jonathan Christopher";

QRect OnScreen(const QWidget* w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); }

struct MainAtNaturalSize {
    Season season;
    ui::Binder binder;
    ui::QtPlatform platform{binder};
    GameRandom random{1};
    Shell shell{season, platform, random};
    QMainWindow& window = binder.BindMain(shell.main);
    std::vector<QRect> keepClear;

    explicit MainAtNaturalSize(int view) {
        SetRaceView(shell.main, RaceView(view));
        binder.RefreshAll();
        window.show();
        QApplication::processEvents();
        for (int c = 1; c <= 6; ++c)
            for (int k = 1; k <= GridRows; ++k)
                keepClear.push_back(OnScreen(window.findChild<QWidget*>(QString("lbl%1(%2)").arg(c).arg(k))));
        if (view == 2)
            for (const char* panel : {"lblTenkiBox", "lblBox"})
                keepClear.push_back(OnScreen(window.findChild<QWidget*>(panel)));
    }

    // Shows the window with this text and checks where it lies and that its text fits it.
    void Check(const std::string& text, const std::function<void()>& show, const char* screen) {
        shell.MsgText = text;
        bool looked = false;
        test::WhenModal([&](QWidget& dialog) {
            looked = true;
            QRect placed = dialog.frameGeometry();
            for (const QRect& r : keepClear) EXPECT_FALSE(placed.intersects(r)) << screen;
            auto* label = dialog.findChild<QLabel*>("lblMsg");
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << screen << ": the text is cut";
            EXPECT_EQ(dialog.width(), dialog.minimumWidth()) << "a long text does not widen the window";
            window.grab().save(test::ScreenPath(screen)); // the main window: what stays in view
            test::PressKey(dialog, Qt::Key_Return);
        });
        show();
        EXPECT_TRUE(looked) << screen;
    }
};
} // namespace

TEST(Layout, MessageWindowsLeaveTheGridAndTheRacePanelInView) {
    for (Language language : {Language::Japanese, Language::English}) {
        LanguageScope scope(language);
        const bool english = language == Language::English;
        const std::string team = english ? TeamLatin20 : Team20, driver = english ? DriverLatin20 : Driver20;
        const std::string suffix = english ? "_en.png" : ".png";
        for (int view : {1, 2}) {
            MainAtNaturalSize m(view);
            m.shell.SkipOffered = view == 2;
            // The longest of each kind: a market announcement, the race's start question, a penalty.
            m.Check(TrF("{1} に\r\n{2}\r\nが移籍決定！！", team, driver), [&] { ShowOk(m.shell); },
                    ("layout_notice" + suffix).c_str());
            m.Check(TrF("第{1}戦", 17) + CrLf + Tr("超テクニカルサーキット") + CrLf + TrF("{1} ＧＰ", team) + CrLf +
                        TrF("天候は {1} 降水確率は {2}%", Tr("くもり"), 60) + CrLf + CrLf +
                        Tr("決勝をスタートしてよろしいですか？"),
                    [&] { AskOkCancel(m.shell); }, ("layout_question" + suffix).c_str());
            m.Check(TrF("{1}位\r\n{2}\r\n（{3}）\r\n\r\nピットレーン速度違反による\r\nペナルティが出ました！！", 32,
                        driver, team),
                    [&] { ShowComment(m.shell); }, ("layout_comment" + suffix).c_str());
        }
    }
}
