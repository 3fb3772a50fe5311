// Draws every picture the game shows into the data folder given as the only argument; with --png,
// into that folder as PNG instead, each named as the game names it with ".png" added (the browser
// edition, which ships them compressed).

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "pictures/Catalogue.h"
#include "pictures/Drawing.h"

namespace {
bool Save(const QImage& image, const QString& path, const char* format) {
    QDir().mkpath(QFileInfo(path).path());
    // Written whatever the name ends with: the colour swatches are bitmaps called .dat.
    if (image.save(path, format)) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}
} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const bool png = argc == 3 && QString(argv[1]) == "--png";
    if (argc != 2 && !png) {
        std::fprintf(stderr, "usage: karven_make_pictures [--png] <folder>\n");
        return 2;
    }
    using namespace karven::pictures;
    const QString root = QString::fromLocal8Bit(argv[argc - 1]) + "/";
    bool ok = true;
    if (png) {
        for (const QString& name : PictureNames()) ok &= Save(DrawPicture(name), root + name + ".png", "PNG");
        return ok ? 0 : 1;
    }
    for (const QString& name : PictureNames()) ok &= Save(DrawPicture(name), root + name, "BMP");

    // The desktop's icon at the sizes desktops ask for; not read by the game itself.
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QString path = root + QString("icons/hicolor/%1x%1/apps/io.karven.Karven.png").arg(size);
        QDir().mkpath(QFileInfo(path).path());
        ok &= AppIcon(size).save(path, "PNG");
    }
    return ok ? 0 : 1;
}
