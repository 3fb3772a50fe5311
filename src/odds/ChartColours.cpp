#include "odds/ChartColours.h"

#include <algorithm>

namespace karven {

bool LookAlike(ChartRgb a, ChartRgb b) {
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr + dg * dg + db * db < 45 * 45;
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

int ShadeChooser::Choose(const std::vector<ChartRgb>& shades) {
    int chosen = 0;
    for (int i = 0; i < int(shades.size()); ++i) {
        bool taken = false;
        for (const ChartRgb& given : given_) taken = taken || LookAlike(given, shades[size_t(i)]);
        if (!taken) {
            chosen = i;
            break;
        }
    }
    if (!shades.empty()) given_.push_back(shades[size_t(chosen)]);
    return chosen;
}

int LookCounter::Next(const std::string& colorNo) {
    for (auto& [colour, count] : used_)
        if (colour == colorNo) return std::min(count++, 2);
    used_.emplace_back(colorNo, 1);
    return 0;
}

} // namespace karven
