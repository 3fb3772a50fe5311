// スキップ and オート実況 in the transfer market: the rest of the negotiation plays without windows,
// from the same draws in the same order, and ends where clicking through ends.
#include <gtest/gtest.h>
#include <map>
#include <set>

#include "offseason/FrmKarvenOff.h"
#include "offseason/Market.h"
#include "race/RaceState.h"
#include "race/SilentWeekend.h"
#include "season/SeasonFile.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "shell/Shell.h"
#include "support/ScriptedPlatform.h"

using namespace karven;
using namespace karven::test;

namespace {
// The game's generator, every value it serves written down.
class RecordingRandom : public Random {
public:
    explicit RecordingRandom(uint64_t seed) : inner_(seed) {}
    void Reseed() override {
        inner_.Reseed();
        drawn.push_back(-1); // where the reseeds fall belongs to the order too
    }
    std::vector<double> drawn;

protected:
    void Refill() override {
        value_ = inner_.Next();
        drawn.push_back(value_);
        Serve(&value_, &value_ + 1);
    }

private:
    GameRandom inner_;
    double value_ = 0;
};

struct Outcome {
    std::vector<double> draws;
    std::vector<std::string> seats;  // every seat label of the market, settled ones marked *
    std::vector<std::string> teams;  // every driver's team after the confirmation
    std::vector<std::string> titles; // every driver's championships after it
    int announcements = 0; // shown
    int counted = 0;       // as the market counts them, shown or skipped
    std::vector<bool> skipOffered; // per announcement
};

// A whole default season played silently, then its market; with skipAfter > 0 スキップ is pressed
// in that announcement.
Outcome Market(uint64_t seed, int skipAfter) {
    Season season;
    EXPECT_TRUE(ReadSeasonFile(season, std::string(KARVEN_BIN_DIR) + InitialDataFile));
    ScriptedPlatform platform;
    RecordingRandom random(seed);
    Shell shell(season, platform, random);
    while (PlayGrandPrix(season, random, {})) {
    }
    SetMainState(shell.main, CommandState::SeasonOver);
    random.drawn.clear();

    Outcome o;
    platform.fallback = [&](Form& f) {
        if (f.Name() == "frmMsgOk") {
            ++o.announcements;
            Control& skip = f("cmdSkip");
            o.skipOffered.push_back(skip.visible && skip.enabled);
            if (o.announcements == skipAfter) return f.Click("cmdSkip");
        }
        f.Click(f.defaultButton);
    };
    platform.script.push_back([&](Form& f) {
        f.Click("cmdStart");
        o.counted = dynamic_cast<FrmKarvenOff&>(f).announced;
        for (int k = 1; k <= 2 * FrmKarvenOff::Teams; ++k) {
            const Control& seat = f("lbl2", k);
            o.seats.push_back(seat.text + (seat.textColor == SettledColor ? "*" : ""));
        }
        EXPECT_FALSE(shell.SkipOffered) << "the confirmation is no announcement";
        f.Click("cmdOK");
    });
    ShowOff(shell);
    o.draws = random.drawn;
    for (size_t d = 1; d < season.DrvTable.size(); ++d) {
        o.teams.push_back(season.DrvTable[d].TimNo);
        o.titles.push_back(season.DrvTable[d].CareerWc);
    }
    return o;
}
} // namespace

TEST(MarketSkip, EndsWithTheSameDrawsAndLineUpAsClickingThrough) {
    for (uint64_t seed : {4, 11, 23, 57}) {
        Outcome clicked = Market(seed, 0);
        ASSERT_GT(clicked.announcements, 40) << seed;
        EXPECT_EQ(clicked.counted, clicked.announcements) << seed;
        for (bool offered : clicked.skipOffered) EXPECT_TRUE(offered) << seed;
        for (int after : {1, 7, clicked.announcements / 2}) {
            Outcome skipped = Market(seed, after);
            std::string what = "seed " + std::to_string(seed) + ", skipped in announcement " + std::to_string(after);
            EXPECT_EQ(skipped.draws, clicked.draws) << what;
            EXPECT_EQ(skipped.seats, clicked.seats) << what;
            EXPECT_EQ(skipped.teams, clicked.teams) << what;
            EXPECT_EQ(skipped.titles, clicked.titles) << what;
            EXPECT_EQ(skipped.announcements, after) << what << ": nothing more is shown";
            EXPECT_EQ(skipped.counted, clicked.announcements) << what << ": the skipped ones still count";
        }
    }
}

// オート実況 closes the market's announcements by themselves; its questions wait for the player.
TEST(MarketSkip, AnnouncementsCloseByThemselvesUnderAutoAndQuestionsNever) {
    Season season;
    ASSERT_TRUE(ReadSeasonFile(season, std::string(KARVEN_BIN_DIR) + InitialDataFile));
    ScriptedPlatform platform;
    GameRandom random(9);
    Shell shell(season, platform, random);
    while (PlayGrandPrix(season, random, {})) {
    }
    SetMainState(shell.main, CommandState::SeasonOver);
    shell.AutoAdvanceMs = 300;
    std::map<std::string, std::set<int>> autoClose;
    platform.fallback = [&](Form& f) {
        autoClose[f.Name()].insert(f.autoCloseMs);
        f.Click(f.defaultButton);
    };
    platform.script.push_back([&](Form& f) {
        f.Click("cmdStart");
        f.Click("cmdOK");
    });
    ShowOff(shell);
    EXPECT_EQ(autoClose["frmMsgOk"], std::set<int>{300});
    EXPECT_EQ(autoClose["frmmsgokcancel"], std::set<int>{0}) << "start and confirmation questions";
    EXPECT_EQ(season.Sis.EndGp, "0");
}
