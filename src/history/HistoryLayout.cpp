#include "history/HistoryLayout.h"

#include "season/Numbers.h"
#include "season/Translate.h"

namespace karven::history {

void SetColumns(Control& table, std::vector<Control::Column> columns) {
    for (Control::Column& c : columns) c.heading = Tr(c.heading.c_str());
    table.columns = std::move(columns);
}

std::string PointsText(double points) { return FormatPlain(points); }
std::string Num(int value) { return std::to_string(value); }

} // namespace karven::history
