#include "race/LapRecorder.h"

#include <algorithm>

#include "race/RaceState.h"
#include "season/Season.h"
#include "season/Utf8.h"
#include "weekend/EntryTables.h"

namespace karven {

LapCar LapCarOf(const EntryRecord& entry) {
    return {entry.DrvNo, entry.DrvNm, TextBefore(entry.TimNm, "・"), entry.ColorNo};
}

void StartRecording(RaceState& race, const std::vector<EntryRecord>& grid) {
    std::vector<LapCar> named;
    for (size_t i = 1; i < grid.size() && int(i) <= race.setup.nin; ++i) named.push_back(LapCarOf(grid[i]));
    StartRecording(race, std::move(named));
}

void StartRecording(RaceState& race, std::vector<LapCar> grid) {
    race.laps = std::make_unique<RaceLaps>();
    RaceLaps& laps = *race.laps;
    laps.startWeather = race.Tenkou;
    if (int(grid.size()) > race.setup.nin) grid.resize(size_t(std::max(0, race.setup.nin)));
    laps.grid = std::move(grid);
    laps.laps.reserve(size_t(std::clamp(race.setup.syuCount, 0, MaxSyuCount))); // as many as RunLaps runs
}

void RecordLap(RaceState& race) {
    RaceLap& lap = race.laps->laps.emplace_back();
    lap.weather = race.Tenkou;
    const int cars = race.Cars();
    lap.order.resize(size_t(cars));
    lap.time.resize(size_t(cars));
    for (int k = 1; k <= cars; ++k) {
        lap.order[k - 1] = race.car[k].id;
        lap.time[k - 1] = Hundredths(race.car[k].time);
    }
}

void RecordStop(RaceState& race, int k, StopKind kind) {
    const RaceCar& car = race.car[k];
    race.laps->stops.push_back({car.id, race.lap, kind, car.rainTyre});
}

void RecordRetirement(RaceState& race, int k) { race.laps->retirements.push_back({race.car[k].id, race.lap, k}); }

void RecordFastestLap(RaceState& race, int k, double lapTime) {
    RaceLaps& laps = *race.laps;
    laps.fastestCar = race.car[k].id;
    laps.fastestLap = race.lap;
    laps.fastestTime = Hundredths(lapTime);
}

} // namespace karven
