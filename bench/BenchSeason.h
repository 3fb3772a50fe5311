#pragma once
// What the benchmarks share: a platform that answers at once, counted chance, a full season.

#include <benchmark/benchmark.h>

#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/Form.h"
#include "shell/Platform.h"
#include "shell/Random.h"
#include "shell/Shell.h"
#include "weekend/EntryTables.h"

namespace karven::bench {

// Answers every window at once with its default button and shows nothing.
class AutoPlatform final : public Platform {
public:
    void ShowWarning(const std::string&) override {}
    std::string ChooseFile(FileDialogMode, const std::string&, const std::string&) override { return ""; }
    PictureState CheckPicture(const std::string&) override { return PictureState::Loaded; }
    std::string AppPath() override { return "/opt/karven/"; }
    void EndProgram() override {}

protected:
    void RunModal(Form& form) override {
        ++shown;
        form.Click(form.defaultButton);
    }

public:
    long long shown = 0;
};

class CountingRandom final : public Random {
public:
    explicit CountingRandom(uint64_t seed) : inner_(seed) {}
    void Reseed() override { inner_.Reseed(); }
    long long draws = 0;

protected:
    void Refill() override {
        ++draws;
        value_ = inner_.Next();
        Serve(&value_, &value_ + 1);
    }

private:
    GameRandom inner_;
    double value_ = 0;
};

// 17 Grands Prix, 16 teams of two, 40 laps, the whole field on the grid; ratings spread out.
inline Season BenchSeason() {
    Season s;
    for (int g = 1; g <= 17; ++g) s.GpTable.push_back({Format00(g), "GP" + std::to_string(g), std::to_string(1 + g % 5)});
    for (int t = 1; t <= 16; ++t)
        s.TimTable.push_back({Format00(t), "チーム" + std::to_string(t) + "・エンジン", Format0000(t),
                              std::to_string(1 + t % 5), std::to_string(1 + (t * 2) % 5), std::to_string(1 + (t * 3) % 5),
                              "0"});
    for (int n = 1; n <= 32; ++n) {
        DrvRecord d = NewDrvRecord(n);
        d.TimNo = Format00((n + 1) / 2);
        d.DrvNm = "ドライバー" + std::to_string(n);
        d.Technique = std::to_string(n % 6);
        d.Roughness = std::to_string(1 + n % 5);
        d.Block = std::to_string(1 + (n * 3) % 5);
        d.Stability = std::to_string(1 + (n * 2) % 5);
        s.DrvTable.push_back(d);
    }
    s.Sis = {"17", "40", "32", "0"};
    s.DrvCount = "32";
    s.TimCount = "16";
    return s;
}

template <class R = GameRandom> struct Bench {
    Season season = BenchSeason();
    AutoPlatform platform;
    R random{20261207};
    Shell shell{season, platform, random};
    RaceWeekend weekend;
};

// Times `draws` draws of the production generator and nothing else: the floor of whatever took them.
inline void TimeDraws(benchmark::State& state, long long draws) {
    GameRandom production(20261207);
    Random& random = production;
    for (auto _ : state) {
        double sum = 0;
        for (long long i = 0; i < draws; ++i) sum += random.Next();
        benchmark::DoNotOptimize(sum);
    }
    state.counters["draws"] = double(draws);
}

} // namespace karven::bench
