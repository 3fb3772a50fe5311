#include "exchange/ReportChart.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "season/Translate.h"
#include "season/Utf8.h"
#include "shell/Liveries.h"

namespace karven::report {

namespace {
constexpr Rgb Neutral{225, 225, 228};
constexpr Rgb Outline{90, 90, 90};

std::string Hex(Rgb c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

int Lightness(Rgb c) { return (std::max({c.r, c.g, c.b}) + std::min({c.r, c.g, c.b})) / 2; }

std::string Fixed(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// A step of 1, 2 or 5 times a power of ten that divides the range into at most eight parts.
int TickStep(int top) {
    for (int scale = 1;; scale *= 10)
        for (int f : {1, 2, 5})
            if (top <= f * scale * 8) return f * scale;
}

// Team-mates share a colour: the first line of a colour is solid with round markers, the second
// dashed with square ones, a third dotted with diamonds, as in the game's own chart.
struct Look {
    const char* dash;
    int marker;
};
constexpr Look Looks[] = {{"", 0}, {"7 4", 1}, {"2 3", 2}};

std::string Marker(double x, double y, int shape, const std::string& colour) {
    std::string attrs = " fill=\"" + colour + "\" stroke=\"#fff\" stroke-width=\"1\"/>";
    if (shape == 0) return "<circle cx=\"" + Fixed(x) + "\" cy=\"" + Fixed(y) + "\" r=\"3.5\"" + attrs;
    if (shape == 1)
        return "<rect x=\"" + Fixed(x - 3.2) + "\" y=\"" + Fixed(y - 3.2) + "\" width=\"6.4\" height=\"6.4\"" + attrs;
    return "<path d=\"M" + Fixed(x) + " " + Fixed(y - 4.2) + "L" + Fixed(x + 4.2) + " " + Fixed(y) + "L" + Fixed(x) + " " +
           Fixed(y + 4.2) + "L" + Fixed(x - 4.2) + " " + Fixed(y) + "Z\"" + attrs;
}
} // namespace

std::string Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string SwatchSvg(const std::string& colorNo) {
    const LiveryColours* livery = LiveryOf(colorNo);
    std::string svg = "<svg class=\"sw\" viewBox=\"0 0 32 12\" width=\"32\" height=\"12\" aria-hidden=\"true\">";
    svg += "<rect width=\"32\" height=\"12\" fill=\"" + Hex(livery ? livery->body : Neutral) + "\"/>";
    if (livery) {
        auto band = [&svg](int x, int y, int w, int h, Rgb c) {
            svg += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" + std::to_string(w) +
                   "\" height=\"" + std::to_string(h) + "\" fill=\"" + Hex(c) + "\"/>";
        };
        const Rgb second = livery->stripe;
        switch (livery->pattern) {
        case LiveryPattern::Stripe: band(0, 4, 32, 4, second); break;
        case LiveryPattern::TwinStripes: band(0, 2, 32, 2, second), band(0, 8, 32, 2, second); break;
        case LiveryPattern::Split: band(16, 0, 16, 12, second); break;
        case LiveryPattern::Halves: band(0, 6, 32, 6, second); break;
        case LiveryPattern::Band: band(12, 0, 8, 12, second); break;
        case LiveryPattern::Diagonal: svg += "<path d=\"M32 0L32 12L4 12Z\" fill=\"" + Hex(second) + "\"/>"; break;
        case LiveryPattern::Edged: band(0, 3, 32, 6, livery->trim), band(0, 4, 32, 4, second); break;
        }
    }
    svg += "<rect x=\".5\" y=\".5\" width=\"31\" height=\"11\" fill=\"none\" stroke=\"" + Hex(Outline) + "\"/></svg>";
    return svg;
}

std::string LineColour(const std::string& colorNo) {
    const LiveryColours* livery = LiveryOf(colorNo);
    if (!livery) return "#7a7f8a";
    // How much of the swatch each colour covers, second colours first as the pattern draws them.
    double second = 1.0 / 3, trim = 0;
    switch (livery->pattern) {
    case LiveryPattern::Split: case LiveryPattern::Halves: second = 0.5; break;
    case LiveryPattern::Band: second = 0.25; break;
    case LiveryPattern::Diagonal: second = 0.44; break;
    case LiveryPattern::Edged: trim = 1.0 / 6; break;
    default: break;
    }
    if (livery->stripe == livery->body) second = 0;
    struct Part {
        Rgb colour;
        double share;
    } parts[] = {{livery->body, 1 - second - trim}, {livery->stripe, second}, {livery->trim, trim}};
    std::stable_sort(std::begin(parts), std::end(parts), [](const Part& a, const Part& b) { return a.share > b.share; });
    // The commonest colour that shows on white, when it is a tenth of the machine or more; else
    // the body, shaded.
    for (const Part& p : parts)
        if (p.share >= 0.1 && Lightness(p.colour) <= 215) return Hex(p.colour);
    Rgb body = livery->body;
    return Hex({uint8_t(body.r * 100 / 140), uint8_t(body.g * 100 / 140), uint8_t(body.b * 100 / 140)});
}

std::string PointsChartSvg(const std::vector<PointsLine>& lines, int gps, const std::string& label) {
    constexpr double Height = 340, Left = 46, Top = 14, Right = 540, Bottom = 300;
    gps = std::max(gps, 1);
    int most = 0;
    for (const PointsLine& line : lines)
        for (int p : line.points) most = std::max(most, p);
    const int step = TickStep(std::max(most, 1));
    const int top = (std::max(most, 1) + step - 1) / step * step;
    auto x = [&](size_t g) { return Left + (Right - Left) * double(g) / gps; };
    auto y = [&](int p) { return Bottom - (Bottom - Top) * double(p) / top; };

    std::string svg = "<svg class=\"chart\" viewBox=\"0 0 800 340\" role=\"img\" aria-label=\"" + Escape(label) + "\">";
    svg += "<rect x=\"" + Fixed(Left) + "\" y=\"" + Fixed(Top) + "\" width=\"" + Fixed(Right - Left) + "\" height=\"" +
           Fixed(Bottom - Top) + "\" fill=\"#fbfcfe\" stroke=\"#c9d0db\"/>";
    for (int p = 0; p <= top; p += step) {
        svg += "<line x1=\"" + Fixed(Left) + "\" x2=\"" + Fixed(Right) + "\" y1=\"" + Fixed(y(p)) + "\" y2=\"" +
               Fixed(y(p)) + "\" stroke=\"#e3e7ee\"/>";
        svg += "<text x=\"" + Fixed(Left - 6) + "\" y=\"" + Fixed(y(p) + 4) + "\" text-anchor=\"end\" class=\"axis\">" +
               std::to_string(p) + "</text>";
    }
    for (int g = 1; g <= gps; ++g)
        svg += "<text x=\"" + Fixed(x(g)) + "\" y=\"" + Fixed(Bottom + 16) + "\" text-anchor=\"middle\" class=\"axis\">" +
               std::to_string(g) + "</text>";
    svg += "<text x=\"" + Fixed((Left + Right) / 2) + "\" y=\"" + Fixed(Height - 6) +
           "\" text-anchor=\"middle\" class=\"axis\">" + Tr("グランプリ") + "</text>";

    std::map<std::string, int> sameColour;
    for (size_t i = 0; i < lines.size(); ++i) {
        const PointsLine& line = lines[i];
        const std::string colour = LineColour(line.colorNo);
        const Look& look = Looks[sameColour[colour]++ % std::size(Looks)];
        std::string points;
        for (size_t g = 0; g < line.points.size() && g <= size_t(gps); ++g)
            points += (g ? " " : "") + Fixed(x(g)) + "," + Fixed(y(line.points[g]));
        std::string dash = *look.dash ? std::string(" stroke-dasharray=\"") + look.dash + "\"" : "";
        svg += "<g class=\"line\"><title>" + Escape(line.name) + "</title><polyline points=\"" + points +
               "\" fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"2.5\" stroke-linejoin=\"round\"" + dash + "/>";
        for (size_t g = 1; g < line.points.size() && g <= size_t(gps); ++g)
            svg += Marker(x(g), y(line.points[g]), look.marker, colour);
        svg += "</g>";
        // The legend, in the lines' order: best first.
        const double ly = Top + 8 + 19.0 * double(i);
        svg += "<line x1=\"" + Fixed(Right + 16) + "\" x2=\"" + Fixed(Right + 44) + "\" y1=\"" + Fixed(ly) + "\" y2=\"" +
               Fixed(ly) + "\" stroke=\"" + colour + "\" stroke-width=\"2.5\"" + dash + "/>";
        svg += Marker(Right + 30, ly, look.marker, colour);
        std::string name = Utf8Length(line.name) > 12 ? Utf8Mid(line.name, 0, 11) + "…" : line.name;
        const int total = line.points.empty() ? 0 : line.points.back();
        svg += "<text x=\"" + Fixed(Right + 52) + "\" y=\"" + Fixed(ly + 4) + "\" class=\"legend\">" +
               Escape(TrF("{1}　{2}", name, total)) + "</text>";
    }
    svg += "</svg>";
    return svg;
}

} // namespace karven::report
