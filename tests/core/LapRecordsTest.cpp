// What a race writes down lap by lap: the whole board at every lap's end, moved only by the rules,
// the same whether the race is watched, skipped or nobody watches it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "RaceFixture.h"
#include "app/Game.h"
#include "odds/AnalysisView.h"
#include "odds/RaceStory.h"
#include "race/LapLoop.h"
#include "race/LapRecorder.h"
#include "race/Race.h"
#include "race/RaceEnd.h"
#include "race/RaceStart.h"
#include "race/SilentWeekend.h"
#include "season/Points.h"
#include "season/SeasonFile.h"
#include "support/TempDir.h"
#include "weekend/Qualifying.h"

using namespace karven;
using namespace karven::test;

namespace {
void AddBoard(RaceLaps& race, int weather, const std::vector<int>& order, const std::vector<int64_t>& time) {
    const LapRow row = race.AddLap(weather, int(order.size()));
    std::copy(order.begin(), order.end(), row.order.begin());
    std::copy(time.begin(), time.end(), row.time.begin());
}

// Every kind of circuit, spread ratings, two drivers without a seat, a grid smaller than the field.
Season Varied(const std::string& laps, const std::string& grid = "14") {
    Season s = MakeSeason(8, 2, 6, laps);
    SpreadRatings(s);
    for (int n = 15; n <= 16; ++n) s.DrvTable[n].TimNo = "";
    s.Sis.NinCount = grid;
    return s;
}

// The rules' own account of the places: the events that move a car, replayed on a list of grid
// places; a snapshot at the end of every lap.
class Replay final : public RaceObserver {
public:
    std::vector<int> order; // grid places by position, element 0 unused
    std::vector<std::vector<int>> lapEnds;
    std::vector<RaceStop> stops;
    std::vector<RaceRetirement> retirements;
    std::vector<RaceEvent> events;
    int fastestCar = 0, fastestLap = 0;

    void Event(const RaceState& race, RaceEvent event, int k, int j) override {
        events.push_back(event);
        switch (event) {
        case RaceEvent::Started:
            order.resize(size_t(race.Cars()) + 1);
            std::iota(order.begin(), order.end(), 0);
            break;
        case RaceEvent::Lap:
            if (race.lap >= 2) lapEnds.emplace_back(order.begin() + 1, order.end());
            break;
        case RaceEvent::Finished:
            if (race.lap >= 1) lapEnds.emplace_back(order.begin() + 1, order.end());
            break;
        case RaceEvent::Retired:
            retirements.push_back({order[size_t(k)], race.lap, k});
            Move(k, j);
            break;
        case RaceEvent::PenaltyPitOut:
        case RaceEvent::PitOut:
            stops.push_back({order[size_t(k)], race.lap, event == RaceEvent::PitOut ? StopKind::Pit : StopKind::Penalty,
                             race.car[size_t(j)].rainTyre});
            Move(k, j);
            break;
        case RaceEvent::Passed: std::swap(order[size_t(k - 1)], order[size_t(k)]); break;
        case RaceEvent::JumpStart: jumping_ = k; break;
        case RaceEvent::Moved:
            if (jumping_) Move(jumping_, k); // the jump tells how far: from its place up to k
            jumping_ = 0;
            break;
        case RaceEvent::FastestLap:
            fastestCar = order[size_t(k)];
            fastestLap = race.lap;
            break;
        default: break;
        }
    }

private:
    void Move(int from, int to) {
        int car = order[size_t(from)];
        order.erase(order.begin() + from);
        order.insert(order.begin() + to, car);
    }
    int jumping_ = 0;
};

// Grand Prix EndGp + 1 as PlayGrandPrix runs it, watched by `observer`; its lap records.
RaceLaps RaceWatchedBy(Season& season, Random& random, RaceObserver& observer) {
    int g = ReadCount(season.Sis.EndGp) + 1;
    random.Reseed();
    std::vector<Entrant> entrants = QualifyingEntrants(season, g);
    QualifyingTimes(entrants, random);
    std::vector<int> order = QualifyingOrder(entrants);
    random.Reseed();
    RaceState race(SetupOf(season, g, int(entrants.size()) - 1, {}), random, observer);
    ConfirmStart(race);
    std::vector<RaceCar> grid(size_t(race.setup.nin) + 1);
    std::vector<EntryRecord> named(1);
    for (int k = 1; k <= race.setup.nin; ++k) {
        grid[size_t(k)] = CarOf(entrants[size_t(order[size_t(k)])], k);
        const DrvRecord& d = season.DrvTable[size_t(entrants[size_t(order[size_t(k)])].position)];
        named.push_back(EntryOf(d, *TeamOf(season, d)));
    }
    StartRecording(race, named);
    StartRace(race, std::move(grid));
    RunLaps(race);
    FinishRace(race, season);
    return season.history.laps.back();
}
} // namespace

TEST(LapRecords, EveryLapHoldsTheWholeGridAndTheLastOneIsTheClassification) {
    for (auto [laps, seed] : {std::pair{"40", 1}, {"40", 2}, {"20", 3}, {"10", 4}, {"7", 5}}) {
        Season s = Varied(laps);
        GameRandom random(seed);
        while (PlayGrandPrix(s, random, {})) {
        }
        ASSERT_EQ(s.history.laps.size(), 6u);
        ASSERT_EQ(s.history.races.size(), 6u);
        for (size_t r = 0; r < 6; ++r) {
            const RaceLaps& race = s.history.laps[r];
            const RaceRecord& record = s.history.races[r];
            SCOPED_TRACE(testing::Message() << laps << " laps, seed " << seed << ", race " << r + 1);
            EXPECT_EQ(race.gp, int(r) + 1);
            ASSERT_EQ(race.Cars(), 14);
            ASSERT_EQ(race.Laps(), std::stoi(laps));
            std::vector<int> grid(14);
            std::iota(grid.begin(), grid.end(), 1);
            for (int L = 1; L <= race.Laps(); ++L) {
                const LapBoard lap = race.Board(L);
                EXPECT_TRUE(std::is_permutation(lap.order.begin(), lap.order.end(), grid.begin(), grid.end()));
                EXPECT_EQ(lap.time.size(), 14u);
                EXPECT_TRUE(lap.weather >= 1 && lap.weather <= 3);
            }
            // The last lap's board is the classification, retired cars where the rules put them.
            const LapBoard last = race.Board(race.Laps());
            std::vector<bool> retired(15);
            for (const RaceRetirement& x : race.retirements) retired[size_t(x.car)] = true;
            for (size_t k = 0; k < 14; ++k) {
                const LapCar& car = race.grid[size_t(last.order[k] - 1)];
                EXPECT_EQ(car.DrvNm, record.result[k].DrvNm) << k + 1;
                EXPECT_EQ(retired[size_t(last.order[k])], record.result[k].retired) << k + 1;
                EXPECT_EQ(retired[size_t(last.order[k])], last.time[k] == 99999) << "a retired car's Time is 999.99";
                const std::string& slot = s.DrvTable[size_t(ReadCount(car.DrvNo))].Result[r + 1];
                EXPECT_EQ(slot, retired[size_t(last.order[k])] ? "0" : std::to_string(k + 1));
            }
            EXPECT_EQ(race.grid.front().DrvNm, record.pole);
            if (race.fastestCar) {
                EXPECT_EQ(race.grid[size_t(race.fastestCar - 1)].DrvNm, record.fastestLap);
            }
            if (laps == std::string("7")) {
                EXPECT_TRUE(race.retirements.empty()) << "no retirements at this distance";
            }
        }
    }
}

// No car changes places between two laps' ends but by a move of the rules: a pass, a jump start,
// a stop or a retirement, each told as it happens. Replaying them gives every recorded lap.
TEST(LapRecords, PlacesChangeOnlyByTheRulesOwnMoves) {
    int stops = 0, retirements = 0, jumps = 0, passes = 0;
    for (uint64_t seed = 1; seed <= 8; ++seed) {
        Season s = Varied(seed % 2 ? "40" : "20", "16");
        GameRandom random(seed);
        for (int g = 1; g <= 3; ++g) {
            Replay replay;
            RaceLaps laps = RaceWatchedBy(s, random, replay);
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", Grand Prix " << g);
            ASSERT_EQ(int(replay.lapEnds.size()), laps.Laps());
            for (int L = 1; L <= laps.Laps(); ++L) {
                const std::span<const int> order = laps.Board(L).order;
                EXPECT_EQ(replay.lapEnds[size_t(L - 1)], std::vector<int>(order.begin(), order.end())) << "lap " << L;
            }
            EXPECT_EQ(replay.stops, laps.stops);
            EXPECT_EQ(replay.retirements, laps.retirements);
            EXPECT_EQ(replay.fastestCar, laps.fastestCar);
            EXPECT_EQ(replay.fastestLap, laps.fastestLap);
            // Every change of places the board is told of belongs to one of those moves.
            const std::vector<RaceEvent>& e = replay.events;
            for (size_t i = 0; i < e.size(); ++i) {
                if (e[i] != RaceEvent::Moved) continue;
                bool jump = i > 0 && e[i - 1] == RaceEvent::JumpStart;
                RaceEvent next = i + 1 < e.size() ? e[i + 1] : RaceEvent::Finished;
                bool move = next == RaceEvent::Retired || next == RaceEvent::PitOut || next == RaceEvent::PenaltyPitOut ||
                            next == RaceEvent::Passed;
                EXPECT_TRUE(jump || move) << "event " << i;
                jumps += jump;
                passes += next == RaceEvent::Passed;
            }
            stops += int(laps.stops.size());
            retirements += int(laps.retirements.size());
        }
    }
    EXPECT_GT(stops, 0);
    EXPECT_GT(retirements, 0);
    EXPECT_GT(jumps, 0);
    EXPECT_GT(passes, 0);
}

namespace {
struct Played {
    std::vector<RaceLaps> laps;
    std::vector<std::string> board; // driver and Time of every row at the end
    int skips = 0;
};

// Three Grands Prix in the windows, every one clicked through, or skipped after a few windows.
Played InTheWindows(uint64_t seed, bool skip) {
    Season season = Varied("20", "12");
    ScriptedPlatform platform;
    GameRandom random(seed);
    Shell shell(season, platform, random);
    RaceWeekend weekend;
    int windows = 0, skips = 0;
    platform.fallback = [&](Form& f) {
        Control* button = f.Find("cmdSkip");
        if (skip && ++windows > 5 && button && button->visible) {
            f.Click("cmdSkip");
            ++skips;
        } else {
            f.Click(f.defaultButton);
        }
    };
    for (int g = 1; g <= 3; ++g) {
        EXPECT_TRUE(RunQualifying(shell, weekend));
        EXPECT_TRUE(RunKesyou(shell, weekend).has_value());
    }
    Played p{season.history.laps, {}, skips};
    for (int k = 1; k <= 12; ++k) p.board.push_back(shell.main.lbl(2, k).text + " " + shell.main.lbl(4, k).text);
    return p;
}
} // namespace

TEST(LapRecords, TheSameRaceWatchedSkippedOrSilentRecordsTheSameLaps) {
    for (uint64_t seed : {3u, 8u, 21u}) {
        Played watched = InTheWindows(seed, false);
        Played skipped = InTheWindows(seed, true);
        Season silent = Varied("20", "12");
        GameRandom random(seed);
        for (int g = 1; g <= 3; ++g) ASSERT_TRUE(PlayGrandPrix(silent, random, {}));
        ASSERT_EQ(watched.laps.size(), 3u);
        EXPECT_GE(skipped.skips, 3) << "every race skipped";
        EXPECT_EQ(skipped.laps, watched.laps) << seed;
        EXPECT_EQ(silent.history.laps, watched.laps) << seed;
        // The board the player is left with is the last lap's record, Time text for Time text.
        const RaceLaps& last = watched.laps.back();
        const LapBoard flag = last.Board(last.Laps());
        for (size_t k = 0; k < 12; ++k)
            EXPECT_EQ(watched.board[k], last.grid[size_t(flag.order[k] - 1)].DrvNm + " " + TimeText(flag.time[k]))
                << "row " << k + 1;
        EXPECT_EQ(skipped.board, watched.board);
    }
}

TEST(LapRecords, TheOddsPlayWithoutThemAndAClosedSeasonDropsThem) {
    Season s = Varied("10");
    GameRandom random(4);
    ASSERT_TRUE(PlayGrandPrix(s, random, {}, LapRecords::Skip));
    EXPECT_TRUE(s.history.laps.empty());
    EXPECT_EQ(s.history.races.size(), 1u) << "the classification is kept all the same";
    ASSERT_TRUE(PlayGrandPrix(s, random, {}));
    EXPECT_EQ(s.history.laps.size(), 1u);
    s.history.ClearSeasonRaces();
    EXPECT_TRUE(s.history.Empty());
}

// A season set back a race (or a file saying a race ran that the season does not count) holds a
// record of the Grand Prix about to run: the run replaces it, so the file holds one of each and
// reads back as it was saved.
TEST(LapRecords, ARaceRunAgainReplacesItsOldRecords) {
    Season s = Varied("10");
    GameRandom random(5);
    ASSERT_TRUE(PlayGrandPrix(s, random, {}));
    ASSERT_TRUE(PlayGrandPrix(s, random, {}));
    const RaceLaps first = s.history.laps[0];
    s.Sis.EndGp = "1";
    ASSERT_TRUE(PlayGrandPrix(s, random, {}));
    ASSERT_EQ(s.history.races.size(), 2u);
    ASSERT_EQ(s.history.laps.size(), 2u);
    EXPECT_EQ(s.history.races[0].gp, 1);
    EXPECT_EQ(s.history.races[1].gp, 2);
    EXPECT_EQ(s.history.laps[0], first) << "the first race's record is untouched";
    EXPECT_EQ(s.history.laps[1].gp, 2);
    TempDir dir;
    ASSERT_TRUE(WriteSeasonFile(s, dir / "s.krv"));
    Season back;
    ASSERT_TRUE(ReadSeasonFile(back, dir / "s.krv"));
    EXPECT_EQ(back.history, s.history);
}

TEST(LapRecords, TimesReadAsTheBoardShowsThem) {
    for (double t : {0.0, 0.004, 0.005, 1.005, 2.675, 12.345, 65.4, 999.99, 1234.5, 98765.435, 1e9 + 0.125, 3e14 + 0.5,
                     -0.05, -12.344})
        EXPECT_EQ(TimeText(Hundredths(t)), Format0_00(t)) << t;
    EXPECT_EQ(Hundredths(999.99), 99999);
    EXPECT_EQ(TimeText(5), "0.05");
    EXPECT_EQ(TimeText(-5), "-0.05");
    EXPECT_GT(Hundredths(1e300), 0) << "saturates";
    // The inline path agrees with the exact one everywhere, halves and their neighbours too.
    for (double base : {0.0, 1.005, 2.675, 65.125, 1e9 + 0.125, 2e13 + 0.005, 3e14 + 0.5}) {
        for (int i = 0; i < 400; ++i) {
            const double at = base + i * 0.0025; // every quarter hundredth: the halves among them
            for (double v : {std::nextafter(at, -1e300), at, std::nextafter(at, 1e300)}) {
                ASSERT_EQ(Hundredths(v), HundredthsExactly(v)) << v;
                ASSERT_EQ(Hundredths(-v), HundredthsExactly(-v)) << -v;
            }
        }
    }
    EXPECT_EQ(Hundredths(std::nan("")), HundredthsExactly(std::nan("")));
}

TEST(LapRecords, StoriesTellPlacesGapsStopsAndTheReport) {
    RaceLaps race;
    race.gp = 2;
    race.grid = {{"01", "一", "A", "0001"}, {"02", "二", "A", "0001"}, {"03", "三", "B", "0002"}};
    AddBoard(race, 1, {2, 1, 3}, {1000, 1050, 1200});
    AddBoard(race, 3, {2, 3, 1}, {2000, 2500, 99999});
    race.stops = {{3, 2, StopKind::Pit, true}, {3, 1, StopKind::Penalty, false}};
    race.retirements = {{1, 2, 2}};
    race.fastestCar = 3;
    race.fastestLap = 2;
    std::vector<CarStory> stories = CarStories(race);
    ASSERT_EQ(stories.size(), 3u);
    EXPECT_EQ(stories[0].names.DrvNm, "二");
    EXPECT_EQ(stories[0].Gained(), 1);
    EXPECT_EQ(stories[1].car, 3);
    EXPECT_EQ(stories[1].place, (std::vector<int>{3, 3, 2}));
    EXPECT_DOUBLE_EQ(stories[1].gap[2], 5.0);
    EXPECT_EQ(stories[1].pitLaps, std::vector<int>{2});
    EXPECT_EQ(stories[1].penaltyLaps, std::vector<int>{1});
    EXPECT_TRUE(stories[1].fastestLap);
    EXPECT_EQ(stories[2].retiredLap, 2);
    EXPECT_EQ(stories[2].retiredPlace, 2);
    EXPECT_FALSE(stories[2].Ran(2));
    EXPECT_EQ(stories[2].points, PointsForPlace(3)) << "points go by the final place, retired or not";
    Season season = MakeSeason(1, 1, 2);
    EXPECT_EQ(RaceTitle(season, race), "第2戦 GP2 ＧＰ");

    // The report's row and line over it, the same in both front ends.
    const std::vector<std::string> row = RaceReportRow(race, stories[1]);
    ASSERT_EQ(row.size(), RaceReportHeadings().size());
    EXPECT_EQ(row[0], "2");
    EXPECT_EQ(row[1], "三");
    EXPECT_EQ(row[3], "3") << "its grid place";
    EXPECT_EQ(row[4], "↑1");
    EXPECT_EQ(row[5], "2") << "the lap it pitted";
    EXPECT_EQ(row[6], "1") << "the lap of its penalty";
    EXPECT_NE(row[7].find("2周目"), std::string::npos) << row[7];
    EXPECT_EQ(row[8], "") << "it ran to the flag";
    EXPECT_EQ(RaceReportRow(race, stories[2])[8], "2周目") << "the lap it retired in";
    const std::string line = RaceReportSummary(race);
    EXPECT_EQ(line.rfind("決勝 2周", 0), 0u) << line;
    EXPECT_NE(line.find("ファステストラップ 三"), std::string::npos) << line;

    // The weather in words, stretch by stretch, for whoever cannot tell the strip's colours.
    race.startWeather = 2;
    EXPECT_EQ(WeatherStory(race), "スタート くもり、1周 晴れ、2周 雨");
    RaceLaps longer = race;
    longer.weather.clear();
    longer.order.clear();
    longer.time.clear();
    AddBoard(longer, 1, {2, 1, 3}, {1000, 1050, 1200});
    AddBoard(longer, 1, {2, 1, 3}, {2000, 2050, 2200});
    AddBoard(longer, 3, {2, 3, 1}, {3000, 3500, 99999});
    AddBoard(longer, 3, {2, 3, 1}, {4000, 4500, 99999});
    EXPECT_EQ(WeatherStory(longer), "スタート くもり、1〜2周 晴れ、3〜4周 雨");
}

// レース分析 waits for a race with lap records, and a new season takes it away again.
TEST(LapRecords, TheMainWindowsButtonFollowsTheRacesRun) {
    ScriptedPlatform platform;
    platform.appPath = KARVEN_BIN_DIR;
    GameRandom random(6);
    Game game(platform, random);
    ASSERT_TRUE(game.StartUp());
    FrmKarvenRace& main = game.shell.main;
    EXPECT_FALSE(main("cmdRaceAna").enabled);
    main.Click("cmdYosen");
    main.Click("cmdKesyou");
    ASSERT_EQ(game.season.history.laps.size(), 1u);
    EXPECT_TRUE(main("cmdRaceAna").enabled);
    EXPECT_TRUE(main("cmdRaceAna").visible) << "back in the button view";
    const size_t before = platform.shown.size();
    main.Click("cmdRaceAna");
    main.Click("Ana_Race");
    ASSERT_EQ(platform.shown.size(), before + 2);
    EXPECT_EQ(platform.shown[before].form, "frmRaceAna");
    EXPECT_EQ(platform.shown[before + 1].form, "frmRaceAna");
    platform.Answer({true, false}); // a new season, the careers kept
    main.Click("cmdStart");
    EXPECT_TRUE(game.season.history.laps.empty());
    EXPECT_FALSE(main("cmdRaceAna").enabled);
}
