#pragma once
// The steps of a lap, written once for the race watched and the race nobody watches. A step draws,
// tells and counts through its lap: WatchedLap works on the race itself (the observer told, the
// pictures shown, the principal's calls asked, every roll with its checks); SilentLap holds the
// draws and the race's counters itself and tells nobody, for a race with no observer, no calls and
// ratings every roll takes plainly. Both draw the same numbers in the same order.

#include <algorithm>
#include <utility>

#include "race/Anime.h"
#include "race/LapRecorder.h"
#include "race/RaceCalls.h"
#include "race/RaceState.h"
#include "season/Season.h"
#include "shell/Random.h"

namespace karven::laps {

// Each step inlined into the lap loop: the silent race spends its time in them, lap by lap.
#define KARVEN_STEP [[gnu::always_inline]] inline

constexpr int MaxPenalties = 2;
constexpr double PenaltySeconds = 35;
constexpr double PitSeconds = 26;
constexpr int WrongTyreLaps = 8;
constexpr int ChanceLaps = 12;
constexpr int CertainLaps = 15;

// The retirement rule of the race distance.
enum class Distance { Five, Ten, Twenty, Forty, Other };
inline Distance DistanceOf(double laps) {
    if (laps == 5) return Distance::Five;
    if (laps == 10) return Distance::Ten;
    if (laps == 20) return Distance::Twenty;
    if (laps == 40) return Distance::Forty;
    return Distance::Other;
}

// The moves that change places, on the cars' own array (car[0] holds a car while others shift);
// each returns where the moved car came to stand.
inline int DropBackCar(RaceCar* car, int n, int k) {
    car[0] = car[k];
    const double time = car[0].time;
    int i = k + 1;
    // A running car never falls behind a retired one, whatever its Time.
    for (; i <= n; ++i) {
        if (car[i].retired || time < car[i].time) break;
        car[i - 1] = car[i];
    }
    car[i - 1] = car[0];
    return i - 1;
}
inline int RetireCar(RaceCar* car, int n, int k) {
    car[0] = car[k];
    int i = k + 1;
    for (; i <= n; ++i) {
        if (car[i].retired) break;
        car[i - 1] = car[i];
    }
    RaceCar& placed = car[i - 1] = car[0];
    placed.retired = true;
    placed.time = 999.99;
    return i - 1;
}
inline void JumpCar(RaceCar* car, int k, int g) {
    car[0] = car[k];
    for (int i = k - 1; i >= k - g; --i) car[i + 1] = car[i];
    car[k - g] = car[0];
}

// A lap of the race as it is shown: everything on the race itself, told as it happens.
struct WatchedLap {
    explicit WatchedLap(RaceState& race)
        : race(race), car(race.car.data()), cars(race.Cars()), distance(DistanceOf(race.setup.syuValue)),
          penCount(race.PenCount), flTime(race.FlTime), flCar(race.FlCar), pitTime(race.pitTime) {}

    double Draw() { return race.random.Next(); }
    int Roll(double x) { return race.random.Roll(x); }
    bool One(double x) { return race.random.Roll(x) == 1; }
    bool RollAtMost(double x, int most) { return race.random.Roll(x) <= most; }
    // The lap time's random terms are single precision; never let the rounding reach 1.
    double Single() { return double(std::min(float(Draw()), 0x1.fffffep-1f)); }
    void Anime(int kind) { ShowAnime(race, kind); }
    void Tell(RaceEvent event, int k = 0, int j = 0) { race.Tell(event, k, j); }
    RaceCalls* Calls() const { return race.calls; }
    bool Recording() const { return race.laps != nullptr; }
    bool PenaltiesOn() const { return race.setup.evePen; }
    bool PitsOn() const { return race.setup.evePit; }
    bool Rain() const { return race.Tenkou == 3; }
    bool RainBefore() const { return race.PrevTenkou == 3; }
    void TopOfLap() {}
    void Finish() {}

    RaceState& race;
    RaceCar* const car; // the race never resizes its cars
    const int cars;
    const Distance distance;
    int& penCount;
    double& flTime;
    int& flCar;
    double& pitTime;
};

// A lap nobody watches: the draws held in a register, the counters kept here until Finish (stores
// to the cars could otherwise be taken for stores to them), a roll of 1 as a plain comparison.
// With Noted, the lap of a race the player skips: only what the board will owe is noted.
template <bool Record, bool Noted = false> struct SilentLap {
    explicit SilentLap(RaceState& race, RaceNotes* notes = nullptr)
        : race(race), random(race.random), car(race.car.data()), cars(race.Cars()),
          distance(DistanceOf(race.setup.syuValue)), evePen(race.setup.evePen), evePit(race.setup.evePit),
          penCount(race.PenCount), flTime(race.FlTime), flCar(race.FlCar), pitTime(race.pitTime), notes(notes) {}

    double Draw() { return random.Next(); }
    // Int(r * x) + 1, for the whole numbers the rules roll by.
    int Roll(double x) { return int(Draw() * x) + 1; }
    bool One(double x) { return Draw() * x < 1.0; }
    // Int(r * x) + 1 <= most, for a plain x and a whole most.
    bool RollAtMost(double x, int most) { return Draw() * x < most; }
    double Single() { return double(std::min(float(Draw()), 0x1.fffffep-1f)); }
    void Anime(int kind) { // a picture nobody sees still draws its variant
        if constexpr (Noted) notes->Picture(kind, Roll(AnimeVariants(kind)));
        else Draw();
    }
    void Tell(RaceEvent event, int k = 0, int j = 0) {
        if constexpr (Noted) notes->Note(event, k, j);
    }
    RaceCalls* Calls() const { return nullptr; }
    bool Recording() const { return Record; }
    // Kept here: a store to a car could otherwise be taken for a store to the race's switches.
    bool PenaltiesOn() const { return evePen; }
    bool PitsOn() const { return evePit; }
    bool Rain() const { return rain; }
    bool RainBefore() const { return rainBefore; }
    void TopOfLap() {
        rain = race.Tenkou == 3;
        rainBefore = race.PrevTenkou == 3;
    }
    void Finish() {
        race.PenCount = penCount;
        race.FlTime = flTime;
        race.FlCar = flCar;
        race.pitTime = pitTime;
    }

    RaceState& race;
    Random::Draws random;
    RaceCar* const car;
    const int cars;
    const Distance distance;
    const bool evePen, evePit;
    int penCount;
    double flTime;
    int flCar;
    double pitTime;
    RaceNotes* const notes;
    bool rain = false, rainBefore = false;
};

// The moves, told.
template <class Lap> KARVEN_STEP int DropBack(Lap& lap, int k) {
    const int j = DropBackCar(lap.car, lap.cars, k);
    lap.Tell(RaceEvent::Moved, k, j);
    return j;
}
template <class Lap> KARVEN_STEP int Retire(Lap& lap, int k) {
    const int j = RetireCar(lap.car, lap.cars, k);
    lap.Tell(RaceEvent::Moved, k, j);
    return j;
}

// The weather change and the lap's heading.
template <class Lap> KARVEN_STEP void TopOfLap(Lap& lap, int n) {
    RaceState& race = lap.race;
    race.lap = n;
    race.PrevTenkou = race.Tenkou;
    race.PrevKousui = race.Kousui;
    if (race.setup.eveTen) {
        const int d = lap.Roll(2);
        const int m = lap.Roll(10);
        if (d == 1) race.Kousui = race.Kousui - m < 1 ? 0 : race.Kousui - m;
        else race.Kousui = race.Kousui + m > 99 ? 100 : race.Kousui + m;
        race.Tenkou = TenkouOf(race.Kousui);
    }
    lap.TopOfLap();
    lap.Anime(3);
    lap.Tell(RaceEvent::Lap);
}

// A penalty may send the car in k through the pit lane (35 s, PenLap "1").
template <class Lap> KARVEN_STEP void Penalty(Lap& lap, int k) {
    if (!lap.PenaltiesOn() || lap.penCount >= MaxPenalties) return;
    const double s = lap.car[k].penalty;
    const bool r1 = lap.One(s);
    const bool r2 = lap.One(s);
    if (!(r1 & r2)) return;

    lap.Anime(5);
    lap.Tell(RaceEvent::Penalty, k);
    lap.Anime(6);
    lap.Tell(RaceEvent::PenaltyPitIn, k);
    AddTime(lap.car[k], PenaltySeconds);
    lap.car[k].penLap = true;
    if (lap.Recording()) RecordStop(lap.race, k, StopKind::Penalty);
    const int j = DropBack(lap, k);
    lap.Anime(7);
    lap.Tell(RaceEvent::PenaltyPitOut, k, j);
    ++lap.penCount;
}

// A tyre stop (26 s) with a new choice of tyres for the car now in k.
template <class Lap> KARVEN_STEP void Pit(Lap& lap, int k) {
    RaceState& race = lap.race;
    RaceCar& car = lap.car[k];
    // Before WrongTyreLaps nothing is rolled or asked.
    if (!lap.PitsOn() || car.penLap || car.tyreLaps < WrongTyreLaps) return;
    const bool wrong = car.rainTyre != lap.Rain();
    bool stop = false;
    if (car.tyreLaps >= WrongTyreLaps && wrong) stop = lap.One(2);
    if (car.tyreLaps >= ChanceLaps) stop = lap.One(3);
    // Where a roll decided, the car's team may decide instead; a stop at CertainLaps is no choice.
    const bool rolled = car.tyreLaps >= ChanceLaps || (car.tyreLaps >= WrongTyreLaps && wrong);
    RaceCalls* calls = lap.Calls();
    if (car.tyreLaps >= CertainLaps) stop = true;
    else if (rolled && calls && calls->Runs(race, k)) stop = calls->PitIn(race, k, stop);
    if (!stop) return;

    lap.Anime(6);
    lap.Tell(RaceEvent::PitIn, k);
    lap.pitTime = 8 + 5 * lap.Draw();
    AddTime(car, PitSeconds);
    car.tyreLaps = 0;
    ++car.pitCount;
    // With a roll of 1 a driver who stops in the lap the weather turned fits the tyres of the weather before.
    const bool first = lap.One(car.drvStability);
    const bool rainBefore = lap.RainBefore();
    car.rainTyre = lap.Rain() ? !(first && !rainBefore) : first && rainBefore;
    // The roll chooses only in the lap the weather turned to or from rain.
    if (rainBefore != lap.Rain() && calls && calls->Runs(race, k)) car.rainTyre = calls->RainTyres(race, k, car.rainTyre);
    if (lap.Recording()) RecordStop(race, k, StopKind::Pit);
    const int j = DropBack(lap, k);
    lap.Anime(7);
    lap.Tell(RaceEvent::PitOut, k, j);
}

// Whether the car in k breaks down; false when the car now in k is done for this lap.
template <class Lap> KARVEN_STEP bool Reliability(Lap& lap, int k) {
    const double s = lap.car[k].reliability;
    const bool r1 = lap.One(s);
    const bool r2 = lap.One(s);
    const bool r3 = lap.One(s);
    bool breaks = false;
    switch (lap.distance) {
    case Distance::Five: breaks = lap.One(2) & r1; break;
    case Distance::Ten: breaks = r1 & r2; break;
    case Distance::Twenty: breaks = lap.RollAtMost(5, 3) & r1 & r2; break;
    case Distance::Forty: breaks = r1 & r2 & r3; break;
    case Distance::Other: break;
    }
    if (!breaks) return true;
    if (lap.Recording()) RecordRetirement(lap.race, k);
    const int j = Retire(lap, k);
    lap.Anime(4);
    lap.Tell(RaceEvent::Retired, k, j);
    return !lap.car[k].retired;
}

template <class Lap> KARVEN_STEP void LapTime(Lap& lap, int k) {
    RaceCar& car = lap.car[k];
    double t = car.courseFactor;
    if (car.rainTyre && !lap.Rain()) t += 5;
    if (!car.rainTyre && lap.Rain()) t += 10;
    t += lap.Single() * car.aero;
    t += lap.Single() * car.technique;
    AddTime(car, t);
    lap.Tell(RaceEvent::LapTime, k);
    if (lap.flTime > t) {
        lap.flTime = t;
        lap.flCar = car.id;
        if (lap.Recording()) RecordFastestLap(lap.race, k, t);
        lap.Tell(RaceEvent::FastestLap, k);
    }
}

// On the first lap a car that gets away well moves up.
template <class Lap> KARVEN_STEP void JumpStart(Lap& lap, int k) {
    const RaceCar& car = lap.car[k];
    if (!lap.One(car.technique) || lap.One(car.roughness)) return;
    lap.Anime(8);
    lap.Tell(RaceEvent::JumpStart, k);
    int g = lap.Roll(5);
    if (k - g < 1) g = k - 1;
    JumpCar(lap.car, k, g);
    lap.Tell(RaceEvent::Moved, k - g, k);
}

template <class Lap> KARVEN_STEP void Overtaking(Lap& lap, int k) {
    RaceCar& a = lap.car[k - 1];
    RaceCar& b = lap.car[k];
    const bool wrong = a.rainTyre != lap.Rain();
    // On wrong tyres the car ahead is attacked without a roll. One branch on the attack: its two
    // random conditions apart would each mispredict.
    if (!wrong && !lap.One(b.roughness)) return;
    if (!(a.time > b.time)) return;
    lap.Anime(8);
    const bool inside = lap.One(2);
    lap.Tell(inside ? RaceEvent::AttackInside : RaceEvent::AttackOutside, k);
    const bool blocked = !wrong && lap.One(a.block);
    if (blocked) {
        b.time = a.time;
        lap.Tell(RaceEvent::Blocked, k);
    } else {
        std::swap(a, b);
        lap.Tell(RaceEvent::Moved, k - 1, k);
        lap.Tell(RaceEvent::Passed, k);
    }
}

// Every lap from `first`: for every running car in position order its penalty, pit, reliability,
// lap time and jump start or overtaking steps. Stops early after a lap for which handOver() says
// another lap should take the race on; returns the next lap to run.
template <class Lap, class HandOver> int Run(Lap& lap, int first, HandOver handOver) {
    const int last = std::min(lap.race.setup.syuCount, MaxSyuCount); // a file refuses longer races
    int n = first;
    for (; n <= last; ++n) {
        TopOfLap(lap, n);
        for (int k = 1; k <= lap.cars; ++k) {
            RaceCar* const car = lap.car;
            if (car[k].retired) continue;
            ++car[k].tyreLaps;
            car[k].penLap = false;
            // A step that moves the car hands the rest of the lap to the car that now stands in k.
            Penalty(lap, k);
            if (car[k].retired) continue;
            Pit(lap, k);
            if (car[k].retired || car[k].penLap) continue;
            if (!Reliability(lap, k)) continue;
            if (car[k].penLap) continue;
            LapTime(lap, k);
            if (k < 2) continue;
            if (n == 1) JumpStart(lap, k);
            else Overtaking(lap, k);
        }
        if (lap.Recording()) RecordLap(lap.race);
        if (n < last && handOver()) {
            ++n;
            break;
        }
    }
    lap.Finish();
    return n;
}
template <class Lap> void Run(Lap& lap) {
    Run(lap, 1, [] { return false; });
}

#undef KARVEN_STEP

} // namespace karven::laps
