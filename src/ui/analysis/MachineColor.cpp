#include "ui/analysis/MachineColor.h"

#include <QHash>
#include <QImage>
#include <QImageReader>

#include "odds/ChartColours.h"

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
    std::vector<std::pair<uint32_t, int64_t>> list;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) list.emplace_back(it.key(), it.value());
    const MachinePick pick = PickMachineColour(list, int64_t(image.width()) * image.height(),
                                               [](uint32_t value) { return QColor::fromRgb(value).lightness() > 215; });
    if (pick.own) return QColor::fromRgb(pick.value);
    return QColor::fromRgb(pick.value).darker(140);
}

} // namespace karven::ui
