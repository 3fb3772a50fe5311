#include "ui/PixmapCache.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QStyle>

namespace karven::ui {

QPixmap PixmapCache::Get(const QString& path, QSize iconSize) {
    if (path.isEmpty()) return {};
    if (path == ":information" || path == ":question") {
        auto kind = path == ":information" ? QStyle::SP_MessageBoxInformation : QStyle::SP_MessageBoxQuestion;
        return QApplication::style()->standardIcon(kind).pixmap(iconSize);
    }
    auto found = pixmaps_.constFind(path);
    if (found != pixmaps_.constEnd()) return *found;
    if (!QFileInfo::exists(path)) return {}; // not cached: the file may come later
    // Content decides the format: colour swatches are bitmaps named .dat.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) return {};
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmaps_.insert(path, pixmap);
    return pixmap;
}

} // namespace karven::ui
