#pragma once
// The pictures of the season report, drawn as inline SVG: a team's machine colour swatch and the
// points-by-Grand-Prix chart.

#include <string>
#include <string_view>
#include <vector>

#include "odds/PointsHistory.h"

namespace karven::report {

// Text made safe for HTML and SVG.
std::string Escape(std::string_view text);

// The swatch of a ColorNo as the colour picture shows it; the neutral one for a ColorNo without a picture.
std::string SwatchSvg(const std::string& colorNo);
// The colour a team's line is drawn in ("#rrggbb"): its machine's colour that shows on white.
std::string LineColour(const std::string& colorNo);

// The points of each line added up Grand Prix by Grand Prix, over a calendar of `gps`, with
// a legend. `label` names the chart for readers that do not see it.
std::string PointsChartSvg(const std::vector<PointsLine>& lines, int gps, const std::string& label);

} // namespace karven::report
