#include <QFile>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <gtest/gtest.h>

#include "ModalDriver.h"
#include "shell/Form.h"
#include "shell/Liveries.h"
#include "shell/SeasonFiles.h"
#include "ui/Binder.h"
#include "ui/QtPlatform.h"

using namespace karven;

TEST(QtPlatform, FileFilterInQtForm) {
    EXPECT_EQ(ui::ToQtFilter("KARVENﾌｧｲﾙ|*.krv|"), "KARVENﾌｧｲﾙ (*.krv)");
    EXPECT_EQ(ui::ToQtFilter("a|*.x|b|*.y;*.z|"), "a (*.x);;b (*.y *.z)");
    EXPECT_EQ(ui::ToQtFilter("KARVENﾌｧｲﾙ (*.krv)|*.krv|"), "KARVENﾌｧｲﾙ (*.krv)");
}

TEST(QtPlatform, SavingUnderANameWithoutTheExtensionAsksBeforeReplacingAFile) {
    EXPECT_EQ(ui::FilterExtension(SeasonFileFilter), ".krv");
    EXPECT_EQ(ui::FilterExtension("a|*.*|"), "");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString typed = dir.filePath("season");
    QFile old(typed + ".krv");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    ui::Binder binder;
    ui::QtPlatform platform(binder);

    // The name typed, then the question about season.krv answered as told; a refusal brings the
    // dialog back, which is then cancelled.
    // Each window arms the answer to the next one only when one is coming: a timer left armed
    // would outlive the test.
    auto save = [&](std::function<void(QMessageBox&)> answer, bool dialogAgain) {
        int dialogs = 0;
        bool asked = false;
        std::function<void(QWidget&)> act = [&](QWidget& w) {
            if (auto* box = qobject_cast<QMessageBox*>(&w)) {
                asked = true;
                EXPECT_TRUE(box->text().contains("season.krv"));
                if (dialogAgain) test::WhenModal(act);
                answer(*box);
            } else if (auto* dialog = qobject_cast<QFileDialog*>(&w)) {
                if (++dialogs > 1) return dialog->reject();
                test::WhenModal(act);
                dialog->selectFile(typed);
                static_cast<QDialog*>(dialog)->accept(); // as the dialog's own button does
            }
        };
        test::WhenModal(act);
        std::string chosen = platform.ChooseFile(FileDialogMode::Save, SeasonFileFilter, "");
        EXPECT_TRUE(asked);
        return std::pair(chosen, dialogs);
    };
    EXPECT_EQ(save([](QMessageBox& box) { test::PressKey(box, Qt::Key_Return); }, true), std::pair(std::string(), 2))
        << "Enter keeps the file";
    EXPECT_EQ(save([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); }, false),
              std::pair(typed.toStdString(), 1));
}

TEST(QtPlatform, PictureChecksTellMissingFromUnreadable) {
    ui::Binder binder;
    ui::QtPlatform platform(binder);
    EXPECT_EQ(platform.CheckPicture(KARVEN_BIN_DIR "cls.dat"), PictureState::Loaded);
    EXPECT_EQ(platform.CheckPicture(KARVEN_BIN_DIR "img/color/0999.dat"), PictureState::Missing);
    QString broken = KARVEN_BIN_DIR "../broken.dat";
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture at all");
    f.close();
    EXPECT_EQ(platform.CheckPicture(broken.toStdString()), PictureState::Unreadable);
    EXPECT_EQ(platform.CheckPicture(KARVEN_BIN_DIR "img"), PictureState::Missing); // a folder
}

TEST(QtPlatform, EndBeforeTheLoopStopsLaterWindows) {
    ui::Binder binder;
    ui::QtPlatform platform(binder);
    platform.EndProgram();
    EXPECT_TRUE(platform.Ended());
    Form form("frmAny");
    platform.ShowModal(form); // returns at once instead of waiting for a player
    EXPECT_TRUE(binder.Views().empty());
}

namespace {
QString ColorFile(int code) {
    return QString(KARVEN_BIN_DIR) + QString("img/color/%1.dat").arg(code, 4, 10, QChar('0'));
}

// Share of the pixels where two swatches differ plainly in some channel.
double Difference(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            int d = std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                              std::abs(p.blue() - q.blue())});
            differing += d > 60;
        }
    return double(differing) / (a.width() * a.height());
}
} // namespace

TEST(Pictures, EveryPictureLoadsAndColoursDiffer) {
    const QString root = KARVEN_BIN_DIR;
    // The palette runs from 0000 without a gap to its last number.
    std::vector<QImage> swatches;
    while (QFile::exists(ColorFile(int(swatches.size())))) {
        QImage swatch(ColorFile(int(swatches.size())), "BMP");
        ASSERT_FALSE(swatch.isNull()) << swatches.size();
        ASSERT_EQ(swatch.size(), QSize(32, 12));
        swatches.push_back(swatch.convertToFormat(QImage::Format_RGB32));
    }
    ASSERT_GE(swatches.size(), 100u);
    EXPECT_FALSE(QFile::exists(ColorFile(9999)));
    // The files are drawn from the game's palette, which the season report paints from as well.
    EXPECT_EQ(int(swatches.size()), LiveryCount);
    for (int code = 0; code < int(swatches.size()) && code < LiveryCount; ++code) {
        Rgb body = liveries::Table[code].body;
        EXPECT_EQ(swatches[code].pixel(2, 1) & 0xFFFFFF, qRgb(body.r, body.g, body.b) & 0xFFFFFF) << code;
    }
    for (size_t i = 0; i < swatches.size(); ++i) {
        if (i > 0) {
            EXPECT_GT(Difference(swatches[i - 1], swatches[i]), 0.25) << "after " << i - 1;
        }
        for (size_t j = 0; j < i; ++j) EXPECT_NE(swatches[i], swatches[j]) << i << " looks like " << j;
    }
    // The colours the seasons already name keep their look, pixel for pixel.
    uint64_t hash = 1469598103934665603ull;
    for (int code = 0; code <= 48; ++code)
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 32; ++x)
                hash = (hash ^ (swatches[code].pixel(x, y) & 0xFFFFFF)) * 1099511628211ull;
    EXPECT_EQ(hash, 4946679423754235567ull);

    for (const char* name : {"hare", "kumori", "ame"})
        EXPECT_EQ(QImage(root + "img/tenkou/" + name + ".bmp").size(), QSize(120, 90)) << name;
    struct Series {
        const char* base;
        int count;
    } series[] = {{"sta", 5}, {"go", 5}, {"run", 10}, {"ret", 5}, {"pen", 1}, {"pitin", 1}, {"pitout", 1}, {"iku", 10}};
    // A sheet of every scene, five to a row, for a person to look at.
    QImage sheet(5 * 280, 10 * 220, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    int slot = 0;
    for (const Series& s : series) {
        std::vector<QImage> seen;
        for (int n = 1; n <= s.count; ++n) {
            QImage scene(root + QString("img/anime/%1%2.bmp").arg(s.base).arg(n, 2, 10, QChar('0')));
            ASSERT_EQ(scene.size(), QSize(280, 220)) << s.base << n;
            for (const QImage& before : seen) EXPECT_NE(before, scene) << s.base << n;
            seen.push_back(scene);
            p.drawImage((slot % 5) * 280, (slot / 5) * 220, scene);
            ++slot;
        }
    }
    int top = ((slot + 4) / 5) * 220;
    int x = 0;
    for (const char* name : {"hare", "kumori", "ame"}) {
        p.drawImage(x, top, QImage(root + "img/tenkou/" + name + ".bmp"));
        x += 130;
    }
    // The palette, sixteen to a row, each swatch shown large as the team editor shows it.
    for (size_t code = 0; code < swatches.size(); ++code)
        p.drawImage(QRect(420 + int(code % 16) * 60, top + 4 + int(code / 16) * 26, 56, 21), swatches[code]);
    p.end();
    QDir().mkpath(root + "../screens");
    EXPECT_TRUE(sheet.save(root + "../screens/pictures.png"));
}
