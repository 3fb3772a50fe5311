#include "race/RaceEnd.h"

#include "race/RaceState.h"
#include "season/Numbers.h"
#include "season/Points.h"
#include "season/Season.h"

namespace karven {

namespace {
void Add(std::string& field, double amount) { field = FormatPlain(ReadNumber(field) + amount); }

// Career and result of the starter in position k, and his team's points.
void Book(const RaceState& race, Season& season, int k, int gp) {
    const RaceCar& car = race.car[k];
    int points = PointsForPlace(k);
    // The season may have been replaced since qualifying: book only drivers and teams that exist.
    if (car.driver >= 1 && car.driver < int(season.DrvTable.size())) {
        DrvRecord& driver = season.DrvTable[car.driver];
        Add(driver.CareerGp, 1);
        if (k == 1) Add(driver.CareerWins, 1);
        if (race.HoldsFastestLap(car)) Add(driver.CareerFl, 1);
        Add(driver.CareerPoints, points);
        double best = ReadNumber(driver.CareerBest);
        if (!car.retired && (best == 0 || best > k)) driver.CareerBest = FormatPlain(k);
        if (gp >= 1 && gp <= ResultSlots) driver.Result[gp] = car.retired ? "0" : FormatPlain(k);
    }
    if (car.team >= 1 && car.team < int(season.TimTable.size())) Add(season.TimTable[car.team].Points, points);
}
const std::string& DriverName(const RaceState& race, const Season& season, int id) {
    static const std::string nobody;
    for (int k = 1; k <= race.Cars(); ++k) {
        const RaceCar& car = race.car[k];
        if (car.id == id && car.driver >= 1 && car.driver < int(season.DrvTable.size()))
            return season.DrvTable[car.driver].DrvNm;
    }
    return nobody;
}

// What the season's history keeps of the race: the pole sitter (the car that started first), the
// fastest lap and the classification, with the names of today.
RaceRecord RecordOf(const RaceState& race, const Season& season, int gp) {
    RaceRecord record;
    record.gp = gp;
    record.pole = DriverName(race, season, 1);
    if (race.FlCar > 0) record.fastestLap = DriverName(race, season, race.FlCar);
    for (int k = 1; k <= race.Cars(); ++k) {
        const RaceCar& car = race.car[k];
        ClassifiedCar& c = record.result.emplace_back();
        c.place = k;
        if (car.driver >= 1 && car.driver < int(season.DrvTable.size())) c.DrvNm = season.DrvTable[car.driver].DrvNm;
        if (car.team >= 1 && car.team < int(season.TimTable.size())) c.TimNm = season.TimTable[car.team].TimNm;
        c.points = PointsForPlace(k);
        c.retired = car.retired;
    }
    return record;
}
} // namespace

void FinishRace(RaceState& race, Season& season) {
    race.Tell(RaceEvent::Finished);
    int endGp = ReadCount(season.Sis.EndGp) + 1;
    season.Sis.EndGp = FormatPlain(endGp);
    if (endGp >= ReadCount(season.Sis.GpCount)) race.Tell(RaceEvent::SeasonOver);
    for (int k = 1; k <= race.Cars(); ++k) Book(race, season, k, endGp);
    // A record already held for this Grand Prix is of a race the season no longer counts (its
    // count of races run was set back, or the file said otherwise): this run replaces it.
    auto stale = [endGp](const auto& record) { return record.gp == endGp; };
    season.history.races.EraseIf(stale);
    season.history.laps.EraseIf(stale);
    season.history.races.push_back(RecordOf(race, season, endGp));
    if (race.laps) {
        race.laps->gp = endGp;
        season.history.laps.push_back(std::move(*race.laps));
        race.laps.reset();
    }
    race.Tell(RaceEvent::Booked);
}

} // namespace karven
