#include "race/RaceState.h"

#include "season/Numbers.h"

namespace karven {

bool RaceState::HoldsFastestLap(const RaceCar& c) const { return FlCar != 0 && c.id == FlCar; }

const char* WeatherText(int tenkou) {
    switch (tenkou) {
    case 1: return "晴れ";
    case 2: return "くもり";
    default: return "雨";
    }
}

int TenkouOf(int kousui) { return kousui <= 30 ? 1 : kousui <= 60 ? 2 : 3; }

bool OnWrongTyres(const RaceState& race, const RaceCar& car) {
    return race.Tenkou == 3 ? !car.rainTyre : car.rainTyre;
}

void AddTime(RaceCar& car, double seconds) { car.time = Round0_00(car.time + seconds); }

} // namespace karven
