#include "odds/MachinePalette.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "shell/Grid.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

namespace {
constexpr uint32_t NoColour = 0x787878;

ChartRgb Split(uint32_t p) { return {int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255)}; }
uint32_t Join(int r, int g, int b) { return uint32_t(r & 255) << 16 | uint32_t(g & 255) << 8 | uint32_t(b & 255); }

// Lightness as HSL has it, 0..255, halves rounded up as the toolkit rounds them.
int Lightness(ChartRgb c) { return (std::max({c.r, c.g, c.b}) + std::min({c.r, c.g, c.b}) + 1) / 2; }

// The value scaled; past white the saturation gives way, as lighter colours do.
uint32_t Shade(uint32_t rgb, double factor) {
    const ChartRgb c = Split(rgb);
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
    return Join(to(rr), to(gg), to(bb));
}
} // namespace

uint32_t Darker(uint32_t rgb, int factor) { return Shade(rgb, 100.0 / factor); }
uint32_t Lighter(uint32_t rgb, int factor) { return Shade(rgb, factor / 100.0); }

uint32_t MachineColour(const std::vector<uint32_t>& pixels, uint32_t fallback) {
    if (pixels.empty()) return fallback;
    std::map<uint32_t, int64_t> counts;
    for (uint32_t p : pixels) ++counts[p & 0xFFFFFF];
    const MachinePick pick = PickMachineColour({counts.begin(), counts.end()}, int64_t(pixels.size()),
                                               [](uint32_t p) { return Lightness(Split(p)) > 215; });
    // A white machine is drawn a shade darker.
    return pick.own ? pick.value : Darker(pick.value, 140);
}

uint32_t MachinePalette::Of(const std::string& colorNo) {
    for (const auto& [no, colour] : given_)
        if (no == colorNo) return colour;
    const uint32_t machine =
        colorNo.empty() ? NoColour : MachineColour(shell_.platform.PicturePixels(ColorFilePath(shell_, colorNo, 1)), NoColour);
    const uint32_t shades[] = {machine, Darker(machine, 150), Lighter(machine, 150), Darker(machine, 220), Lighter(machine, 190)};
    std::vector<ChartRgb> rgb;
    for (uint32_t shade : shades) rgb.push_back(Split(shade));
    const uint32_t chosen = shades[size_t(chooser_.Choose(rgb, colorNo))];
    given_.emplace_back(colorNo, chosen);
    return chosen;
}

} // namespace karven
