#include "ui/analysis/MachineColor.h"

#include <QHash>
#include <QImage>
#include <QImageReader>

namespace karven::ui {

QColor MachineColor(const QString& picturePath, QColor fallback) {
    QImageReader reader(picturePath);
    reader.setDecideFormatFromContent(true); // colour pictures are bitmaps named .dat
    QImage image = reader.read();
    if (image.isNull()) return fallback;
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
    // The commonest colour that shows on a white chart; a white machine is drawn a shade darker.
    QRgb most = 0, visible = 0;
    int best = -1, bestVisible = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        bool light = QColor::fromRgb(it.key()).lightness() > 215;
        if (it.value() > best || (it.value() == best && it.key() < most)) best = it.value(), most = it.key();
        if (!light && (it.value() > bestVisible || (it.value() == bestVisible && it.key() < visible)))
            bestVisible = it.value(), visible = it.key();
    }
    // A colour on a tenth of the machine or more is its own; else the body, shaded.
    if (bestVisible * 10 >= image.width() * image.height()) return QColor::fromRgb(visible);
    return QColor::fromRgb(most).darker(140);
}

} // namespace karven::ui
