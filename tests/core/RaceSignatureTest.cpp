#include <gtest/gtest.h>

#include "RaceFixture.h"
#include "race/Race.h"
#include "weekend/Qualifying.h"

using namespace karven;
using namespace karven::test;

namespace {
// A full season with ratings spread over their scales and every kind of circuit.
Season SpreadSeason() {
    Season s = MakeSeason(16, 2, 17, "40");
    SpreadRatings(s);
    return s;
}

uint64_t Fnv1a(const std::vector<std::string>& texts) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (const std::string& t : texts) {
        for (unsigned char c : t) h = (h ^ c) * 0x100000001b3ull;
        h = (h ^ 0xFF) * 0x100000001b3ull;
    }
    return h;
}
} // namespace

// Guards the order of the draws: any change to it changes what the season tells.
TEST(RaceSignature, FixedSeedGivesFixedCommentary) {
    Season season = SpreadSeason();
    ScriptedPlatform platform;
    GameRandom random(20261207);
    Shell shell(season, platform, random);
    RaceWeekend weekend;
    int penalties = 0;
    for (int g = 1; g <= 17; ++g) {
        ASSERT_TRUE(RunQualifying(shell, weekend));
        auto outcome = RunKesyou(shell, weekend);
        ASSERT_TRUE(outcome);
        penalties += outcome->PenCount;
    }
    EXPECT_EQ(season.Sis.EndGp, "17");
    EXPECT_GT(penalties, 0);
    auto texts = platform.Texts();
    EXPECT_EQ(texts.size(), 8537u);
    EXPECT_EQ(Fnv1a(texts), 16654678127829941316ull);
}
