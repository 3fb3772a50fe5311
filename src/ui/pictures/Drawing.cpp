#include "pictures/Drawing.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace karven::pictures {

namespace {
constexpr int SceneWidth = 280;
constexpr int SceneHeight = 220;

const Livery SceneLiveries[] = {
    {QColor(200, 20, 30), QColor(255, 255, 255)}, {QColor(20, 60, 170), QColor(250, 210, 0)},
    {QColor(0, 130, 80), QColor(255, 255, 255)},  {QColor(250, 140, 0), QColor(30, 30, 30)},
    {QColor(240, 240, 240), QColor(200, 20, 30)}, {QColor(40, 40, 40), QColor(230, 180, 0)},
    {QColor(120, 40, 160), QColor(250, 250, 250)}, {QColor(0, 160, 200), QColor(20, 40, 120)},
    {QColor(250, 220, 0), QColor(20, 60, 170)},   {QColor(150, 150, 160), QColor(220, 30, 30)},
};

const Livery& SceneLivery(int variant) { return SceneLiveries[(variant - 1 + 10) % 10]; }

// A picture of its own size w × h, or of `size` with the drawing stretched to fill it.
QImage Canvas(int w, int h, QColor fill, QSize size) {
    QImage image(size.isEmpty() ? QSize(w, h) : size, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void Stretch(QPainter& p, const QImage& image, int w, int h) {
    if (image.size() != QSize(w, h)) p.scale(double(image.width()) / w, double(image.height()) / h);
}

// A single-seater seen from above, nose to the right, centred on the origin; about 100 × 40.
void DrawCar(QPainter& p, QPointF at, double angle, double scale, const Livery& l) {
    p.save();
    p.translate(at);
    p.rotate(angle);
    p.scale(scale, scale);
    p.setPen(QPen(QColor(20, 20, 20), 1.2));
    QBrush tyre(QColor(25, 25, 25));
    for (QPointF w : {QPointF(-34, -19), QPointF(-34, 11), QPointF(24, -18), QPointF(24, 11)})
        p.fillRect(QRectF(w.x() - 9, w.y(), 18, 8), tyre);
    p.setBrush(l.body);
    p.drawRect(QRectF(-50, -16, 10, 32));  // rear wing
    p.drawRect(QRectF(40, -18, 8, 36));    // front wing
    QPainterPath body;
    body.moveTo(-42, -9);
    body.lineTo(10, -10);
    body.lineTo(46, -3);
    body.lineTo(46, 3);
    body.lineTo(10, 10);
    body.lineTo(-42, 9);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(l.stripe);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(-40, -3, 84, 6));    // stripe down the middle
    p.setBrush(QColor(30, 30, 40));
    p.drawEllipse(QRectF(-8, -6, 16, 12)); // cockpit
    p.setBrush(QColor(250, 210, 40));
    p.drawEllipse(QRectF(-4, -3, 7, 6));   // helmet
    p.restore();
}

void DrawTrack(QPainter& p, QColor grass, QColor kerb, int top, int bottom) {
    p.fillRect(0, 0, SceneWidth, SceneHeight, grass);
    p.fillRect(0, top, SceneWidth, bottom - top, QColor(90, 90, 96));
    for (int x = 0; x < SceneWidth; x += 20) {
        p.fillRect(x, top - 6, 10, 6, kerb);
        p.fillRect(x + 10, top - 6, 10, 6, Qt::white);
        p.fillRect(x, bottom, 10, 6, Qt::white);
        p.fillRect(x + 10, bottom, 10, 6, kerb);
    }
}

void DrawLights(QPainter& p, int lit, QColor on) {
    p.fillRect(QRect(40, 8, 200, 34), QColor(30, 30, 30));
    p.fillRect(QRect(36, 4, 4, 50), QColor(60, 60, 60));
    p.fillRect(QRect(240, 4, 4, 50), QColor(60, 60, 60));
    for (int i = 0; i < 5; ++i) {
        p.setBrush(i < lit ? on : QColor(70, 70, 70));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPoint(64 + i * 38, 25), 12, 12);
    }
}

void SpeedLines(QPainter& p, int y0, int y1, int right, int seed) {
    p.setPen(QPen(QColor(255, 255, 255, 170), 2));
    for (int i = 0; i < 7; ++i) {
        int y = y0 + (y1 - y0) * ((i * 37 + seed * 13) % 100) / 100;
        int len = 30 + (i * 23 + seed * 7) % 50;
        p.drawLine(right - len - (i * 19) % 40, y, right - (i * 19) % 40, y);
    }
}

void Smoke(QPainter& p, QPointF at, int variant) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 9; ++i) {
        int shade = 110 + (i * 17 + variant * 9) % 90;
        p.setBrush(QColor(shade, shade, shade, 200));
        double r = 14 + i * 3;
        p.drawEllipse(at + QPointF(-6 - i * 8 + (i % 2) * 6, -30 - i * 12), r, r * 0.8);
    }
}

void Cloud(QPainter& p, QPointF at, double size, QColor color) {
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(at, size, size * 0.6);
    p.drawEllipse(at + QPointF(-size * 0.8, size * 0.2), size * 0.7, size * 0.45);
    p.drawEllipse(at + QPointF(size * 0.8, size * 0.2), size * 0.7, size * 0.45);
}

void PitLane(QPainter& p) {
    p.fillRect(0, 0, SceneWidth, SceneHeight, QColor(70, 150, 70));
    p.fillRect(0, 20, SceneWidth, 70, QColor(90, 90, 96));   // main straight
    p.fillRect(0, 100, SceneWidth, 8, QColor(220, 220, 220)); // pit wall
    p.fillRect(0, 116, SceneWidth, 56, QColor(110, 110, 116)); // pit lane
    p.setPen(QPen(Qt::white, 2, Qt::DashLine));
    p.drawLine(0, 144, SceneWidth, 144);
    for (int i = 0; i < 5; ++i) { // garages
        p.fillRect(8 + i * 56, 176, 48, 40, QColor(200, 200, 210));
        p.fillRect(14 + i * 56, 182, 36, 34, QColor(40, 40, 50));
    }
}

void Arrow(QPainter& p, QPointF from, QPointF to, QColor color) {
    p.setPen(QPen(color, 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    double a = std::atan2(to.y() - from.y(), to.x() - from.x());
    QPointF left = to - QPointF(std::cos(a - 0.5) * 16, std::sin(a - 0.5) * 16);
    QPointF right = to - QPointF(std::cos(a + 0.5) * 16, std::sin(a + 0.5) * 16);
    p.drawLine(to, left);
    p.drawLine(to, right);
}
} // namespace

QImage AppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    QLinearGradient sky(0, 8, 0, 248);
    sky.setColorAt(0, QColor(40, 52, 78));
    sky.setColorAt(1, QColor(16, 20, 32));
    p.fillPath(tile, sky);
    p.setClipPath(tile);
    // A chequered flag in the upper corner.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            p.fillRect(QRectF(160 + x * 22, 8 + y * 22, 22, 22), (x + y) % 2 ? QColor(235, 235, 235) : QColor(20, 20, 20));
    p.fillRect(QRectF(8, 170, 240, 34), QColor(90, 90, 96));
    p.setClipping(false);
    DrawCar(p, QPointF(124, 150), -24, 1.9, Livery{QColor(210, 20, 30), QColor(255, 255, 255)});
    return image;
}

QImage Swatch(const Livery& livery, bool neutral, QSize size) {
    QImage image = Canvas(32, 12, neutral ? QColor(225, 225, 228) : livery.body, size);
    QPainter p(&image);
    Stretch(p, image, 32, 12);
    const QColor& second = livery.stripe;
    if (!neutral) {
        switch (livery.pattern) {
        case Pattern::Stripe:
            p.fillRect(0, 4, 32, 4, second);
            break;
        case Pattern::TwinStripes:
            p.fillRect(0, 2, 32, 2, second);
            p.fillRect(0, 8, 32, 2, second);
            break;
        case Pattern::Split:
            p.fillRect(16, 0, 16, 12, second);
            break;
        case Pattern::Halves:
            p.fillRect(0, 6, 32, 6, second);
            break;
        case Pattern::Band:
            p.fillRect(12, 0, 8, 12, second);
            break;
        case Pattern::Diagonal:
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(second);
            p.drawPolygon(QPolygon({QPoint(32, 0), QPoint(32, 12), QPoint(4, 12)}));
            break;
        case Pattern::Edged:
            p.fillRect(0, 3, 32, 6, livery.trim);
            p.fillRect(0, 4, 32, 4, second);
            break;
        }
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, 31, 11);
    return image;
}

QImage WeatherPicture(Weather weather, QSize size) {
    QColor sky = weather == Weather::Fine ? QColor(110, 180, 250)
                 : weather == Weather::Cloudy ? QColor(170, 180, 195) : QColor(95, 105, 125);
    QImage image = Canvas(120, 90, sky, size);
    QPainter p(&image);
    Stretch(p, image, 120, 90);
    p.setRenderHint(QPainter::Antialiasing);
    if (weather == Weather::Fine) {
        p.setPen(QPen(QColor(255, 200, 0), 4));
        for (int i = 0; i < 12; ++i) {
            double a = i * M_PI / 6;
            p.drawLine(QPointF(60 + std::cos(a) * 26, 45 + std::sin(a) * 26),
                       QPointF(60 + std::cos(a) * 38, 45 + std::sin(a) * 38));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 215, 30));
        p.drawEllipse(QPointF(60, 45), 20, 20);
    } else if (weather == Weather::Cloudy) {
        Cloud(p, {44, 36}, 22, QColor(235, 235, 240));
        Cloud(p, {76, 56}, 26, QColor(205, 208, 215));
    } else {
        Cloud(p, {60, 30}, 28, QColor(120, 125, 140));
        p.setPen(QPen(QColor(180, 210, 255), 2));
        for (int i = 0; i < 12; ++i) {
            int x = 16 + i * 8;
            int y = 52 + (i % 3) * 8;
            p.drawLine(x, y, x - 5, y + 14);
        }
    }
    return image;
}

QImage GridScene(int variant, QSize size) {
    QImage image = Canvas(SceneWidth, SceneHeight, Qt::black, size);
    QPainter p(&image);
    Stretch(p, image, SceneWidth, SceneHeight);
    p.setRenderHint(QPainter::Antialiasing);
    DrawTrack(p, QColor(60, 140 + variant * 8, 60), QColor(210, 30, 30), 60, 214);
    p.setPen(QPen(Qt::white, 3));
    for (int slot = 0; slot < 2; ++slot) { // grid boxes
        int y = 92 + slot * 64;
        p.drawLine(210 - slot * 60, y - 24, 210 - slot * 60, y + 24);
        p.drawLine(210 - slot * 60, y - 24, 190 - slot * 60, y - 24);
        p.drawLine(210 - slot * 60, y + 24, 190 - slot * 60, y + 24);
    }
    DrawCar(p, {150, 92}, 0, 1.0, SceneLivery(variant));
    DrawCar(p, {90, 156}, 0, 1.0, SceneLivery(variant + 3));
    DrawLights(p, variant, QColor(230, 20, 20));
    return image;
}

QImage GoScene(int variant, QSize size) {
    QImage image = Canvas(SceneWidth, SceneHeight, Qt::black, size);
    QPainter p(&image);
    Stretch(p, image, SceneWidth, SceneHeight);
    p.setRenderHint(QPainter::Antialiasing);
    DrawTrack(p, QColor(60, 150, 60), QColor(30, 60, 200), 60, 214);
    DrawLights(p, 5, QColor(40, 220, 60));
    for (int i = 0; i < 3; ++i) {
        double x = 200 - i * 70 + (variant % 2) * 12;
        double y = 90 + i * 42 + (variant % 3) * 4;
        SpeedLines(p, int(y) - 12, int(y) + 12, int(x) - 50, variant + i);
        DrawCar(p, {x, y}, -4 + variant * 2, 0.8, SceneLivery(variant + i * 2));
    }
    return image;
}

QImage RunScene(int variant, QSize size) {
    QImage image = Canvas(SceneWidth, SceneHeight, Qt::black, size);
    QPainter p(&image);
    Stretch(p, image, SceneWidth, SceneHeight);
    p.setRenderHint(QPainter::Antialiasing);
    static const QColor Grass[] = {QColor(60, 150, 60), QColor(200, 170, 100), QColor(40, 110, 50)};
    DrawTrack(p, Grass[variant % 3], variant % 2 ? QColor(210, 30, 30) : QColor(30, 60, 200), 50, 200);
    if (variant % 4 == 0) { // grandstand
        p.fillRect(0, 0, SceneWidth, 40, QColor(150, 150, 160));
        for (int x = 4; x < SceneWidth; x += 8) p.fillRect(x, 8 + (x % 3) * 8, 4, 4, QColor::fromHsv(x * 7 % 360, 160, 230));
    } else {
        for (int x = 10; x < SceneWidth; x += 46) { // trees
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(20, 90 + (x % 40), 30));
            p.drawEllipse(QPoint(x + variant * 3, 18), 18, 16);
        }
    }
    double angle = -12 + (variant * 5) % 24;
    SpeedLines(p, 90, 160, 110, variant);
    DrawCar(p, {170, 125}, angle, 1.3, SceneLivery(variant));
    return image;
}

QImage RetireScene(int variant, QSize size) {
    QImage image = Canvas(SceneWidth, SceneHeight, Qt::black, size);
    QPainter p(&image);
    Stretch(p, image, SceneWidth, SceneHeight);
    p.setRenderHint(QPainter::Antialiasing);
    DrawTrack(p, QColor(70, 140, 60), QColor(210, 30, 30), 30, 110);
    p.fillRect(0, 116, SceneWidth, 104, QColor(200, 180, 130)); // run-off gravel
    QPointF at(150 + (variant - 3) * 14, 168);
    DrawCar(p, at, -20 + variant * 12, 0.9, SceneLivery(variant + 5));
    Smoke(p, at, variant);
    return image;
}

QImage PenaltyScene(QSize size) {
    QImage image = Canvas(SceneWidth, SceneHeight, QColor(120, 180, 240), size);
    QPainter p(&image);
    Stretch(p, image, SceneWidth, SceneHeight);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(0, 160, SceneWidth, 60, QColor(70, 150, 70));
    p.fillRect(QRect(70, 30, 6, 180), QColor(120, 120, 120)); // pole
    QPainterPath flag;
    flag.moveTo(76, 34);
    flag.cubicTo(120, 14, 160, 54, 216, 34);
    flag.lineTo(216, 124);
    flag.cubicTo(160, 144, 120, 104, 76, 124);
    flag.closeSubpath();
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(20, 20, 20));
    p.drawPath(flag);
    p.setBrush(QColor(250, 120, 0)); // the disc of the mechanical-problem flag
    p.drawEllipse(QPointF(146, 80), 24, 24);
    return image;
}

QImage PitInScene(QSize size) {
    QImage image = Canvas(SceneWidth, SceneHeight, Qt::black, size);
    QPainter p(&image);
    Stretch(p, image, SceneWidth, SceneHeight);
    p.setRenderHint(QPainter::Antialiasing);
    PitLane(p);
    DrawCar(p, {120, 100}, 25, 0.8, SceneLivery(2));
    Arrow(p, {40, 60}, {250, 150}, QColor(250, 220, 0));
    return image;
}

QImage PitOutScene(QSize size) {
    QImage image = Canvas(SceneWidth, SceneHeight, Qt::black, size);
    QPainter p(&image);
    Stretch(p, image, SceneWidth, SceneHeight);
    p.setRenderHint(QPainter::Antialiasing);
    PitLane(p);
    DrawCar(p, {160, 96}, -25, 0.8, SceneLivery(4));
    Arrow(p, {30, 150}, {250, 50}, QColor(60, 230, 80));
    return image;
}

QImage PassScene(int variant, QSize size) {
    QImage image = Canvas(SceneWidth, SceneHeight, Qt::black, size);
    QPainter p(&image);
    Stretch(p, image, SceneWidth, SceneHeight);
    p.setRenderHint(QPainter::Antialiasing);
    DrawTrack(p, variant % 2 ? QColor(60, 150, 60) : QColor(190, 160, 100), QColor(210, 30, 30), 40, 206);
    double gap = -30 + (variant * 7) % 60; // the attacker from behind to alongside
    SpeedLines(p, 60, 190, 100, variant);
    DrawCar(p, {150, 90}, 0, 0.95, SceneLivery(variant));
    DrawCar(p, {150 + gap, 156}, -6, 0.95, SceneLivery(variant + 4));
    return image;
}

} // namespace karven::pictures
