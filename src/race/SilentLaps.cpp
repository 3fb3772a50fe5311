#include "race/SilentLaps.h"

#include <algorithm>
#include <cmath>

#include "race/Board.h"
#include "race/LapRecorder.h"
#include "race/RaceState.h"
#include "season/Season.h"
#include "shell/Random.h"

namespace karven {

namespace {

// Below this a roll's product never leaves int: Roll(x) is Int(r * x) + 1 without its checks.
constexpr double PlainLimit = 2147483647.0;
bool Plain(double x) { return x >= 0 && x < PlainLimit; }

bool PlainRatings(const RaceState& race) {
    for (int k = 1; k <= race.Cars(); ++k) {
        const RaceCar& c = race.car[k];
        if (!(Plain(c.penalty) && Plain(c.reliability) && Plain(c.drvStability) && Plain(c.technique) &&
              Plain(c.roughness) && Plain(c.block)))
            return false;
    }
    return true;
}

// The retirement rule of the race distance, as the lap loop's Breaks reads it.
enum class Distance { Five, Ten, Twenty, Forty, Other };
Distance DistanceOf(double laps) {
    if (laps == 5) return Distance::Five;
    if (laps == 10) return Distance::Ten;
    if (laps == 20) return Distance::Twenty;
    if (laps == 40) return Distance::Forty;
    return Distance::Other;
}

template <bool Record> void Laps(RaceState& race) {
    Random::Draws random(race.random);
    std::vector<RaceCar>& car = race.car;
    const RaceSetup& setup = race.setup;
    const int cars = race.Cars();
    const Distance distance = DistanceOf(setup.syuValue);
    // Roll(x) == 1 for a plain x: Int(r * x) is 0.
    auto one = [&random](double x) { return random.Next() * x < 1.0; };
    // A picture nobody sees still draws its variant.
    auto picture = [&random] { random.Next(); };
    // The lap time's single-precision terms, never rounded up to 1.
    auto single = [&random] {
        float r = float(random.Next());
        return double(r < 1.0f ? r : std::nextafter(1.0f, 0.0f));
    };

    const int last = std::min(setup.syuCount, MaxSyuCount);
    for (int lap = 1; lap <= last; ++lap) {
        race.lap = lap;
        race.PrevTenkou = race.Tenkou;
        if (setup.eveTen) {
            const bool drier = one(2);
            const int m = int(random.Next() * 10) + 1;
            if (drier) race.Kousui = race.Kousui - m < 1 ? 0 : race.Kousui - m;
            else race.Kousui = race.Kousui + m > 99 ? 100 : race.Kousui + m;
            race.Tenkou = TenkouOf(race.Kousui);
        }
        picture();
        const bool rain = race.Tenkou == 3;
        const bool rainBefore = race.PrevTenkou == 3;

        for (int k = 1; k <= cars; ++k) {
            if (car[k].retired) continue;
            ++car[k].tyreLaps;
            car[k].penLap = false;

            if (setup.evePen && race.PenCount < 2) {
                const double s = car[k].penalty;
                const bool r1 = one(s);
                const bool r2 = one(s);
                if (r1 & r2) {
                    picture();
                    picture();
                    AddTime(car[k], 35);
                    car[k].penLap = true;
                    if constexpr (Record) RecordStop(race, k, StopKind::Penalty);
                    DropBack(race, k);
                    picture();
                    ++race.PenCount;
                }
            }
            if (car[k].retired) continue;

            if (setup.evePit && !car[k].penLap) {
                RaceCar& c = car[k];
                bool stop = false;
                if (c.tyreLaps >= 8 && c.rainTyre != rain) stop = one(2);
                if (c.tyreLaps >= 12) stop = one(3);
                if (c.tyreLaps >= 15) stop = true;
                if (stop) {
                    picture();
                    race.pitTime = 8 + 5 * random.Next();
                    AddTime(c, 26);
                    c.tyreLaps = 0;
                    ++c.pitCount;
                    const bool first = one(c.drvStability);
                    c.rainTyre = rain ? !(first && !rainBefore) : first && rainBefore;
                    if constexpr (Record) RecordStop(race, k, StopKind::Pit);
                    DropBack(race, k);
                    picture();
                }
            }
            if (car[k].retired || car[k].penLap) continue;

            {
                const double s = car[k].reliability;
                const bool r1 = one(s);
                const bool r2 = one(s);
                const bool r3 = one(s);
                bool breaks = false;
                switch (distance) {
                case Distance::Five: breaks = one(2) & r1; break;
                case Distance::Ten: breaks = r1 & r2; break;
                case Distance::Twenty: breaks = (random.Next() * 5 < 3) & r1 & r2; break; // Roll(5) <= 3
                case Distance::Forty: breaks = r1 & r2 & r3; break;
                case Distance::Other: break;
                }
                if (breaks) {
                    if constexpr (Record) RecordRetirement(race, k);
                    Retire(race, k);
                    picture();
                    if (car[k].retired) continue;
                }
            }
            if (car[k].penLap) continue;

            {
                RaceCar& c = car[k];
                double t = c.courseFactor;
                if (c.rainTyre && !rain) t += 5;
                if (!c.rainTyre && rain) t += 10;
                t += single() * c.aero;
                t += single() * c.technique;
                AddTime(c, t);
                if (race.FlTime > t) {
                    race.FlTime = t;
                    race.FlCar = c.id;
                    if constexpr (Record) RecordFastestLap(race, k, t);
                }
            }
            if (k < 2) continue;

            if (lap == 1) {
                const RaceCar& c = car[k];
                if (!one(c.technique) || one(c.roughness)) continue;
                picture();
                int g = int(random.Next() * 5) + 1;
                if (k - g < 1) g = k - 1;
                Jump(race, k, g);
            } else {
                RaceCar& a = car[k - 1];
                RaceCar& b = car[k];
                const bool wrong = a.rainTyre != rain;
                // On wrong tyres the car ahead is attacked without a roll. One branch on the
                // attack: its two random conditions apart would each mispredict.
                if (!wrong) {
                    if (!(one(b.roughness) & (a.time > b.time))) continue;
                } else if (!(a.time > b.time)) {
                    continue;
                }
                picture();
                random.Next(); // inside or outside: only told
                const bool blocked = !wrong && one(a.block);
                if (blocked) b.time = a.time;
                else Swap(race, k);
            }
        }
        if constexpr (Record) RecordLap(race);
    }
}

} // namespace

bool RunSilentLaps(RaceState& race) {
    if (race.observer.watching || !PlainRatings(race)) return false;
    if (race.laps) Laps<true>(race);
    else Laps<false>(race);
    return true;
}

} // namespace karven
