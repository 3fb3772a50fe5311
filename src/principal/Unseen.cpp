#include "principal/Unseen.h"

#include <algorithm>

#include "race/RaceState.h"
#include "season/Numbers.h"
#include "season/Translate.h"

namespace karven::principal {

namespace {
constexpr const char* CrLf = "\r\n";

// The car's place on the board at the end of `laps` laps (the grid before the first), 0 if unknown.
int PlaceAfter(const RaceLaps& record, int laps, int id) {
    if (laps <= 0) return id; // cars are named by their grid place
    if (laps > record.Laps()) return 0;
    const std::span<const int> order = record.Board(laps).order;
    auto found = std::find(order.begin(), order.end(), id);
    return found == order.end() ? 0 : int(found - order.begin()) + 1;
}

int WeatherAfter(const RaceLaps& record, int laps) {
    if (laps <= 0 || record.Laps() == 0) return record.startWeather;
    return record.weather[size_t(std::min(laps, record.Laps()) - 1)];
}
} // namespace

Shell::RaceSeen SeenNow(const RaceState& race) {
    return {race.lap - 1, race.laps ? race.laps->retirements.size() : 0};
}

std::string UnseenSince(const RaceState& race, int team, const Shell::RaceSeen& seen) {
    if (!race.laps || race.lap - 1 <= seen.laps) return "";
    const RaceLaps& record = *race.laps;
    std::string text = TrF("見ていない間（{1}周目から）", FormatPlain(seen.laps + 1)) + CrLf;
    for (int k = 1; k <= race.Cars(); ++k) {
        const RaceCar& car = race.car[size_t(k)];
        if (car.team != team || car.id < 1 || car.id > record.Cars()) continue;
        const std::string& name = record.grid[size_t(car.id - 1)].DrvNm;
        if (car.retired) {
            text += TrF("{1}　リタイア", name) + CrLf;
            continue;
        }
        const int then = PlaceAfter(record, seen.laps, car.id);
        if (then > 0) text += TrF("{1}　{2}位 → {3}位", name, FormatPlain(then), FormatPlain(k)) + CrLf;
    }
    const size_t retired = record.retirements.size() - std::min(seen.retirements, record.retirements.size());
    if (retired > 0) text += TrF("リタイア {1}台", FormatPlain(int(retired))) + CrLf;
    if (race.setup.eveTen) {
        const int then = WeatherAfter(record, seen.laps);
        if (then != race.Tenkou) text += TrF("天気 {1} → {2}", WeatherText(then), WeatherText(race.Tenkou)) + CrLf;
    }
    return text;
}

} // namespace karven::principal
