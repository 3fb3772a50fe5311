#pragma once
// The machine colours behind the pictures img/color/NNNN.dat: the build draws each picture from
// its entry here, and what shows a colour without the pictures (the season report) reads it here.

#include <cstdint>
#include <iterator>
#include <string_view>

namespace karven {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    constexpr bool operator==(const Rgb&) const = default;
};

// How a swatch lays out its colours.
enum class LiveryPattern {
    Stripe,      // body, a band of the second colour along the middle
    TwinStripes, // body, two thin bands of the second colour
    Split,       // the tail in the body colour, the nose in the second
    Halves,      // the upper half in the body colour, the lower in the second
    Band,        // body, an upright band of the second colour across the middle
    Diagonal,    // body, the lower right corner in the second colour
    Edged,       // body, a middle band of the second colour edged by a third
};

struct LiveryColours {
    Rgb body;
    Rgb stripe;
    LiveryPattern pattern = LiveryPattern::Stripe;
    Rgb trim{};
};

namespace liveries {
using enum LiveryPattern;
constexpr Rgb Red{210, 20, 30};
constexpr Rgb Blue{20, 50, 160};
constexpr Rgb Green{0, 120, 70};
constexpr Rgb Yellow{250, 210, 0};
constexpr Rgb Orange{250, 130, 0};
constexpr Rgb Black{25, 25, 25};
constexpr Rgb White{255, 255, 255};
constexpr Rgb Silver{160, 160, 170};
constexpr Rgb Purple{110, 30, 150};
constexpr Rgb Sky{0, 170, 210};
constexpr Rgb Pink{240, 100, 160};
constexpr Rgb Maroon{130, 20, 30};
constexpr Rgb Navy{10, 30, 80};
constexpr Rgb Lime{120, 200, 40};
constexpr Rgb Teal{0, 150, 140};
constexpr Rgb Gold{200, 160, 40};
constexpr Rgb Brown{140, 90, 50};
constexpr Rgb Cream{240, 225, 180};
constexpr Rgb Gunmetal{80, 80, 90};
constexpr Rgb Turquoise{60, 210, 200};
constexpr Rgb Coral{250, 110, 90};
constexpr Rgb Lavender{170, 140, 220};
constexpr Rgb Olive{110, 120, 40};
constexpr Rgb Crimson{180, 0, 50};
constexpr Rgb Magenta{200, 30, 140};
constexpr Rgb Mint{150, 230, 180};
constexpr Rgb Copper{190, 100, 50};
constexpr Rgb Ice{200, 230, 250};
constexpr Rgb Charcoal{45, 45, 55};

// Machine colours: body and stripe from 0000 on, numbered without gaps. 0000 is the plain livery
// of a team without paint. Seasons name these numbers, so an entry keeps its place and its look;
// new ones go at the end.
inline constexpr LiveryColours Table[] = {
    {{235, 235, 235}, {170, 170, 175}}, // 0000 plain white / grey
    {{210, 20, 30}, {210, 20, 30}}, // red
    {{210, 20, 30}, {255, 255, 255}}, // red, white stripe
    {{20, 50, 160}, {20, 50, 160}}, // blue
    {{20, 50, 160}, {250, 210, 0}}, // blue, yellow
    {{0, 120, 70}, {0, 120, 70}}, // racing green
    {{0, 120, 70}, {250, 210, 0}}, // green, yellow
    {{250, 210, 0}, {250, 210, 0}}, // yellow
    {{250, 210, 0}, {20, 20, 20}}, // yellow, black
    {{250, 130, 0}, {250, 130, 0}}, // orange
    {{250, 130, 0}, {20, 50, 160}}, // orange, blue
    {{25, 25, 25}, {25, 25, 25}}, // black
    {{25, 25, 25}, {210, 170, 40}}, // black, gold
    {{255, 255, 255}, {210, 20, 30}}, // white, red
    {{255, 255, 255}, {20, 50, 160}}, // white, blue
    {{160, 160, 170}, {160, 160, 170}}, // silver
    {{160, 160, 170}, {0, 160, 150}}, // silver, teal
    {{110, 30, 150}, {110, 30, 150}}, // purple
    {{110, 30, 150}, {250, 250, 250}}, // purple, white
    {{0, 170, 210}, {0, 170, 210}}, // sky blue
    {{0, 170, 210}, {250, 250, 250}}, // sky blue, white
    {{240, 100, 160}, {240, 100, 160}}, // pink
    {{240, 100, 160}, {20, 50, 160}}, // pink, blue
    {{130, 20, 30}, {130, 20, 30}}, // maroon
    {{130, 20, 30}, {250, 210, 0}}, // maroon, yellow
    {{10, 30, 80}, {10, 30, 80}}, // navy
    {{10, 30, 80}, {210, 20, 30}}, // navy, red
    {{120, 200, 40}, {120, 200, 40}}, // lime
    {{120, 200, 40}, {25, 25, 25}}, // lime, black
    {{0, 150, 140}, {0, 150, 140}}, // teal
    {{0, 150, 140}, {250, 130, 0}}, // teal, orange
    {{200, 160, 40}, {200, 160, 40}}, // gold
    {{200, 160, 40}, {25, 25, 25}}, // gold, black
    {{140, 90, 50}, {140, 90, 50}}, // brown
    {{140, 90, 50}, {240, 220, 170}}, // brown, cream
    {{240, 225, 180}, {0, 120, 70}}, // cream, green
    {{80, 80, 90}, {80, 80, 90}}, // gunmetal
    {{80, 80, 90}, {250, 130, 0}}, // gunmetal, orange
    {{210, 20, 30}, {25, 25, 25}}, // red, black
    {{20, 50, 160}, {255, 255, 255}}, // blue, white
    {{0, 120, 70}, {255, 255, 255}}, // green, white
    {{250, 210, 0}, {210, 20, 30}}, // yellow, red
    {{250, 130, 0}, {255, 255, 255}}, // orange, white
    {{25, 25, 25}, {210, 20, 30}}, // black, red
    {{255, 255, 255}, {0, 120, 70}}, // white, green
    {{110, 30, 150}, {250, 210, 0}}, // purple, yellow
    {{0, 170, 210}, {240, 100, 160}}, // sky blue, pink
    {{130, 20, 30}, {255, 255, 255}}, // maroon, white
    {{160, 160, 170}, {210, 20, 30}}, // silver, red
    // 0049 on: two-tone and striped, each pattern and body colour different from the one before.
    {Red, White, TwinStripes}, // 0049
    {Blue, Yellow, Split}, // 0050
    {Green, White, Halves}, // 0051
    {Black, Orange, Band}, // 0052
    {White, Red, Diagonal}, // 0053
    {Navy, Silver, Edged, Red}, // 0054
    {Yellow, Black, TwinStripes}, // 0055
    {Orange, Black, Split}, // 0056
    {Sky, Navy, Halves}, // 0057
    {Silver, Blue, Band}, // 0058
    {Purple, Gold, Diagonal}, // 0059
    {White, Blue, Edged, Red}, // 0060
    {Green, Gold, TwinStripes}, // 0061
    {Red, Black, Split}, // 0062
    {Yellow, Blue, Halves}, // 0063
    {Maroon, Cream, Band}, // 0064
    {Teal, White, Diagonal}, // 0065
    {Black, Gold, Edged, Red}, // 0066
    {Blue, White, TwinStripes}, // 0067
    {Pink, White, Split}, // 0068
    {Black, Red, Halves}, // 0069
    {Lime, Black, Band}, // 0070
    {Orange, Blue, Diagonal}, // 0071
    {Red, White, Edged, Black}, // 0072
    {Turquoise, Navy, TwinStripes}, // 0073
    {Gold, Black, Split}, // 0074
    {Red, Yellow, Halves}, // 0075
    {Navy, Pink, Band}, // 0076
    {Silver, Black, Diagonal}, // 0077
    {Green, Yellow, Edged, White}, // 0078
    {Coral, White, TwinStripes}, // 0079
    {Lavender, Purple, Split}, // 0080
    {Olive, Cream, Halves}, // 0081
    {Crimson, White, Band}, // 0082
    {Yellow, Green, Diagonal}, // 0083
    {Sky, White, Edged, Navy}, // 0084
    {Magenta, Black, TwinStripes}, // 0085
    {Mint, Teal, Split}, // 0086
    {Copper, Black, Halves}, // 0087
    {Ice, Red, Band}, // 0088
    {Charcoal, Lime, Diagonal}, // 0089
    {Maroon, Gold, Edged, White}, // 0090
    {Orange, Navy, TwinStripes}, // 0091
    {White, Green, Split}, // 0092
    {Purple, White, Halves}, // 0093
    {Gold, Red, Band}, // 0094
    {Blue, Red, Diagonal}, // 0095
    {Silver, Orange, Edged, Black}, // 0096
    {Black, Silver, TwinStripes}, // 0097
    {Teal, Orange, Split}, // 0098
    {Navy, Sky, Halves}, // 0099
    {Pink, Black, Band}, // 0100
    {Maroon, Cream, Diagonal}, // 0101
    {Yellow, Black, Edged, Red}, // 0102
    {Lime, Green, TwinStripes}, // 0103
    {Crimson, Navy, Split}, // 0104
    {White, Black, Halves}, // 0105
    {Turquoise, Yellow, Band}, // 0106
    {Coral, Navy, Diagonal}, // 0107
    {Purple, Silver, Edged, Pink}, // 0108
    {Gunmetal, Yellow, TwinStripes}, // 0109
    {Brown, Gold, Split}, // 0110
    {Magenta, Yellow, Halves}, // 0111
};
} // namespace liveries

inline constexpr int LiveryCount = int(std::size(liveries::Table));
static_assert(LiveryCount == 112);

// The livery a team's ColorNo names: its picture is img/color/<ColorNo>.dat, so only four digits
// name one. nullptr for any other text and for a number without a picture.
constexpr const LiveryColours* LiveryOf(std::string_view colorNo) {
    if (colorNo.size() != 4) return nullptr;
    int n = 0;
    for (char c : colorNo) {
        if (c < '0' || c > '9') return nullptr;
        n = n * 10 + (c - '0');
    }
    return n < LiveryCount ? &liveries::Table[n] : nullptr;
}

} // namespace karven
