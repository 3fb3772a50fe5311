#include "odds/RaceStory.h"

#include "race/RaceState.h"
#include "season/Points.h"
#include "season/Season.h"
#include "season/Translate.h"

namespace karven {

std::vector<CarStory> CarStories(const RaceLaps& race) {
    const int cars = race.Cars();
    const int laps = race.Laps();
    std::vector<CarStory> byCar(size_t(cars) + 1); // by grid place
    for (int c = 1; c <= cars; ++c) {
        CarStory& s = byCar[size_t(c)];
        s.car = c;
        s.names = race.grid[size_t(c - 1)];
        s.place.assign(size_t(laps) + 1, c);
        s.gap.assign(size_t(laps) + 1, 0.0);
        s.finish = c; // without a lap run the grid is the classification
        s.fastestLap = race.fastestCar == c;
    }
    for (int L = 1; L <= laps; ++L) {
        const LapBoard lap = race.Board(L);
        for (int k = 1; k <= int(lap.order.size()); ++k) {
            CarStory& s = byCar[size_t(lap.order[size_t(k - 1)])];
            s.place[size_t(L)] = k;
            s.gap[size_t(L)] = double(lap.time[size_t(k - 1)] - lap.time[0]) / 100.0;
            if (L == laps) s.finish = k;
        }
    }
    for (const RaceStop& stop : race.stops)
        (stop.kind == StopKind::Pit ? byCar[size_t(stop.car)].pitLaps : byCar[size_t(stop.car)].penaltyLaps).push_back(stop.lap);
    for (const RaceRetirement& x : race.retirements) {
        byCar[size_t(x.car)].retiredLap = x.lap;
        byCar[size_t(x.car)].retiredPlace = x.place;
    }
    std::vector<CarStory> stories(static_cast<size_t>(cars));
    for (int c = 1; c <= cars; ++c) {
        CarStory& s = byCar[size_t(c)];
        s.points = PointsForPlace(s.finish);
        stories[size_t(s.finish - 1)] = std::move(s);
    }
    return stories;
}

const char* WeatherLetter(int weather) {
    switch (weather) {
    case 1: return Tr(C_("weather letter", "晴"));
    case 2: return Tr(C_("weather letter", "曇"));
    default: return Tr(C_("weather letter", "雨"));
    }
}

std::string WeatherStory(const RaceLaps& race) {
    std::string story = TrF("スタート {1}", WeatherText(race.startWeather));
    const int laps = race.Laps();
    for (int from = 1; from <= laps;) {
        const int weather = race.weather[size_t(from - 1)];
        int to = from;
        while (to < laps && race.weather[size_t(to)] == weather) ++to;
        story += from == to ? TrF("、{1}周 {2}", from, WeatherText(weather))
                            : TrF("、{1}〜{2}周 {3}", from, to, WeatherText(weather));
        from = to + 1;
    }
    return story;
}

std::string RaceTitle(const Season& season, const RaceLaps& race) {
    if (race.gp >= 1 && race.gp < int(season.GpTable.size()))
        return TrF("第{1}戦 {2} ＧＰ", race.gp, season.GpTable[size_t(race.gp)].GpNm);
    return TrF("第{1}戦", race.gp);
}

} // namespace karven
