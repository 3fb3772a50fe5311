// スキップ: the rest of a race or qualifying plays without windows and ends where clicking would.
#include <gtest/gtest.h>

#include "RaceFixture.h"
#include "race/Race.h"
#include "race/RaceCalls.h"
#include "race/RaceState.h"
#include "season/SeasonFile.h"
#include "support/TempDir.h"
#include "weekend/Qualifying.h"

using namespace karven;
using namespace karven::test;

namespace {
// Runs the cars of one team (none with team 0) and always does the opposite of its roll.
class Contrary final : public RaceCalls {
public:
    explicit Contrary(int team) : team_(team) {}
    bool Runs(const RaceState& race, int k) const override { return race.car[size_t(k)].team == team_; }
    bool PitIn(RaceState&, int, bool rules) override { return !rules; }
    bool RainTyres(RaceState&, int, bool rules) override { return !rules; }

private:
    int team_;
};

struct Played {
    std::string file;
    std::vector<std::string> board; // every row of the main window's grid, the title and the race picture
    std::vector<std::string> texts; // the windows shown
    std::vector<std::string> endTitles; // the title while each race's end is announced
};

// Three Grands Prix; with skipAfter > 0 スキップ is pressed in the first window after that many
// windows that offers it, in every qualifying and race.
Played Play(uint64_t seed, int skipAfter, const std::string& laps, RaceCalls* calls = nullptr) {
    Season season = MakeSeason(6, 2, 3, laps);
    ScriptedPlatform platform;
    GameRandom random(seed);
    Shell shell(season, platform, random);
    RaceWeekend weekend;
    weekend.calls = calls;
    int windows = 0;
    Played p;
    platform.fallback = [&](Form& f) {
        ++windows;
        if (shell.MsgText == "レースが終了しました。") p.endTitles.push_back(shell.main("lblTitle").text);
        Control* skip = f.Find("cmdSkip");
        if (skipAfter > 0 && windows >= skipAfter && skip && skip->visible) {
            f.Click("cmdSkip");
            windows = 0;
        } else {
            f.Click(f.defaultButton);
        }
    };
    for (int g = 1; g <= 3; ++g) {
        EXPECT_TRUE(RunQualifying(shell, weekend));
        EXPECT_TRUE(RunKesyou(shell, weekend).has_value());
    }
    TempDir dir;
    EXPECT_TRUE(WriteSeasonFile(season, dir / "s.krv"));
    p.file = ReadBytes(dir / "s.krv");
    for (int k = 1; k <= GridRows; ++k) {
        std::string row;
        for (int c = 1; c <= 6; ++c) row += shell.main.lbl(c, k).text + "|";
        p.board.push_back(row + shell.main.imgCo(k).picture);
    }
    p.board.push_back(shell.main("lblTitle").text);
    p.board.push_back(shell.main("imgAnime").picture);
    p.texts = platform.Texts();
    return p;
}
} // namespace

TEST(Skip, EndsInTheSameSeasonAndBoardAsClickingThrough) {
    // Short races leave some rows as qualifying wrote them: those must stay so.
    for (const char* laps : {"20", "5"}) {
        for (uint64_t seed : {3, 8, 21}) {
            Played clicked = Play(seed, 0, laps);
            for (int after : {1, 5, 60}) {
                Played skipped = Play(seed, after, laps);
                std::string what = std::string(laps) + " laps, seed " + std::to_string(seed) + ", after " +
                                   std::to_string(after);
                EXPECT_EQ(skipped.file, clicked.file) << what;
                EXPECT_EQ(skipped.board, clicked.board) << what;
                EXPECT_EQ(skipped.endTitles, clicked.endTitles) << what;
                EXPECT_LT(skipped.texts.size(), clicked.texts.size()) << what;
            }
        }
    }
}

TEST(Skip, AsksWhoeverRunsACarAndNobodyElse) {
    // The game always has someone to ask; running no car, he changes nothing, skipped or not. A
    // caller running a car is still asked after スキップ, as he is while clicking.
    Contrary nobody(0), team1(1);
    for (uint64_t seed : {3, 8}) {
        Played plain = Play(seed, 0, "20");
        Played contrary = Play(seed, 0, "20", &team1);
        EXPECT_NE(contrary.file, plain.file) << "seed " << seed << ": the caller changed nothing";
        for (int after : {1, 5}) {
            std::string what = "seed " + std::to_string(seed) + ", after " + std::to_string(after);
            Played idle = Play(seed, after, "20", &nobody);
            EXPECT_EQ(idle.file, plain.file) << what;
            EXPECT_EQ(idle.board, plain.board) << what;
            Played asked = Play(seed, after, "20", &team1);
            EXPECT_EQ(asked.file, contrary.file) << what;
            EXPECT_EQ(asked.board, contrary.board) << what;
        }
    }
}

TEST(Skip, LandsOnTheEndMessagesAndOffersNothingElse) {
    Season season = MakeSeason(4, 2, 1, "10");
    ScriptedPlatform platform;
    GameRandom random(5);
    Shell shell(season, platform, random);
    RaceWeekend weekend;
    ASSERT_TRUE(RunQualifying(shell, weekend));
    std::vector<bool> offered;
    platform.fallback = [&](Form& f) {
        Control* skip = f.Find("cmdSkip");
        offered.push_back(skip && skip->visible);
        if (skip && skip->visible) f.Click("cmdSkip");
        else f.Click(f.defaultButton);
    };
    ASSERT_TRUE(RunKesyou(shell, weekend).has_value());
    // The question, the start announcement (skipped), then only the end of the race and the season.
    EXPECT_EQ(offered, (std::vector<bool>{false, true, false, false}));
    std::vector<std::string> texts = platform.Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2], "レースが終了しました。");
    EXPECT_EQ(texts.back(), "すべての日程が終了しました。");
    EXPECT_FALSE(shell.SkipOffered);
    EXPECT_EQ(season.Sis.EndGp, "1");
}
