#pragma once
// Picture files by path, loaded once and shown sharp at any size: a race shows hundreds of windows
// with the same pictures, and a scaled window shows them larger or smaller than their files.

#include <QCache>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace karven::ui {

class PixmapCache {
public:
    // The picture of a file as a box of `size` logical pixels shows it at this device pixel ratio.
    // The game's own pictures are drawn again at that size; a file the player replaced is scaled
    // smoothly. ":information" / ":question" give a standard icon; a missing or unreadable file a
    // null pixmap.
    QPixmap Get(const QString& path, QSize size, qreal devicePixelRatio = 1);
    // The size of the picture in its file; empty when there is none.
    QSize FileSize(const QString& path);
    void Clear();

private:
    struct Source {
        QImage image;
        QString drawn; // the picture's name when the file holds the game's own drawing of it
    };
    const Source* SourceOf(const QString& path);

    QHash<QString, Source> sources_;
    QCache<QString, QPixmap> shown_{32 * 1024 * 1024}; // cost: pixels
};

} // namespace karven::ui
