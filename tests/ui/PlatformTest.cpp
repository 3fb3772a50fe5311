#include <QFile>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <gtest/gtest.h>

#include "shell/Form.h"
#include "ui/Binder.h"
#include "ui/QtPlatform.h"

using namespace karven;

TEST(QtPlatform, FileFilterInQtForm) {
    EXPECT_EQ(ui::ToQtFilter("KARVENﾌｧｲﾙ|*.krv|"), "KARVENﾌｧｲﾙ (*.krv)");
    EXPECT_EQ(ui::ToQtFilter("a|*.x|b|*.y;*.z|"), "a (*.x);;b (*.y *.z)");
    EXPECT_EQ(ui::ToQtFilter("KARVENﾌｧｲﾙ (*.krv)|*.krv|"), "KARVENﾌｧｲﾙ (*.krv)");
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

TEST(Pictures, EveryPictureLoadsAndColoursDiffer) {
    const QString root = KARVEN_BIN_DIR;
    std::vector<QRgb> bodies;
    for (int code = 0; code <= 48; ++code) {
        QImage swatch(root + QString("img/color/%1.dat").arg(code, 4, 10, QChar('0')), "BMP");
        ASSERT_FALSE(swatch.isNull()) << code;
        EXPECT_EQ(swatch.size(), QSize(32, 12));
        // body above the stripe and the stripe itself identify a livery
        bodies.push_back(swatch.pixel(4, 2) ^ (swatch.pixel(4, 5) << 1));
    }
    std::sort(bodies.begin(), bodies.end());
    EXPECT_EQ(std::unique(bodies.begin(), bodies.end()), bodies.end());
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
    for (int code = 0; code <= 48; ++code)
        p.drawImage(420 + (code % 16) * 40, top + 10 + (code / 16) * 20,
                    QImage(root + QString("img/color/%1.dat").arg(code, 4, 10, QChar('0')), "BMP"));
    p.end();
    QDir().mkpath(root + "../screens");
    EXPECT_TRUE(sheet.save(root + "../screens/pictures.png"));
}
