#pragma once
// One race as the rules run it: plain numbers from the start confirmation to the flag. What happens
// is told to an observer; the game's observer shows it, a silent one lets the race run unwatched.
// Both see the same draws in the same order.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "season/Numbers.h"
#include "season/RaceLaps.h"
#include "shell/EventSwitches.h"

namespace karven {

class Random;
class RaceCalls;
struct RaceState;

// One car, as the rules read it from its entry once and then keep it.
struct RaceCar {
    int id = 0;     // its place on the starting grid: the watcher's key to its names
    int driver = 0; // the DrvTable position its DrvNo names (may name nobody)
    int team = 0;   // the TimTable position its TimNo names (may name nothing)
    double courseFactor = 0;
    double aero = 0, technique = 0, roughness = 0, block = 0, drvStability = 0;
    int reliability = 0; // DrvStability + TimStability, whole
    int penalty = 0;     // Technique + Roughness + Block + DrvStability, whole
    double time = 0;     // the Time as its two-decimal text reads back
    int tyreLaps = 0;
    int pitCount = 0;
    bool retired = false, rainTyre = false, penLap = false;
};

struct Season;

// What a race needs to know of the season and the switches.
struct RaceSetup {
    int N = 0;           // the Grand Prix being run
    int nin = 0;         // cars on the grid
    int syuCount = 0;    // laps
    double syuValue = 0; // SyuCount as read: the retirement odds follow this value
    bool evePit = true, evePen = true, eveTen = true;
    std::string courseType;
};

// What the observer is told. k and j are positions: the car concerned, and where it came to stand.
enum class RaceEvent {
    SetUp,         // the race view opens
    Started,       // the grid is in place: the start announcement
    Lap,           // a new lap, its weather already changed
    Moved,         // places k..j changed: the rows between show other cars
    LapTime,       // the car in k has a new Time
    FastestLap,    // the car in k set the fastest lap
    Retired,       // the car that stood in k retired and now stands in j
    JumpStart,     // the car in k got away well at the start (it moves up next)
    AttackInside,  // the car in k attacks the car ahead, on the inside
    AttackOutside, // the same on the outside
    Blocked,       // the car in k - 1 held off the car in k, which takes its Time
    Passed,        // the car now in k - 1 passed the car now in k
    Penalty,       // the car in k is penalised
    PenaltyPitIn,  // the car in k comes in for its penalty
    PenaltyPitOut, // the penalised car rejoins in j
    PitIn,         // the car in k comes in for tyres
    PitOut,        // the car that stopped rejoins in j; pitTime holds the time shown
    Finished,      // the flag
    SeasonOver,    // that was the season's last Grand Prix
    Booked,        // results and points are in the season
};

// What the board of a race being skipped owes, noted as the race runs and drawn at the flag: the
// rows whose cars changed, the Times that changed, the lap's heading and the last picture.
struct RaceNotes {
    explicit RaceNotes(int rows) : rows(rows), rowOwed(size_t(rows) + 1), timeOwed(size_t(rows) + 1) {}
    const int rows; // positions beyond the board race unseen
    std::vector<char> rowOwed, timeOwed;
    bool weatherOwed = false;
    int pictureKind = 0, pictureVariant = 0; // kind 0: none

    void Note(RaceEvent event, int k, int j) {
        if (event == RaceEvent::Moved)
            for (int p = std::max(1, std::min(k, j)); p <= std::min(rows, std::max(k, j)); ++p) rowOwed[size_t(p)] = 1;
        if ((event == RaceEvent::LapTime || event == RaceEvent::Blocked) && k >= 1 && k <= rows) timeOwed[size_t(k)] = 1;
        if (event == RaceEvent::Lap) weatherOwed = true;
    }
    void Picture(int kind, int variant) {
        pictureKind = kind;
        pictureVariant = variant;
    }
};

class RaceObserver {
public:
    // An observer that does not watch is never called: the race runs without a call per event.
    explicit RaceObserver(bool watching = true) : watching(watching) {}
    virtual ~RaceObserver() = default;
    const bool watching;

    // The start question, asked once the start weather is drawn; false cancels the race.
    virtual bool ConfirmStart(const RaceState&) { return true; }
    // The picture of this kind (1 set-up .. 8 attack) and variant, drawn where the rules draw it.
    virtual void Picture(const RaceState&, int /*kind*/, int /*variant*/) {}
    virtual void Event(const RaceState&, RaceEvent, int /*k*/ = 0, int /*j*/ = 0) {}
    // While the player skips, the events of the laps are only noted here: the laps may then run
    // without telling each one. Null while someone watches them.
    virtual RaceNotes* Noting() { return nullptr; }
};

// Watches nothing: the race runs on its numbers alone.
class SilentRace final : public RaceObserver {
public:
    SilentRace() : RaceObserver(false) {}
};

struct RaceState {
    RaceState(const RaceSetup& setup, Random& random, RaceObserver& observer)
        : setup(setup), random(random), observer(observer) {}

    RaceSetup setup;
    Random& random;
    RaceObserver& observer;

    // car[k] is the car in position k, 1..nin; car[0] holds a car while others shift.
    std::vector<RaceCar> car{1};

    int Tenkou = 1; // 1 fine, 2 cloudy, 3 rain
    int Kousui = 0;
    int PrevKousui = 0; // at the top of the current lap, before its change
    int PrevTenkou = 1;
    int PenCount = 0;
    double FlTime = 9999999999.0;
    int FlCar = 0; // id of the fastest lap's car, 0 before anyone set it
    int lap = 0;
    double pitTime = 0; // the pit time of the last stop, as shown
    // The lap records the race writes as it runs (LapRecorder.h); none where nobody will read them.
    std::unique_ptr<RaceLaps> laps;
    // Who makes the calls of the cars the player runs; none where every car runs by its rolls.
    RaceCalls* calls = nullptr;

    int Cars() const { return int(car.size()) - 1; }
    // The fastest lap belongs to this car's driver.
    bool HoldsFastestLap(const RaceCar& c) const;

    void Tell(RaceEvent event, int k = 0, int j = 0) {
        if (observer.watching) observer.Event(*this, event, k, j);
    }
};

// The season's settings for Grand Prix n with this many entered cars.
RaceSetup SetupOf(const Season& season, int n, int entryCount, EventSwitches switches);

// "晴れ", "くもり", "雨".
const char* WeatherText(int tenkou);
// Tenkou from the rain probability: up to 30 fine, up to 60 cloudy, above rain.
int TenkouOf(int kousui);
// Rain tyres in the dry, or dry tyres in the rain.
inline bool OnWrongTyres(const RaceState& race, const RaceCar& car) {
    return race.Tenkou == 3 ? !car.rainTyre : car.rainTyre;
}
// The car's Time after adding `seconds`, as its text would read back.
inline void AddTime(RaceCar& car, double seconds) { car.time = Round0_00(car.time + seconds); }

} // namespace karven
