#pragma once
// チャンピオン争い: the exact title race of one title as a table, best first: status, magic number,
// and the completion or the reason.

#include <QTableWidget>

#include "standings/TitleRace.h"

namespace karven::ui {

QTableWidget* TitleRaceTable(const TitleRace& race);

} // namespace karven::ui
