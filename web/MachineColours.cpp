#include "MachineColours.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>

#include "shell/Grid.h"

namespace karven::web {

namespace {
const Rgb NoColour{120, 120, 120};

uint32_t Le(const std::string& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | uint8_t(b[at + size_t(i)]);
    return v;
}

// The pixels of an uncompressed bitmap of 8, 24 or 32 bits, as 0xRRGGBB; none for any other.
std::vector<uint32_t> Pixels(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string b((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return {};
    const uint32_t offset = Le(b, 10, 4), header = Le(b, 14, 4);
    const int32_t width = int32_t(Le(b, 18, 4)), rawHeight = int32_t(Le(b, 22, 4));
    const int bits = int(Le(b, 28, 2)), compression = int(Le(b, 30, 4));
    const int height = std::abs(rawHeight);
    if (width <= 0 || height == 0 || width > 4096 || height > 4096) return {};
    if (compression != 0 && !(compression == 3 && bits == 32)) return {};
    std::vector<uint32_t> palette;
    if (bits == 8) {
        uint32_t colours = Le(b, 46, 4);
        if (colours == 0) colours = 256;
        for (uint32_t i = 0; i < colours && 14 + header + 4 * i + 3 < b.size(); ++i)
            palette.push_back(Le(b, 14 + header + 4 * i, 3));
    } else if (bits != 24 && bits != 32) {
        return {};
    }
    const size_t stride = (size_t(width) * size_t(bits) + 31) / 32 * 4;
    if (offset + stride * size_t(height) > b.size()) return {};
    std::vector<uint32_t> out;
    out.reserve(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t at = offset + size_t(y) * stride + size_t(x) * size_t(bits / 8);
            if (bits == 8) {
                const size_t i = uint8_t(b[at]);
                out.push_back(i < palette.size() ? palette[i] : 0);
            } else {
                out.push_back(Le(b, at, 3));
            }
        }
    return out;
}

Rgb Of(uint32_t p) { return {int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255)}; }

// Lightness as HSL has it, 0..255, halves rounded up as Qt rounds them.
int Lightness(Rgb c) { return (std::max({c.r, c.g, c.b}) + std::min({c.r, c.g, c.b}) + 1) / 2; }

// A shade in HSV: the value scaled; past white the saturation gives way, as lighter colours do.
Rgb Shade(Rgb c, double factor) {
    double r = c.r / 255.0, g = c.g / 255.0, b = c.b / 255.0;
    double max = std::max({r, g, b}), min = std::min({r, g, b});
    double h = 0, s = max > 0 ? (max - min) / max : 0, v = max;
    if (max > min) {
        if (max == r) h = std::fmod((g - b) / (max - min), 6.0);
        else if (max == g) h = (b - r) / (max - min) + 2;
        else h = (r - g) / (max - min) + 4;
        if (h < 0) h += 6;
    }
    v *= factor;
    if (v > 1) {
        s = std::max(0.0, s - (v - 1));
        v = 1;
    }
    const double cc = v * s, x = cc * (1 - std::fabs(std::fmod(h, 2.0) - 1)), m = v - cc;
    double rr = 0, gg = 0, bb = 0;
    switch (int(h) % 6) {
    case 0: rr = cc, gg = x; break;
    case 1: rr = x, gg = cc; break;
    case 2: gg = cc, bb = x; break;
    case 3: gg = x, bb = cc; break;
    case 4: rr = x, bb = cc; break;
    default: rr = cc, bb = x;
    }
    auto to = [m](double u) { return int(std::lround((u + m) * 255)); };
    return {to(rr), to(gg), to(bb)};
}
Rgb Darker(Rgb c, int factor) { return Shade(c, 100.0 / factor); }
Rgb Lighter(Rgb c, int factor) { return Shade(c, factor / 100.0); }
} // namespace

std::string Rgb::Css() const {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", r & 255, g & 255, b & 255);
    return text;
}

Rgb MachineColour(const std::string& path, Rgb fallback) {
    const std::vector<uint32_t> pixels = Pixels(path);
    if (pixels.empty()) return fallback;
    std::map<uint32_t, int64_t> counts;
    for (uint32_t p : pixels) ++counts[p];
    const MachinePick pick = PickMachineColour({counts.begin(), counts.end()}, int64_t(pixels.size()),
                                               [](uint32_t p) { return Lightness(Of(p)) > 215; });
    return pick.own ? Of(pick.value) : Darker(Of(pick.value), 140);
}

Rgb ChartPalette::Of(const std::string& colorNo) {
    for (const auto& [no, colour] : given_)
        if (no == colorNo) return colour;
    const Rgb machine = colorNo.empty() ? NoColour : MachineColour(ColorFilePath(shell_, colorNo, 1), NoColour);
    const std::vector<Rgb> shades{machine, Darker(machine, 150), Lighter(machine, 150), Darker(machine, 220), Lighter(machine, 190)};
    std::vector<ChartRgb> rgb;
    for (const Rgb& shade : shades) rgb.push_back({shade.r, shade.g, shade.b});
    const Rgb chosen = shades[size_t(chooser_.Choose(rgb, colorNo))];
    given_.emplace_back(colorNo, chosen);
    return chosen;
}

} // namespace karven::web
