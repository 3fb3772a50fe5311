#include "pictures/Catalogue.h"

#include <QRegularExpression>
#include <functional>
#include <iterator>

#include "pictures/Drawing.h"
#include "shell/Liveries.h"

namespace karven::pictures {

namespace {
Livery ToLivery(const LiveryColours& c) {
    auto colour = [](Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); };
    return {colour(c.body), colour(c.stripe), c.pattern, colour(c.trim)};
}

struct Series {
    const char* base;
    int count;
    std::function<QImage(int, QSize)> draw;
};
const Series Scenes[] = {
    {"sta", 5, GridScene},   {"go", 5, GoScene},
    {"run", 10, RunScene},   {"ret", 5, RetireScene},
    {"pen", 1, [](int, QSize size) { return PenaltyScene(size); }},
    {"pitin", 1, [](int, QSize size) { return PitInScene(size); }},
    {"pitout", 1, [](int, QSize size) { return PitOutScene(size); }},
    {"iku", 10, PassScene},
};

struct WeatherFile {
    const char* file;
    Weather weather;
};
const WeatherFile Skies[] = {{"hare", Weather::Fine}, {"kumori", Weather::Cloudy}, {"ame", Weather::Rain}};
} // namespace

QStringList PictureNames() {
    QStringList names{"cls.dat"};
    for (int code = 0; code < LiveryCount; ++code)
        names << QString("img/color/%1.dat").arg(code, 4, 10, QChar('0'));
    for (const WeatherFile& sky : Skies) names << QString("img/tenkou/%1.bmp").arg(sky.file);
    for (const Series& s : Scenes)
        for (int n = 1; n <= s.count; ++n) names << QString("img/anime/%1%2.bmp").arg(s.base).arg(n, 2, 10, QChar('0'));
    return names;
}

QImage DrawPicture(const QString& name, QSize size) {
    if (name == "cls.dat") return Swatch(ToLivery(liveries::Table[0]), true, size);
    static const QRegularExpression color("^img/color/(\\d{4})\\.dat$");
    if (auto m = color.match(name); m.hasMatch()) {
        int code = m.captured(1).toInt();
        return code < LiveryCount ? Swatch(ToLivery(liveries::Table[code]), false, size) : QImage();
    }
    for (const WeatherFile& sky : Skies)
        if (name == QString("img/tenkou/%1.bmp").arg(sky.file)) return WeatherPicture(sky.weather, size);
    static const QRegularExpression scene("^img/anime/([a-z]+)(\\d{2})\\.bmp$");
    if (auto m = scene.match(name); m.hasMatch()) {
        int n = m.captured(2).toInt();
        for (const Series& s : Scenes)
            if (m.captured(1) == s.base && n >= 1 && n <= s.count) return s.draw(n, size);
    }
    return {};
}

} // namespace karven::pictures
