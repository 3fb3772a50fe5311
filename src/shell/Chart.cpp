#include "shell/Chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "season/Translate.h"

namespace karven {

double ChartLine::At(int step) const {
    if (values.empty()) return 0;
    return values[size_t(std::clamp(step - first, 0, int(values.size()) - 1))];
}

std::string Chart::Value(double value) const {
    if (y.decimals < 0) return ChartNumber(value);
    char text[40];
    std::snprintf(text, sizeof text, "%.*f", std::min(y.decimals, 6), value);
    return text;
}

std::string Chart::PointTip(size_t line, int step) const {
    if (line >= lines.size() || lines[line].values.empty()) return {};
    const ChartLine& l = lines[line];
    if (!stepWords.empty()) return l.Who() + "\n" + TrF(stepWords.c_str(), step, Value(l.At(step)));
    return TrF(pointTip.c_str(), l.Who(), step, Value(l.At(step)));
}

std::string Chart::Words(int line, int step) const {
    if (line < 0 || line >= int(lines.size())) return info;
    const ChartLine& l = lines[size_t(line)];
    std::string words = l.summary.empty() ? l.Who() : l.summary;
    if (step >= 0 && !stepWords.empty() && !l.values.empty())
        words += "\n" + TrF(stepWords.c_str(), step, Value(l.At(step)));
    return words;
}

std::string Chart::MarkTip(const ChartMark& mark) const {
    if (mark.line < 0 || mark.line >= int(lines.size())) return {};
    const std::string name = mark.kind >= 0 && mark.kind < int(markNames.size()) ? markNames[size_t(mark.kind)] : "";
    return TrF(markTip.c_str(), lines[size_t(mark.line)].Who(), mark.step, name);
}

namespace {
// "タイトル 53.8%": a bar's set and its number.
std::string BarText(const Chart& chart, const ChartLine& line, size_t set) {
    return chart.barSets[set] + " " + ChartNumber(line.values[set]) + chart.x.unit;
}
} // namespace

std::string Chart::BarTip(size_t line, size_t set) const {
    if (line >= lines.size() || set >= barSets.size() || set >= lines[line].values.size()) return {};
    return lines[line].Who() + "\n" + BarText(*this, lines[line], set);
}

std::string Chart::BarsInWords() const {
    std::string words;
    for (const ChartLine& l : lines) {
        std::string bars;
        for (size_t set = 0; set < barSets.size() && set < l.values.size(); ++set)
            bars += (set ? Tr("、") : "") + BarText(*this, l, set);
        words += (words.empty() ? "" : "\n") + TrF("{1}：{2}", l.Who(), bars);
    }
    return words;
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

int FittedLabelEvery(double room, double needed) {
    int every = 1;
    for (int step : {2, 5, 10, 20, 50, 100, 200, 500, 1000})
        if (room * every < needed) every = step;
    return every;
}

} // namespace karven
