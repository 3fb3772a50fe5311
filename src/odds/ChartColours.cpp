#include "odds/ChartColours.h"

#include <algorithm>

#include "odds/ColourVision.h"

namespace karven {

bool LookAlike(ChartRgb a, ChartRgb b) {
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr + dg * dg + db * db < 45 * 45;
}

bool ApartForEveryEye(ChartRgb a, ChartRgb b) {
    constexpr double Apart = 10;
    return !LookAlike(a, b) && LeastDifference(a, b) >= Apart;
}

MachinePick PickMachineColour(const std::vector<std::pair<uint32_t, int64_t>>& counts, int64_t pixels,
                              const std::function<bool(uint32_t)>& light) {
    uint32_t most = 0, visible = 0;
    int64_t best = -1, bestVisible = -1;
    for (const auto& [value, count] : counts) {
        if (count > best || (count == best && value < most)) best = count, most = value;
        if (!light(value) && (count > bestVisible || (count == bestVisible && value < visible)))
            bestVisible = count, visible = value;
    }
    if (bestVisible >= 0 && bestVisible * 10 >= pixels) return {visible, true};
    return {most, false};
}

int ShadeChooser::Choose(const std::vector<ChartRgb>& shades, const std::string& key) {
    if (shades.empty()) return 0;
    auto twin = [this](ChartRgb shade, bool everyEye) -> const Given* {
        for (const Given& given : given_)
            if (everyEye ? !ApartForEveryEye(given.rgb, shade) : LookAlike(given.rgb, shade)) return &given;
        return nullptr;
    };
    for (int i = 0; i < int(shades.size()); ++i)
        if (!twin(shades[size_t(i)], true)) {
            given_.push_back({shades[size_t(i)], key, key});
            return i;
        }
    // No shade every eye tells apart: one the eye that sees colours does, else its own; either way
    // its lines' looks follow those of the colour it is taken for.
    int chosen = 0;
    for (int i = 0; i < int(shades.size()); ++i)
        if (!twin(shades[size_t(i)], false)) {
            chosen = i;
            break;
        }
    given_.push_back({shades[size_t(chosen)], key, twin(shades[size_t(chosen)], true)->lookKey});
    return chosen;
}

std::string ShadeChooser::LookKey(const std::string& key) const {
    for (const Given& given : given_)
        if (given.key == key) return given.lookKey;
    return key;
}

int LookCounter::Next(const std::string& colorNo) {
    for (auto& [colour, count] : used_)
        if (colour == colorNo) return std::min(count++, LastLook);
    used_.emplace_back(colorNo, 1);
    return 0;
}

} // namespace karven
