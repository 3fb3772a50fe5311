#include "ui/WindowSize.h"

#include <algorithm>
#include <cmath>

namespace karven::ui {

double FittingScale(QSize natural, QSize chrome, QMargins frame, QSize available) {
    if (natural.isEmpty()) return 1;
    double across = double(available.width() - chrome.width() - frame.left() - frame.right()) / natural.width();
    double down = double(available.height() - chrome.height() - frame.top() - frame.bottom()) / natural.height();
    // Whole pixels: the content at this factor, rounded up, still fits.
    double scale = std::clamp(std::min(across, down), 0.1, 1.0);
    while (scale > 0.1 && (std::ceil(natural.width() * scale) + chrome.width() + frame.left() + frame.right() >
                               available.width() ||
                           std::ceil(natural.height() * scale) + chrome.height() + frame.top() + frame.bottom() >
                               available.height()))
        scale -= 0.001;
    return scale;
}

QRect StartGeometry(QSize natural, QSize chrome, QMargins frame, QRect available, QSize remembered) {
    QSize room = available.size().shrunkBy(frame);
    QSize size;
    if (!remembered.isEmpty() && remembered.width() <= room.width() && remembered.height() <= room.height()) {
        size = remembered;
    } else {
        double scale = FittingScale(natural, chrome, frame, available.size());
        size = QSize(int(std::ceil(natural.width() * scale)), int(std::ceil(natural.height() * scale))) + chrome;
    }
    QRect framed(QPoint(0, 0), size.grownBy(frame));
    framed.moveCenter(available.center());
    return framed.marginsRemoved(frame);
}

} // namespace karven::ui
