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
    const size_t count = size_t(std::clamp(race.setup.syuCount, 0, MaxSyuCount)); // as many as RunLaps runs
    laps.weather.reserve(count);
    laps.order.reserve(count * size_t(race.Cars()));
    laps.time.reserve(count * size_t(race.Cars()));
}

void RecordLap(RaceState& race) {
    const int cars = race.Cars();
    const LapRow row = race.laps->AddLap(race.Tenkou, cars);
    for (int k = 1; k <= cars; ++k) {
        row.order[size_t(k - 1)] = race.car[k].id;
        row.time[size_t(k - 1)] = Hundredths(race.car[k].time);
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
