#include "ui/ChartLines.h"

#include <QLineSeries>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace karven::ui {

namespace {
const char* const PenProperty = "karvenPen";
} // namespace

LineLook LookOf(int nth) {
    static constexpr Qt::PenStyle Pens[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
    nth = std::clamp(nth, 0, LookCounter::LastLook);
    return {Pens[nth % 5], nth % 3};
}

QImage Marker(QColor colour, int shape) {
    QImage image(MarkerSize * 2, MarkerSize * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2); // sharp on screens of ratio 2
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(colour);
    QRectF box(1, 1, MarkerSize - 2, MarkerSize - 2);
    if (shape == 0) p.drawEllipse(box);
    else if (shape == 1) p.drawRect(box);
    else p.drawPolygon(QPolygonF({QPointF(box.center().x(), box.top()), QPointF(box.right(), box.center().y()),
                                  QPointF(box.center().x(), box.bottom()), QPointF(box.left(), box.center().y())}));
    return image;
}

void Paint(QLineSeries& series, QColor colour, LineLook look, bool markers) {
    QPen pen(colour, LineWidth, look.pen);
    series.setPen(pen);
    series.setProperty(PenProperty, pen);
    if (markers) {
        series.setLightMarker(Marker(colour, look.marker));
        series.setMarkerSize(MarkerSize);
    }
}

QIcon LineIcon(QColor colour, LineLook look, bool marker) {
    constexpr int Width = 36, Height = 14;
    QPixmap picture(Width * 2, Height * 2);
    picture.setDevicePixelRatio(2);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, LineWidth, look.pen));
    p.drawLine(QPointF(1, Height / 2.0), QPointF(Width - 1, Height / 2.0));
    if (marker) p.drawImage(QPointF((Width - MarkerSize) / 2.0, (Height - MarkerSize) / 2.0), Marker(colour, look.marker));
    return QIcon(picture);
}

void Highlight(const std::vector<QLineSeries*>& lines, const QLineSeries* picked) {
    for (QLineSeries* series : lines) {
        QPen pen = series->property(PenProperty).value<QPen>();
        if (series == picked) pen.setWidthF(LineWidth * 2);
        series->setPen(pen);
        series->setOpacity(!picked || series == picked ? 1.0 : 0.25);
    }
}

} // namespace karven::ui
