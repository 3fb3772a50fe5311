#pragma once
// A season, a scripted platform and scripted chance for qualifying and race tests.

#include <memory>
#include <string>
#include <vector>

#include "race/Race.h"
#include "race/RaceDisplay.h"
#include "race/RaceState.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/Shell.h"
#include "support/ScriptedPlatform.h"
#include "weekend/CourseFactor.h"
#include "weekend/EntryTables.h"

namespace karven::test {

// teams x perTeam drivers with middling ratings, gps ordinary circuits; the whole field races.
inline Season MakeSeason(int teams, int perTeam, int gps, const std::string& laps = "5") {
    Season s;
    for (int g = 1; g <= gps; ++g) s.GpTable.push_back({Format00(g), "GP" + std::to_string(g), "3"});
    for (int t = 1; t <= teams; ++t)
        s.TimTable.push_back({Format00(t), "チーム" + std::to_string(t) + "・エンジン", Format0000(t), "3", "3", "3", "0"});
    int n = 0;
    for (int t = 1; t <= teams; ++t) {
        for (int i = 0; i < perTeam; ++i) {
            DrvRecord d = NewDrvRecord(++n);
            d.TimNo = Format00(t);
            d.DrvNm = "ドライバー" + std::to_string(n);
            d.Technique = d.Roughness = d.Block = d.Stability = "3";
            s.DrvTable.push_back(d);
        }
    }
    s.Sis = {std::to_string(gps), laps, std::to_string(n), "0"};
    s.DrvCount = std::to_string(n);
    s.TimCount = std::to_string(teams);
    return s;
}

// Ratings spread over their scales and every kind of circuit, so every rule of the race gets its turn.
inline void SpreadRatings(Season& s) {
    for (size_t g = 1; g < s.GpTable.size(); ++g) s.GpTable[g].CourseType = std::to_string(1 + g % 5);
    for (size_t t = 1; t < s.TimTable.size(); ++t) {
        s.TimTable[t].Speed = std::to_string(1 + t % 5);
        s.TimTable[t].Aero = std::to_string(1 + (t * 2) % 5);
        s.TimTable[t].Stability = std::to_string(1 + (t * 3) % 5);
    }
    for (size_t n = 1; n < s.DrvTable.size(); ++n) {
        DrvRecord& d = s.DrvTable[n];
        d.Technique = std::to_string(n % 6);
        d.Roughness = std::to_string(1 + n % 5);
        d.Block = std::to_string(1 + (n * 3) % 5);
        d.Stability = std::to_string(1 + (n * 2) % 5);
    }
}

// A car as qualifying leaves it; everything middling unless a test says otherwise.
inline EntryRecord Car(int no, const std::string& time) {
    EntryRecord e;
    e.TimNo = "01";
    e.TimNm = "T" + std::to_string(no);
    e.ColorNo = "0001";
    e.Speed = e.Aero = e.TimStability = "3";
    e.DrvNo = Format00(no);
    e.DrvNm = "D" + std::to_string(no);
    e.Technique = e.Roughness = e.Block = e.DrvStability = "3";
    e.Retired = e.PitCount = e.RainTyre = e.TyreLaps = e.PenLap = "0";
    e.Time = time;
    return e;
}

// The cars of these rows, read as the board shows them (mid-race states too): row i is the car with id i.
inline std::vector<RaceCar> GridOf(const std::vector<EntryRecord>& entries, const std::string& courseType) {
    std::vector<RaceCar> grid(entries.size());
    for (size_t i = 1; i < entries.size(); ++i) {
        const EntryRecord& e = entries[i];
        RaceCar& c = grid[i];
        c.id = int(i);
        c.driver = ReadCount(e.DrvNo);
        c.team = ReadCount(e.TimNo);
        c.courseFactor = CourseFactor(courseType, e.Speed);
        c.aero = ReadNumber(e.Aero);
        c.technique = ReadNumber(e.Technique);
        c.roughness = ReadNumber(e.Roughness);
        c.block = ReadNumber(e.Block);
        c.drvStability = ReadNumber(e.DrvStability);
        c.reliability = RoundHalfEven(c.drvStability + ReadNumber(e.TimStability));
        c.penalty = RoundHalfEven(c.technique + c.roughness + c.block + c.drvStability);
        c.time = ReadNumber(e.Time);
        c.tyreLaps = ReadCount(e.TyreLaps);
        c.pitCount = ReadCount(e.PitCount);
        c.retired = e.Retired != "0";
        c.rainTyre = e.RainTyre == "1";
        c.penLap = e.PenLap != "0";
    }
    return grid;
}

struct RaceFixture {
    explicit RaceFixture(Season s = MakeSeason(2, 2, 2)) : season(std::move(s)) {}

    Season season;
    ScriptedPlatform platform;
    ScriptedRandom random{{}, 0.99}; // left alone, every roll comes out at its largest: nothing happens
    Shell shell{season, platform, random};
    RaceWeekend weekend;
    std::unique_ptr<RaceDisplay> display;
    std::unique_ptr<RaceState> race;

    // A race already running with these cars in this order, watched in the main window.
    RaceState& Running(std::vector<EntryRecord> cars) {
        weekend.EntryCount = int(cars.size());
        season.Sis.NinCount = std::to_string(cars.size());
        weekend.YosenResultTable.assign(1, EntryRecord{});
        for (auto& c : cars) weekend.YosenResultTable.push_back(c);
        int gp = ReadCount(season.Sis.EndGp) + 1;
        display = std::make_unique<RaceDisplay>(shell, weekend, gp, weekend.YosenResultTable);
        race = std::make_unique<RaceState>(SetupOf(shell, gp, weekend.EntryCount), random, *display);
        race->car = GridOf(weekend.YosenResultTable, season.GpTable[gp].CourseType);
        return *race;
    }
    // The running order as KesyouTable would hold it now.
    std::vector<EntryRecord> table() const {
        std::vector<EntryRecord> t(1);
        for (int k = 1; k <= race->Cars(); ++k) t.push_back(RecordOfCar(weekend.YosenResultTable[size_t(race->car[k].id)], race->car[k]));
        return t;
    }
    // Driver names in position order.
    std::string Order() const {
        std::string s;
        std::vector<EntryRecord> t = table();
        for (size_t k = 1; k < t.size(); ++k) s += (k > 1 ? " " : "") + t[k].DrvNm;
        return s;
    }
    std::string FlDrvNo() const { return race->FlCar ? weekend.YosenResultTable[race->FlCar].DrvNo : ""; }
    std::string Row(int k) {
        std::string s;
        for (int c = 1; c <= 6; ++c) s += (c > 1 ? "|" : "") + shell.main.lbl(c, k).text;
        return s;
    }
    std::vector<std::string> Texts() const { return platform.Texts(); }
};

} // namespace karven::test
