#include "race/Board.h"

#include <utility>

#include "race/RaceState.h"

namespace karven {

int DropBack(RaceState& race, int k) {
    auto& car = race.car;
    car[0] = car[k];
    const double time = car[0].time;
    int i = k + 1;
    // A running car never falls behind a retired one, whatever its Time.
    for (; i <= race.Cars(); ++i) {
        if (car[i].retired || time < car[i].time) break;
        car[i - 1] = car[i];
    }
    car[i - 1] = car[0];
    race.Tell(RaceEvent::Moved, k, i - 1);
    return i - 1;
}

int Retire(RaceState& race, int k) {
    auto& car = race.car;
    car[0] = car[k];
    int i = k + 1;
    for (; i <= race.Cars(); ++i) {
        if (car[i].retired) break;
        car[i - 1] = car[i];
    }
    RaceCar& placed = car[i - 1] = car[0];
    placed.retired = true;
    placed.time = 999.99;
    race.Tell(RaceEvent::Moved, k, i - 1);
    return i - 1;
}

void Swap(RaceState& race, int k) {
    std::swap(race.car[k - 1], race.car[k]);
    race.Tell(RaceEvent::Moved, k - 1, k);
}

void Jump(RaceState& race, int k, int g) {
    auto& car = race.car;
    car[0] = car[k];
    for (int i = k - 1; i >= k - g; --i) car[i + 1] = car[i];
    car[k - g] = car[0];
    race.Tell(RaceEvent::Moved, k - g, k);
}

} // namespace karven
