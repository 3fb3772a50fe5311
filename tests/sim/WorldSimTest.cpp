// karven-sim with and without the living world: off, every byte as the game wrote before the
// world existed; on, reproducible for a seed, told in the JSON, and read from the season file.
#include "SimRun.h"

namespace {
std::string Golden(const std::string& name) { return karven::test::ReadBytes(std::string(KARVEN_GOLDEN_DIR) + name); }
} // namespace

// The goldens were written by the game before the world was added.
TEST(SimWorld, OffEveryByteIsAsBefore) {
    const std::string saved = scratch / "off.krv";
    SimRun run = RunSim("--seasons 2 --seed 4 --quiet --save " + saved);
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(karven::test::ReadBytes(saved) == Golden("career-seed4.krv")) << "the season file";
    EXPECT_TRUE(run.out == Golden("career-seed4.txt")) << "the summary";
    Json now = Sim("--gps 1 --seed 4 --quiet --json"), before = Json::parse(Golden("gp-seed4.json"));
    now.erase("titleRace"); // added since, beside the rest
    EXPECT_TRUE(now == before) << "the JSON";
    EXPECT_FALSE(now.contains("world"));
}

TEST(SimWorld, OnItIsToldInTheJsonAndReadBackFromTheFile) {
    const std::string saved = scratch / "world.krv";
    Json run = Sim("--seasons 3 --world --seed 5 --quiet --json --save " + saved);
    ASSERT_TRUE(run.contains("world"));
    EXPECT_TRUE(run["world"]["enabled"].get<bool>());
    EXPECT_EQ(run["world"]["turns"].get<int>(), 3);
    EXPECT_EQ(run["world"]["drivers"].size(), run["drivers"].size());
    ASSERT_EQ(run["history"].size(), 3u);
    for (const Json& season : run["history"]) {
        ASSERT_TRUE(season.contains("retired") && season.contains("debuts") && season.contains("ratings"));
        EXPECT_EQ(season["retired"].size(), season["debuts"].size()) << "the field keeps its size";
        EXPECT_FALSE(season["ratings"]["drivers"].empty());
        EXPECT_EQ(season["ratings"]["teams"].size(), run["teams"].size());
        for (const Json& d : season["ratings"]["drivers"]) {
            EXPECT_GE(d["age"].get<int>(), 18);
            EXPECT_LE(d["age"].get<int>(), 41);
        }
    }
    EXPECT_TRUE(Sim("--seasons 3 --world --seed 5 --quiet --json") == Sim("--seasons 3 --world --seed 5 --quiet --json"))
        << "a seed gives the same world";
    // Reopened without the option, the world goes on.
    Json reopened = Sim("--season " + saved + " --seasons 1 --seed 6 --quiet --json");
    ASSERT_TRUE(reopened.contains("world"));
    EXPECT_EQ(reopened["world"]["turns"].get<int>(), 4);
}
