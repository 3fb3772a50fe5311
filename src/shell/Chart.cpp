#include "shell/Chart.h"

#include <cmath>
#include <cstdio>

#include "season/Translate.h"

namespace karven {

std::string Chart::PointTip(size_t line, size_t step) const {
    if (line >= lines.size() || step >= lines[line].values.size()) return {};
    return TrF(pointTip.c_str(), lines[line].name, step, ChartNumber(lines[line].values[step]));
}

ChartAxis NiceAxis(std::string title, double most) {
    ChartAxis axis;
    axis.title = std::move(title);
    if (!(most > 0)) most = 1;
    const double unit = std::pow(10.0, std::floor(std::log10(most / 5)));
    axis.step = 10 * unit;
    for (double m : {1.0, 2.0, 2.5, 5.0})
        if (most / (m * unit) <= 6) {
            axis.step = m * unit;
            break;
        }
    axis.top = std::ceil(most / axis.step - 1e-9) * axis.step;
    return axis;
}

int StepLabelEvery(int steps) { return steps <= 20 ? 1 : 2; }

std::string ChartNumber(double value) {
    char text[32];
    if (std::fabs(value - std::round(value)) < 1e-9) std::snprintf(text, sizeof text, "%.0f", value);
    else std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

} // namespace karven
