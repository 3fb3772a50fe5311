#include "race/SilentLaps.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

// The board's moves (Board.h) with nobody told: inline here, on the cars' own array.
void DropBackCar(RaceCar* car, int n, int k) {
    car[0] = car[k];
    const double time = car[0].time;
    int i = k + 1;
    for (; i <= n; ++i) {
        if (car[i].retired || time < car[i].time) break;
        car[i - 1] = car[i];
    }
    car[i - 1] = car[0];
}
void RetireCar(RaceCar* car, int n, int k) {
    car[0] = car[k];
    int i = k + 1;
    for (; i <= n; ++i) {
        if (car[i].retired) break;
        car[i - 1] = car[i];
    }
    RaceCar& placed = car[i - 1] = car[0];
    placed.retired = true;
    placed.time = 999.99;
}
void JumpCar(RaceCar* car, int k, int g) {
    car[0] = car[k];
    for (int i = k - 1; i >= k - g; --i) car[i + 1] = car[i];
    car[k - g] = car[0];
}

template <bool Record> class Laps {
public:
    explicit Laps(RaceState& race)
        : race(race), random(race.random), car(race.car.data()), cars(race.Cars()),
          distance(DistanceOf(race.setup.syuValue)), evePen(race.setup.evePen), evePit(race.setup.evePit),
          penCount(race.PenCount), flTime(race.FlTime), flCar(race.FlCar), pitTime(race.pitTime) {}

    void Run() {
        const RaceSetup& setup = race.setup;
        const int last = std::min(setup.syuCount, MaxSyuCount);
        for (lap = 1; lap <= last; ++lap) {
            race.lap = lap;
            race.PrevTenkou = race.Tenkou;
            if (setup.eveTen) {
                const bool drier = One(2);
                const int m = int(Draw() * 10) + 1;
                if (drier) race.Kousui = race.Kousui - m < 1 ? 0 : race.Kousui - m;
                else race.Kousui = race.Kousui + m > 99 ? 100 : race.Kousui + m;
                race.Tenkou = TenkouOf(race.Kousui);
            }
            Draw(); // the lap's picture
            rain = race.Tenkou == 3;
            rainBefore = race.PrevTenkou == 3;
            for (int k = 1; k <= cars; ++k) {
                Turn(k);
            }
            if constexpr (Record) RecordLap(race);
        }
        // The race's own counters were kept here: stores to the cars could otherwise be taken for
        // stores to them.
        race.PenCount = penCount;
        race.FlTime = flTime;
        race.FlCar = flCar;
        race.pitTime = pitTime;
    }

private:
    double Draw() { return random.Next(); }
    // Roll(x) == 1 for a plain x: Int(r * x) is 0.
    bool One(double x) { return Draw() * x < 1.0; }
    // The lap time's single-precision terms, never rounded up to 1.
    double Single() {
        // The largest float below 1 as a minimum: the same as the lap loop's test, without a branch.
        return double(std::min(float(Draw()), 0x1.fffffep-1f));
    }

    // The turn of the car in position k.
    void Turn(int k) {
        auto one = [this](double x) { return One(x); };
        auto picture = [this] { Draw(); }; // a picture nobody sees still draws its variant
        auto single = [this] { return Single(); };
        auto next = [this] { return Draw(); };
        if (car[k].retired) return;
        ++car[k].tyreLaps;
        car[k].penLap = false;

        if (evePen && penCount < 2) {
            const double s = car[k].penalty;
            const bool r1 = one(s);
            const bool r2 = one(s);
            if (r1 & r2) {
                picture();
                picture();
                AddTime(car[k], 35);
                car[k].penLap = true;
                if constexpr (Record) RecordStop(race, k, StopKind::Penalty);
                DropBackCar(car, cars, k);
                picture();
                ++penCount;
            }
        }
        if (car[k].retired) return;

        if (evePit && !car[k].penLap && car[k].tyreLaps >= 8) {
            RaceCar& c = car[k];
            bool stop = false;
            if (c.tyreLaps >= 8 && c.rainTyre != rain) stop = one(2);
            if (c.tyreLaps >= 12) stop = one(3);
            if (c.tyreLaps >= 15) stop = true;
            if (stop) {
                picture();
                pitTime = 8 + 5 * next();
                AddTime(c, 26);
                c.tyreLaps = 0;
                ++c.pitCount;
                const bool first = one(c.drvStability);
                c.rainTyre = rain ? !(first && !rainBefore) : first && rainBefore;
                if constexpr (Record) RecordStop(race, k, StopKind::Pit);
                DropBackCar(car, cars, k);
                picture();
            }
        }
        if (car[k].retired || car[k].penLap) return;

        {
            const double s = car[k].reliability;
            const bool r1 = one(s);
            const bool r2 = one(s);
            const bool r3 = one(s);
            bool breaks = false;
            switch (distance) {
            case Distance::Five: breaks = one(2) & r1; break;
            case Distance::Ten: breaks = r1 & r2; break;
            case Distance::Twenty: breaks = (next() * 5 < 3) & r1 & r2; break; // Roll(5) <= 3
            case Distance::Forty: breaks = r1 & r2 & r3; break;
            case Distance::Other: break;
            }
            if (breaks) {
                if constexpr (Record) RecordRetirement(race, k);
                RetireCar(car, cars, k);
                picture();
                if (car[k].retired) return;
            }
        }
        if (car[k].penLap) return;

        {
            RaceCar& c = car[k];
            double t = c.courseFactor;
            if (c.rainTyre && !rain) t += 5;
            if (!c.rainTyre && rain) t += 10;
            t += single() * c.aero;
            t += single() * c.technique;
            AddTime(c, t);
            if (flTime > t) {
                flTime = t;
                flCar = c.id;
                if constexpr (Record) RecordFastestLap(race, k, t);
            }
        }
        if (k < 2) return;

        if (lap == 1) {
            const RaceCar& c = car[k];
            if (!one(c.technique) || one(c.roughness)) return;
            picture();
            int g = int(next() * 5) + 1;
            if (k - g < 1) g = k - 1;
            JumpCar(car, k, g);
        } else {
            RaceCar& a = car[k - 1];
            RaceCar& b = car[k];
            const bool wrong = a.rainTyre != rain;
            // On wrong tyres the car ahead is attacked without a roll. One branch on the
            // attack: its two random conditions apart would each mispredict.
            if (!wrong && !one(b.roughness)) return;
            if (!(a.time > b.time)) return;
            picture();
            next(); // inside or outside: only told
            const bool blocked = !wrong && one(a.block);
            if (blocked) b.time = a.time;
            else std::swap(a, b);
        }
    }

    RaceState& race;
    Random::Draws random;
    RaceCar* const car; // the race never resizes its cars
    const int cars;
    const Distance distance;
    const bool evePen, evePit;
    int penCount;
    double flTime;
    int flCar;
    double pitTime;
    int lap = 0;
    bool rain = false, rainBefore = false;
};

} // namespace

bool RunSilentLaps(RaceState& race) {
    // A team principal's calls are made in the steps themselves.
    if (race.observer.watching || race.calls || !PlainRatings(race)) return false;
    if (race.laps) Laps<true>(race).Run();
    else Laps<false>(race).Run();
    return true;
}

} // namespace karven
