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
    QRgb most = 0;
    int best = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > best || (it.value() == best && it.key() < most)) best = it.value(), most = it.key();
    return QColor::fromRgb(most);
}

} // namespace karven::ui
