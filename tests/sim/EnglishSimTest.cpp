// karven-sim in English: a whole season with its market told in English from the English default
// season, and the same races as the Japanese season plays with the same seed.
#include <gtest/gtest.h>

#include "sim/SimRun.h"
#include "support/Japanese.h"

namespace {

std::vector<std::string> LinesWithJapanese(const std::string& text) {
    std::vector<std::string> found;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (karven::HasJapanese(line)) found.push_back(line);
        start = end + 1;
    }
    return found;
}

TEST(EnglishSim, AWholeSeasonAndItsMarketAreInEnglish) {
    SimRun season = RunSim("--lang en --gps all --seed 1");
    ASSERT_EQ(season.code, 0) << season.err;
    EXPECT_EQ(LinesWithJapanese(season.out), std::vector<std::string>{});
    EXPECT_EQ(LinesWithJapanese(season.err), std::vector<std::string>{});
    EXPECT_NE(season.err.find("Start the race?"), std::string::npos);
    EXPECT_NE(season.out.find("Drivers' standings (after round 16)"), std::string::npos);

    SimRun market = RunSim("--lang en --seasons 1 --seed 1");
    ASSERT_EQ(market.code, 0) << market.err;
    EXPECT_EQ(LinesWithJapanese(market.out), std::vector<std::string>{});
    EXPECT_EQ(LinesWithJapanese(market.err), std::vector<std::string>{});
    EXPECT_NE(market.err.find("Open the\ntransfer market?"), std::string::npos);
    EXPECT_NE(market.out.find("Transfer market\n  Champion: "), std::string::npos);
}

TEST(EnglishSim, TheSameSeedPlaysTheSameRacesInBothLanguages) {
    Json japanese = Sim("--gps all --seed 3 --json --quiet");
    Json english = Sim("--lang en --gps all --seed 3 --json --quiet");
    ASSERT_EQ(japanese["races"].size(), english["races"].size());
    ASSERT_EQ(japanese["races"].size(), 16u);
    for (size_t r = 0; r < japanese["races"].size(); ++r) {
        const Json& a = japanese["races"][r]["result"];
        const Json& b = english["races"][r]["result"];
        ASSERT_EQ(a.size(), b.size());
        for (size_t k = 0; k < a.size(); ++k) {
            EXPECT_EQ(a[k]["DrvNo"], b[k]["DrvNo"]) << "race " << r + 1 << " place " << k + 1;
            EXPECT_EQ(a[k]["Time"], b[k]["Time"]);
        }
    }
}

TEST(EnglishSim, UnknownLanguageIsRefused) { EXPECT_EQ(RunSim("--lang fr").code, 2); }

} // namespace
