#include "race/RaceState.h"

#include <algorithm>

#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"

namespace karven {

bool RaceState::HoldsFastestLap(const RaceCar& c) const { return FlCar != 0 && c.id == FlCar; }

RaceSetup SetupOf(const Season& season, int n, int entryCount, EventSwitches switches) {
    RaceSetup setup;
    setup.N = n;
    // A stored NinCount above the entered drivers races with those that entered.
    setup.nin = std::max(0, std::min(ReadCount(season.Sis.NinCount), entryCount));
    setup.syuCount = ReadCount(season.Sis.SyuCount);
    setup.syuValue = ReadNumber(season.Sis.SyuCount);
    setup.evePit = switches.pit;
    setup.evePen = switches.pen;
    setup.eveTen = switches.weather;
    setup.courseType = season.GpTable[n].CourseType;
    return setup;
}

const char* WeatherText(int tenkou) {
    switch (tenkou) {
    case 1: return Tr("晴れ");
    case 2: return Tr("くもり");
    default: return Tr("雨");
    }
}

int TenkouOf(int kousui) { return kousui <= 30 ? 1 : kousui <= 60 ? 2 : 3; }

} // namespace karven
