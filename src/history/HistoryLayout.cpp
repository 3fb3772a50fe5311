#include "history/HistoryLayout.h"

#include "season/Numbers.h"

namespace karven::history {

std::string PointsText(double points) { return FormatPlain(points); }
std::string Num(int value) { return std::to_string(value); }

} // namespace karven::history
