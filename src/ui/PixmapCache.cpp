#include "ui/PixmapCache.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QStyle>

#include "pictures/Catalogue.h"

namespace karven::ui {

namespace {
// The name the game's pictures go by below the data folder, if the path ends like one of them.
QString DrawnName(const QString& path, const QImage& image) {
    QStringList parts = QString(path).replace('\\', '/').split('/');
    for (int depth : {1, 3}) {
        if (parts.size() < depth) continue;
        QString name = parts.mid(parts.size() - depth).join('/');
        QImage drawn = pictures::DrawPicture(name);
        if (!drawn.isNull() && drawn.convertToFormat(QImage::Format_RGB32) == image.convertToFormat(QImage::Format_RGB32))
            return name;
    }
    return {};
}
} // namespace

const PixmapCache::Source* PixmapCache::SourceOf(const QString& path) {
    auto found = sources_.constFind(path);
    if (found != sources_.constEnd()) return &*found;
    if (!QFileInfo::exists(path)) return nullptr; // not cached: the file may come later
    // Content decides the format: colour swatches are bitmaps named .dat.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) return nullptr;
    QString drawn = DrawnName(path, image);
    return &*sources_.insert(path, {std::move(image), std::move(drawn)});
}

QPixmap PixmapCache::Get(const QString& path, QSize size, qreal devicePixelRatio) {
    if (path.isEmpty() || size.isEmpty()) return {};
    const QSize device = (QSizeF(size) * devicePixelRatio).toSize();
    if (path == ":information" || path == ":question") {
        auto kind = path == ":information" ? QStyle::SP_MessageBoxInformation : QStyle::SP_MessageBoxQuestion;
        return QApplication::style()->standardIcon(kind).pixmap(size, devicePixelRatio);
    }
    const QString key = QString("%1|%2x%3").arg(path).arg(device.width()).arg(device.height());
    if (const QPixmap* shown = shown_.object(key)) {
        QPixmap pixmap = *shown;
        pixmap.setDevicePixelRatio(devicePixelRatio);
        return pixmap;
    }
    const Source* source = SourceOf(path);
    if (!source) return {};
    QImage image = source->image.size() == device ? source->image
                   : !source->drawn.isEmpty()     ? pictures::DrawPicture(source->drawn, device)
                   : source->image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    auto* pixmap = new QPixmap(QPixmap::fromImage(image));
    pixmap->setDevicePixelRatio(devicePixelRatio);
    QPixmap result = *pixmap;
    shown_.insert(key, pixmap, std::max(1, device.width() * device.height()));
    return result;
}

QSize PixmapCache::FileSize(const QString& path) {
    const Source* source = SourceOf(path);
    return source ? source->image.size() : QSize();
}

void PixmapCache::Clear() {
    sources_.clear();
    shown_.clear();
}

} // namespace karven::ui
