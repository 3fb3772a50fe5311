#pragma once
// How a chart draws a line per driver or team: in the machine's colour, team-mates told apart by
// dashes and marker, one line picked out with the others faded.

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPen>
#include <string>
#include <vector>

#include "odds/ChartColours.h"

class QChart;
class QLineSeries;

namespace karven::ui {

constexpr qreal LineWidth = 2.5;
constexpr int MarkerSize = 9;

// The n-th line of one colour (0 first): solid with round markers, then dashed with squares, then
// dotted with diamonds, dash-dotted with round ones, dash-dot-dotted with squares, solid with
// diamonds and so on: the kinds of line in turn, the markers in turn.
struct LineLook {
    Qt::PenStyle pen;
    int marker; // 0 round, 1 square, 2 diamond
};
LineLook LookOf(int nth);

QImage Marker(QColor colour, int shape);
// The series drawn as the look says; remembered so that Highlight can restore it.
void Paint(QLineSeries& series, QColor colour, LineLook look, bool markers = true);
// A legend entry's picture: a stretch of the line, with its marker where the chart draws one.
QIcon LineIcon(QColor colour, LineLook look, bool marker = true);
// Every line as painted, or `picked` (one of `lines`) drawn thick and the others faded; nullptr for none.
void Highlight(const std::vector<QLineSeries*>& lines, const QLineSeries* picked);

} // namespace karven::ui
