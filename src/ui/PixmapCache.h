#pragma once
// Picture files by path, loaded once: a race shows hundreds of windows with the same pictures.

#include <QHash>
#include <QPixmap>
#include <QString>

namespace karven::ui {

class PixmapCache {
public:
    // The picture of a file, or a standard icon for ":information" / ":question";
    // a null pixmap when the file is missing or unreadable.
    QPixmap Get(const QString& path, QSize iconSize);
    void Clear() { pixmaps_.clear(); }

private:
    QHash<QString, QPixmap> pixmaps_;
};

} // namespace karven::ui
