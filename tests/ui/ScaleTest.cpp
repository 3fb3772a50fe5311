// Every window scales as one: at several sizes no control leaves its window and no text is cut or
// ended with "…"; at start the main window fits a 1366×768 screen and a 1920×1080 one at 150 %;
// pictures are drawn sharp at any size and pixel ratio.
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QWindow>
#include <QScrollArea>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "AllWindows.h"
#include "GameUnderTest.h"
#include "ModalDriver.h"
#include "Screens.h"
#include "race/RaceState.h"
#include "race/SilentWeekend.h"
#include "ui/FormView.h"
#include "ui/PixmapCache.h"
#include "ui/WindowSize.h"
#include "ui/pictures/Catalogue.h"

using namespace karven;

namespace {
// What of the window is out of place: a control beyond the window's edge, a text wider or taller
// than its control, a text cut short with "…", a caption running into the key beside it.
std::vector<std::string> Untidy(QWidget& window) {
    std::vector<std::string> faults;
    QWidget* content = window.findChild<QWidget*>("content");
    const QRect inside = content->rect();
    const std::string form = window.objectName().toStdString();
    for (QWidget* w : content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isVisible()) continue;
        std::string name = form + " " + w->objectName().toStdString();
        if (!inside.contains(w->geometry())) faults.push_back(name + " leaves the window");
        const QFontMetrics metrics = w->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull()) {
            if (label->property("elided").toBool()) faults.push_back(name + " is elided: " + label->text().toStdString());
            QRect room = label->contentsRect();
            int across = room.width() - (label->frameWidth() > 0 ? metrics.horizontalAdvance('x') : 0);
            QStringList lines = label->text().split('\n');
            for (const QString& line : lines)
                if (metrics.horizontalAdvance(line) > across) faults.push_back(name + " is cut: " + line.toStdString());
            if (!label->text().isEmpty() && (lines.size() - 1) * metrics.lineSpacing() + metrics.height() > room.height() + 1)
                faults.push_back(name + " is cut below");
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            QString text = button->text().remove('&');
            int caption = metrics.horizontalAdvance(text);
            if (caption + 8 > button->width() || metrics.height() > button->height())
                faults.push_back(name + " caption cut: " + text.toStdString());
            if (auto* key = button->findChild<QLabel*>(); key && (button->width() + caption) / 2 + 2 > key->x())
                faults.push_back(name + " caption runs into its key");
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            for (int i = 0; i < list->count(); ++i)
                if (metrics.horizontalAdvance(list->item(i)->text()) + 8 > list->viewport()->width())
                    faults.push_back(name + " entry cut: " + list->item(i)->text().toStdString());
        }
    }
    return faults;
}

ui::FormView* ViewOf(ui::Binder& binder, QWidget& window) {
    for (ui::FormView* v : binder.Views())
        if (v->window() == &window) return v;
    return nullptr;
}

// Gives the window's content area this size.
// Gives the window's content that size; a window too large for the screen shows its content in a
// scroll area, whose view is then that size.
void ResizeContent(QWidget& window, QSize size) {
    QWidget* content = window.findChild<QWidget*>("content");
    auto* scroll = window.findChild<QScrollArea*>("scrollContent");
    QWidget* shown = scroll ? scroll->viewport() : content;
    // Twice: the view widens by the scroll bars it no longer needs.
    for (int i = 0; i < (scroll ? 2 : 1); ++i) {
        window.resize(window.size() + size - shown->size());
        QApplication::processEvents();
    }
}

QSize Scaled(QSize natural, double factor) { return (QSizeF(natural) * factor).toSize(); }

// The window as a window manager frames it: the frame's corner where the window was moved to,
// the assumed frame around its size. (The offscreen platform draws no frame.)
// The whole window, its frame included: the frame the platform puts around it once shown.
QRect Framed(const QWidget& window) { return window.frameGeometry(); }

// The default season three Grands Prix in, its drivers' standings on the board.
struct SeasonUnderWay : test::GameUnderTest {
    SeasonUnderWay() : GameUnderTest(21) {
        Start([this](Season& s) {
            for (int g = 1; g <= 3; ++g) PlayGrandPrix(s, random, {});
            SetMainState(game.shell.main, CommandState::BetweenGps);
        });
        game.shell.main.Click("cmdDrvRank");
    }
};
} // namespace

TEST(Scale, TheMainWindowKeepsEveryControlInsideAndEveryTextWholeAtAnySize) {
    SeasonUnderWay s;
    ui::FormView* view = s.binder.MainView();
    const QSize natural = view->NaturalSize();
    struct Size {
        QSize content;
        double scale;
    };
    const Size sizes[] = {{Scaled(natural, ui::SmallestScale), ui::SmallestScale},
                          {natural, 1},
                          {Scaled(natural, 1.5), 1.5},
                          {QSize(natural.width() * 2, natural.height()), 1}, // the spare width shared
                          {Scaled(natural, 0.85), 0.85}};
    for (int view2 : {1, 2}) {
        SetRaceView(s.game.shell.main, RaceView(view2));
        for (const Size& size : sizes) {
            ResizeContent(s.window, size.content);
            std::string at = std::to_string(size.content.width()) + "x" + std::to_string(size.content.height());
            EXPECT_NEAR(view->Scale(), size.scale, 0.002) << at;
            std::vector<std::string> faults = Untidy(s.window);
            EXPECT_TRUE(faults.empty()) << at << ":\n" << testing::PrintToString(faults);
            // The form's proportions are kept: spare room is shared evenly on either side.
            QWidget* title = s.window.findChild<QWidget*>("lblTitle");
            EXPECT_NEAR(title->x(), (size.content.width() - natural.width() * view->Scale()) / 2 + 12 * view->Scale(), 1.5) << at;
            EXPECT_NEAR(title->font().pointSizeF(), 15 * view->Scale(), 0.01) << at;
        }
    }
    ResizeContent(s.window, Scaled(natural, 1.5));
    s.window.grab().save(test::ScreenPath("scale_main_150.png"));
    ResizeContent(s.window, Scaled(natural, ui::SmallestScale));
    s.window.grab().save(test::ScreenPath("scale_main_70.png"));
    // The message windows are placed against the window as it is now, in its units.
    const Rect& main = s.game.shell.main.geometry;
    EXPECT_EQ(main.left, s.window.frameGeometry().left());
    EXPECT_NEAR(main.width * view->Scale(), s.window.frameGeometry().width(), 1);
}

// The windows over the main one open at its factor: message windows stay so, the others may be
// resized further; at each size nothing is out of place.
TEST(Scale, EveryOtherWindowOpensAtTheMainWindowsScaleAndStaysTidy) {
    for (double factor : {ui::SmallestScale, 1.0, 1.4}) {
        for (const test::WindowOpener& opener : test::AllWindows()) {
            test::GameUnderTest g(5);
            g.Start();
            ResizeContent(g.window, Scaled(g.binder.MainView()->NaturalSize(), factor));
            const std::string at = std::string(opener.window) + " at " + std::to_string(factor);
            bool looked = false;
            test::WhenModal([&](QWidget& dialog) {
                looked = true;
                ui::FormView* view = ViewOf(g.binder, dialog);
                ASSERT_NE(view, nullptr) << at;
                const Form& form = view->form();
                EXPECT_NEAR(view->Scale(), factor, 0.01) << at;
                std::vector<std::string> faults = Untidy(dialog);
                EXPECT_TRUE(faults.empty()) << at << ":\n" << testing::PrintToString(faults);
                EXPECT_EQ(bool(dialog.windowFlags() & Qt::WindowMaximizeButtonHint), form.resizable) << at;
                // The rules' placement against the main window, their offsets scaled with it: the
                // window's own size (without its frame) counts from the main window's right edge.
                const QRect main = g.window.frameGeometry(), placed = dialog.frameGeometry();
                const QPoint corner = placed.topLeft() + QPoint(dialog.width(), dialog.height());
                std::string name = form.Name();
                if (name == "frmMsgOk" || name == "frmmsgokcancel" || name == "frmkarvensisset") {
                    EXPECT_NEAR(corner.x(), main.right() + 1, 2) << at;
                    EXPECT_EQ(placed.top(), main.top()) << at;
                }
                if (name == "frmkarvenmsg") {
                    EXPECT_NEAR(corner.x(), main.right() + 1 - CommentInsetRight * factor, 2) << at;
                    EXPECT_NEAR(corner.y(), main.bottom() + 1 - CommentInsetBottom * factor, 2) << at;
                }
                if (name == "frmkarvenoff") EXPECT_EQ(placed.topLeft(), main.topLeft()) << at;
                if (form.resizable) {
                    // Larger still, and out of proportion.
                    ResizeContent(dialog, QSize(view->NaturalSize().width() * 2, view->NaturalSize().height() * 3 / 2));
                    EXPECT_NEAR(view->Scale(), 1.5, 0.01) << at;
                    faults = Untidy(dialog);
                    EXPECT_TRUE(faults.empty()) << at << " resized:\n" << testing::PrintToString(faults);
                } else {
                    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << at;
                }
                if (factor == 1.4) dialog.grab().save(test::ScreenPath((std::string("scale_") + opener.window + ".png").c_str()));
                const_cast<Form&>(form).Close();
                g.binder.Fire({});
            });
            opener.open(g);
            EXPECT_TRUE(looked) << at;
        }
    }
}

TEST(Scale, AtStartTheWholeWindowFitsSmallScreensAndItsRememberedSize) {
    struct Screen {
        QRect area;
    };
    const Screen screens[] = {
        {QRect(0, 0, 1366, 768)},    // a small laptop
        {QRect(0, 0, 1366, 728)},    // with a panel
        {QRect(0, 0, 1280, 720)},    // 1920×1080 at 150 %
        {QRect(0, 30, 1280, 690)},   // with a panel on top
        {QRect(100, 0, 2560, 1440)}, // a large one: never beyond the natural size
    };
    for (const Screen& screen : screens) {
        QSettings().remove("window");
        test::GameUnderTest g(5);
        g.Start({}, [&] { g.binder.ShowMain(screen.area); });
        QRect framed = Framed(g.window);
        std::string on = std::to_string(screen.area.width()) + "x" + std::to_string(screen.area.height());
        EXPECT_TRUE(screen.area.contains(framed)) << on;
        EXPECT_LE(g.binder.MainScale(), 1) << on;
        EXPECT_GE(g.binder.MainScale(), 0.85) << on;
        // As large as the screen allows: its natural size, or the screen's height or width filled.
        EXPECT_TRUE(g.binder.MainScale() > 0.999 || framed.height() >= screen.area.height() - 4 ||
                    framed.width() >= screen.area.width() - 4)
            << on << ": " << framed.width() << "x" << framed.height();
        EXPECT_LE((framed.center() - screen.area.center()).manhattanLength(), 2) << on;
        EXPECT_TRUE(Untidy(g.window).empty()) << on;
    }

    // A size the player chose comes back at the next start, if the screen still holds it.
    QSettings().remove("window");
    {
        test::GameUnderTest g(5);
        g.Start();
        g.window.windowHandle()->resize(1100, 640); // as the window system resizes it
        QApplication::processEvents();
    }
    for (auto [area, expected] : {std::pair{QRect(0, 0, 1920, 1080), QSize(1100, 640)},
                                  std::pair{QRect(0, 0, 1024, 600), QSize()}}) {
        test::GameUnderTest g(5);
        g.Start({}, [&] { g.binder.ShowMain(area); });
        if (expected.isValid()) EXPECT_EQ(g.window.size(), expected);
        else EXPECT_TRUE(area.contains(Framed(g.window))) << "too large for it now";
    }
    QSettings().remove("window");
}

TEST(Scale, PicturesAreDrawnAtTheSizeAndPixelRatioTheyAreShownAt) {
    ui::PixmapCache cache;
    const QString name = "img/anime/iku03.bmp";
    const QString ours = QString(KARVEN_BIN_DIR) + name;
    for (qreal ratio : {1.0, 1.5, 2.0}) {
        QPixmap shown = cache.Get(ours, QSize(420, 330), ratio);
        EXPECT_EQ(shown.deviceIndependentSize(), QSizeF(420, 330)) << ratio;
        EXPECT_EQ(shown.size(), (QSizeF(420, 330) * ratio).toSize()) << ratio;
        // Drawn again at that size, not an enlarged copy of the file.
        EXPECT_EQ(shown.toImage().convertToFormat(QImage::Format_RGB32),
                  pictures::DrawPicture(name, shown.size()).convertToFormat(QImage::Format_RGB32)) << ratio;
    }
    // A picture the player put there instead is his, only scaled.
    QTemporaryDir dir;
    QImage own(280, 220, QImage::Format_RGB32);
    own.fill(QColor(10, 200, 30));
    ASSERT_TRUE(own.save(dir.path() + "/iku03.bmp", "BMP"));
    QImage shown = cache.Get(dir.path() + "/iku03.bmp", QSize(560, 440)).toImage();
    EXPECT_EQ(shown.size(), QSize(560, 440));
    EXPECT_EQ(shown.pixelColor(300, 200), QColor(10, 200, 30));

    // In the window: the race picture at the window's scale.
    SeasonUnderWay s;
    SetRaceView(s.game.shell.main, RaceView::RacePanel);
    s.game.shell.main("imgAnime").picture = ours.toStdString();
    ResizeContent(s.window, Scaled(s.binder.MainView()->NaturalSize(), 1.5));
    auto* anime = s.window.findChild<QLabel*>("imgAnime");
    EXPECT_EQ(anime->pixmap().deviceIndependentSize(), QSizeF(anime->contentsRect().size()));
}

TEST(Scale, AtTwiceTheTextSizeALaptopScrollsToEveryControlAndEveryWindowFollows) {
    QSettings().remove("window");
    test::GameUnderTest g(5);
    g.Start();
    const QRect screen = g.binder.FreeArea(g.window);
    ASSERT_LT(screen.width(), 2 * g.binder.MainView()->NaturalSize().width()) << "a screen too small for 200 %";
    auto answer = std::make_unique<test::AutoAnswer>();
    g.game.shell.main.Click("Help_TextSize", 5); // 200 %
    QApplication::processEvents();
    ASSERT_EQ(g.binder.TextScale(), 2.0);
    EXPECT_TRUE(g.game.shell.main("Help_TextSize", 5).checked);
    EXPECT_FALSE(g.game.shell.main("Help_TextSize", 1).checked);
    EXPECT_EQ(QSettings().value("view/textSize").toInt(), 200) << "remembered for the next start";

    // The main window holds its form at twice its size at least, inside the screen, and scrolls.
    auto* scroll = g.window.findChild<QScrollArea*>("scrollMain");
    ASSERT_NE(scroll, nullptr);
    EXPECT_GE(g.binder.MainScale(), 1.999);
    EXPECT_TRUE(screen.contains(Framed(g.window)));
    QWidget* content = g.window.findChild<QWidget*>("content");
    EXPECT_GT(content->width(), scroll->viewport()->width());
    EXPECT_TRUE(Untidy(g.window).empty()) << testing::PrintToString(Untidy(g.window));
    // The last command and the last grid row come into sight.
    for (const char* name : {"cmdEnd", "lbl6(32)"}) {
        QWidget* w = g.window.findChild<QWidget*>(name);
        scroll->ensureWidgetVisible(w, 0, 0);
        QApplication::processEvents();
        const QRect seen(w->mapTo(scroll->viewport(), QPoint(0, 0)), w->size());
        EXPECT_TRUE(scroll->viewport()->rect().contains(seen)) << name;
    }
    g.window.grab().save(test::ScreenPath("text200_main.png"));

    // A window over it opens at the text size, within the screen, scrolling where it must. Looked
    // at, not answered: two drivers polling for the window would race for it.
    answer.reset();
    bool looked = false;
    test::WhenModal([&](QWidget& dialog) {
        looked = true;
        ui::FormView* view = ViewOf(g.binder, dialog);
        ASSERT_NE(view, nullptr);
        EXPECT_GE(view->Scale(), 1.999);
        EXPECT_TRUE(g.binder.FreeArea(dialog).contains(Framed(dialog)));
        dialog.grab().save(test::ScreenPath("text200_team.png"));
        view->form().Close();
        g.binder.Fire({});
    });
    g.game.shell.main.Click("Set_Tim", 22);
    EXPECT_TRUE(looked);

    // Back to 100 %: the window draws its form as before, without scrolling.
    answer = std::make_unique<test::AutoAnswer>();
    g.game.shell.main.Click("Help_TextSize", 1);
    QApplication::processEvents();
    EXPECT_EQ(g.window.findChild<QScrollArea*>("scrollMain"), nullptr);
    EXPECT_EQ(g.window.centralWidget(), content);
    EXPECT_EQ(QSettings().value("view/textSize").toInt(), 100);
    QSettings().remove("window");
}
