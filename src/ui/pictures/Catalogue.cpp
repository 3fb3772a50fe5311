#include "pictures/Catalogue.h"

#include <QRegularExpression>
#include <functional>
#include <iterator>

#include "pictures/Drawing.h"

namespace karven::pictures {

namespace {
using enum Pattern;

// Machine colours: body and stripe from 0000 on, numbered without gaps. 0000 is the plain livery
// of a team without paint. Seasons name these numbers, so an entry keeps its place and its look;
// new ones go at the end.
const QColor Red(210, 20, 30), Blue(20, 50, 160), Green(0, 120, 70), Yellow(250, 210, 0), Orange(250, 130, 0),
    Black(25, 25, 25), White(255, 255, 255), Silver(160, 160, 170), Purple(110, 30, 150), Sky(0, 170, 210),
    Pink(240, 100, 160), Maroon(130, 20, 30), Navy(10, 30, 80), Lime(120, 200, 40), Teal(0, 150, 140),
    Gold(200, 160, 40), Brown(140, 90, 50), Cream(240, 225, 180), Gunmetal(80, 80, 90),
    Turquoise(60, 210, 200), Coral(250, 110, 90), Lavender(170, 140, 220), Olive(110, 120, 40),
    Crimson(180, 0, 50), Magenta(200, 30, 140), Mint(150, 230, 180), Copper(190, 100, 50), Ice(200, 230, 250),
    Charcoal(45, 45, 55);

const Livery Palette[] = {
    {QColor(235, 235, 235), QColor(170, 170, 175)}, // 0000 plain white / grey
    {QColor(210, 20, 30), QColor(210, 20, 30)},     // red
    {QColor(210, 20, 30), QColor(255, 255, 255)},   // red, white stripe
    {QColor(20, 50, 160), QColor(20, 50, 160)},     // blue
    {QColor(20, 50, 160), QColor(250, 210, 0)},     // blue, yellow
    {QColor(0, 120, 70), QColor(0, 120, 70)},       // racing green
    {QColor(0, 120, 70), QColor(250, 210, 0)},      // green, yellow
    {QColor(250, 210, 0), QColor(250, 210, 0)},     // yellow
    {QColor(250, 210, 0), QColor(20, 20, 20)},      // yellow, black
    {QColor(250, 130, 0), QColor(250, 130, 0)},     // orange
    {QColor(250, 130, 0), QColor(20, 50, 160)},     // orange, blue
    {QColor(25, 25, 25), QColor(25, 25, 25)},       // black
    {QColor(25, 25, 25), QColor(210, 170, 40)},     // black, gold
    {QColor(255, 255, 255), QColor(210, 20, 30)},   // white, red
    {QColor(255, 255, 255), QColor(20, 50, 160)},   // white, blue
    {QColor(160, 160, 170), QColor(160, 160, 170)}, // silver
    {QColor(160, 160, 170), QColor(0, 160, 150)},   // silver, teal
    {QColor(110, 30, 150), QColor(110, 30, 150)},   // purple
    {QColor(110, 30, 150), QColor(250, 250, 250)},  // purple, white
    {QColor(0, 170, 210), QColor(0, 170, 210)},     // sky blue
    {QColor(0, 170, 210), QColor(250, 250, 250)},   // sky blue, white
    {QColor(240, 100, 160), QColor(240, 100, 160)}, // pink
    {QColor(240, 100, 160), QColor(20, 50, 160)},   // pink, blue
    {QColor(130, 20, 30), QColor(130, 20, 30)},     // maroon
    {QColor(130, 20, 30), QColor(250, 210, 0)},     // maroon, yellow
    {QColor(10, 30, 80), QColor(10, 30, 80)},       // navy
    {QColor(10, 30, 80), QColor(210, 20, 30)},      // navy, red
    {QColor(120, 200, 40), QColor(120, 200, 40)},   // lime
    {QColor(120, 200, 40), QColor(25, 25, 25)},     // lime, black
    {QColor(0, 150, 140), QColor(0, 150, 140)},     // teal
    {QColor(0, 150, 140), QColor(250, 130, 0)},     // teal, orange
    {QColor(200, 160, 40), QColor(200, 160, 40)},   // gold
    {QColor(200, 160, 40), QColor(25, 25, 25)},     // gold, black
    {QColor(140, 90, 50), QColor(140, 90, 50)},     // brown
    {QColor(140, 90, 50), QColor(240, 220, 170)},   // brown, cream
    {QColor(240, 225, 180), QColor(0, 120, 70)},    // cream, green
    {QColor(80, 80, 90), QColor(80, 80, 90)},       // gunmetal
    {QColor(80, 80, 90), QColor(250, 130, 0)},      // gunmetal, orange
    {QColor(210, 20, 30), QColor(25, 25, 25)},      // red, black
    {QColor(20, 50, 160), QColor(255, 255, 255)},   // blue, white
    {QColor(0, 120, 70), QColor(255, 255, 255)},    // green, white
    {QColor(250, 210, 0), QColor(210, 20, 30)},     // yellow, red
    {QColor(250, 130, 0), QColor(255, 255, 255)},   // orange, white
    {QColor(25, 25, 25), QColor(210, 20, 30)},      // black, red
    {QColor(255, 255, 255), QColor(0, 120, 70)},    // white, green
    {QColor(110, 30, 150), QColor(250, 210, 0)},    // purple, yellow
    {QColor(0, 170, 210), QColor(240, 100, 160)},   // sky blue, pink
    {QColor(130, 20, 30), QColor(255, 255, 255)},   // maroon, white
    {QColor(160, 160, 170), QColor(210, 20, 30)},   // silver, red
    // 0049 on: two-tone and striped, each pattern and body colour different from the one before.
    {Red, White, TwinStripes},       // 0049
    {Blue, Yellow, Split},           // 0050
    {Green, White, Halves},          // 0051
    {Black, Orange, Band},           // 0052
    {White, Red, Diagonal},          // 0053
    {Navy, Silver, Edged, Red},      // 0054
    {Yellow, Black, TwinStripes},    // 0055
    {Orange, Black, Split},          // 0056
    {Sky, Navy, Halves},             // 0057
    {Silver, Blue, Band},            // 0058
    {Purple, Gold, Diagonal},        // 0059
    {White, Blue, Edged, Red},       // 0060
    {Green, Gold, TwinStripes},      // 0061
    {Red, Black, Split},             // 0062
    {Yellow, Blue, Halves},          // 0063
    {Maroon, Cream, Band},           // 0064
    {Teal, White, Diagonal},         // 0065
    {Black, Gold, Edged, Red},       // 0066
    {Blue, White, TwinStripes},      // 0067
    {Pink, White, Split},            // 0068
    {Black, Red, Halves},            // 0069
    {Lime, Black, Band},             // 0070
    {Orange, Blue, Diagonal},        // 0071
    {Red, White, Edged, Black},      // 0072
    {Turquoise, Navy, TwinStripes},  // 0073
    {Gold, Black, Split},            // 0074
    {Red, Yellow, Halves},           // 0075
    {Navy, Pink, Band},              // 0076
    {Silver, Black, Diagonal},       // 0077
    {Green, Yellow, Edged, White},   // 0078
    {Coral, White, TwinStripes},     // 0079
    {Lavender, Purple, Split},       // 0080
    {Olive, Cream, Halves},          // 0081
    {Crimson, White, Band},          // 0082
    {Yellow, Green, Diagonal},       // 0083
    {Sky, White, Edged, Navy},       // 0084
    {Magenta, Black, TwinStripes},   // 0085
    {Mint, Teal, Split},             // 0086
    {Copper, Black, Halves},         // 0087
    {Ice, Red, Band},                // 0088
    {Charcoal, Lime, Diagonal},      // 0089
    {Maroon, Gold, Edged, White},    // 0090
    {Orange, Navy, TwinStripes},     // 0091
    {White, Green, Split},           // 0092
    {Purple, White, Halves},         // 0093
    {Gold, Red, Band},               // 0094
    {Blue, Red, Diagonal},           // 0095
    {Silver, Orange, Edged, Black},  // 0096
    {Black, Silver, TwinStripes},    // 0097
    {Teal, Orange, Split},           // 0098
    {Navy, Sky, Halves},             // 0099
    {Pink, Black, Band},             // 0100
    {Maroon, Cream, Diagonal},       // 0101
    {Yellow, Black, Edged, Red},     // 0102
    {Lime, Green, TwinStripes},      // 0103
    {Crimson, Navy, Split},          // 0104
    {White, Black, Halves},          // 0105
    {Turquoise, Yellow, Band},       // 0106
    {Coral, Navy, Diagonal},         // 0107
    {Purple, Silver, Edged, Pink},   // 0108
    {Gunmetal, Yellow, TwinStripes}, // 0109
    {Brown, Gold, Split},            // 0110
    {Magenta, Yellow, Halves},       // 0111
};
static_assert(std::size(Palette) == 112);

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
    for (int code = 0; code < int(std::size(Palette)); ++code)
        names << QString("img/color/%1.dat").arg(code, 4, 10, QChar('0'));
    for (const WeatherFile& sky : Skies) names << QString("img/tenkou/%1.bmp").arg(sky.file);
    for (const Series& s : Scenes)
        for (int n = 1; n <= s.count; ++n) names << QString("img/anime/%1%2.bmp").arg(s.base).arg(n, 2, 10, QChar('0'));
    return names;
}

QImage DrawPicture(const QString& name, QSize size) {
    if (name == "cls.dat") return Swatch(Palette[0], true, size);
    static const QRegularExpression color("^img/color/(\\d{4})\\.dat$");
    if (auto m = color.match(name); m.hasMatch()) {
        int code = m.captured(1).toInt();
        return code < int(std::size(Palette)) ? Swatch(Palette[code], false, size) : QImage();
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
