// karven-sim's lap records: each race's grid, laps, stops and retirements, and the season's records
// of its races, those of a reopened file included.
#include <algorithm>
#include <set>

#include "SimRun.h"

namespace {
std::vector<std::string> Texts(const Json& array) {
    std::vector<std::string> texts;
    for (const Json& v : array) texts.push_back(v.get<std::string>());
    return texts;
}
} // namespace

TEST(SimRaceRecords, EachRaceTellsItsGridLapsStopsAndRetirements) {
    Json run = Sim("--gps 3 --seed 1 --json --quiet");
    const size_t laps = std::stoul(run["settings"]["SyuCount"].get<std::string>());
    ASSERT_EQ(run["races"].size(), 3u);
    ASSERT_EQ(run["raceRecords"].size(), 3u);
    int stops = 0;
    for (size_t r = 0; r < 3; ++r) {
        const Json& race = run["races"][r];
        SCOPED_TRACE(r + 1);
        std::vector<std::string> grid = Texts(race["grid"]), result;
        for (const Json& car : race["result"]) result.push_back(car["DrvNo"].get<std::string>());
        ASSERT_EQ(grid.size(), result.size());
        std::vector<std::string> qualified;
        for (size_t k = 0; k < grid.size(); ++k) qualified.push_back(race["qualifying"][k]["DrvNo"].get<std::string>());
        EXPECT_EQ(grid, qualified) << "the grid is the qualifying order";
        ASSERT_EQ(race["laps"].size(), laps);
        for (size_t L = 0; L < laps; ++L) {
            const Json& lap = race["laps"][L];
            EXPECT_EQ(lap["lap"], L + 1);
            EXPECT_TRUE(std::is_permutation(lap["order"].begin(), lap["order"].end(), race["grid"].begin(), race["grid"].end()));
            EXPECT_EQ(lap["Time"].size(), grid.size());
            EXPECT_GE(lap["weather"].get<int>(), 1);
            EXPECT_LE(lap["weather"].get<int>(), 3);
        }
        // The last lap is the board at the flag: the result, Time for Time.
        const Json& last = race["laps"].back();
        EXPECT_EQ(Texts(last["order"]), result);
        for (size_t k = 0; k < result.size(); ++k) EXPECT_EQ(last["Time"][k], race["result"][k]["Time"]) << k + 1;
        std::set<std::string> retired;
        for (const Json& car : race["result"])
            if (car["Retired"] == "1") retired.insert(car["DrvNo"].get<std::string>());
        std::set<std::string> told;
        for (const Json& x : race["retirements"]) told.insert(x["DrvNo"].get<std::string>());
        EXPECT_EQ(told, retired);
        int penalties = 0;
        for (const Json& stop : race["stops"]) {
            EXPECT_TRUE(stop["kind"] == "pit" || stop["kind"] == "penalty");
            penalties += stop["kind"] == "penalty";
            EXPECT_GE(stop["lap"].get<int>(), 1);
        }
        EXPECT_EQ(penalties, race["penalties"].get<int>());
        stops += int(race["stops"].size());
        const Json& record = run["raceRecords"][r];
        EXPECT_EQ(record["gp"], race["gp"]);
        EXPECT_EQ(record["GpNm"], race["GpNm"]);
        for (const char* member : {"grid", "laps", "stops", "retirements"}) EXPECT_EQ(record[member], race[member]) << member;
    }
    EXPECT_GT(stops, 0);
}

TEST(SimRaceRecords, AReopenedSeasonShowsItsEarlierRaces) {
    const std::string saved = scratch / "three-races.krv";
    Json played = Sim("--gps 3 --seed 9 --json --quiet --save " + saved);
    Json reopened = Sim("--season " + saved + " --json --quiet");
    EXPECT_TRUE(reopened["races"].empty());
    EXPECT_EQ(reopened["raceRecords"], played["raceRecords"]);
    Json goneOn = Sim("--season " + saved + " --gps 1 --seed 2 --json --quiet");
    ASSERT_EQ(goneOn["raceRecords"].size(), 4u);
    for (size_t r = 0; r < 3; ++r) EXPECT_EQ(goneOn["raceRecords"][r], played["raceRecords"][r]);
    EXPECT_EQ(goneOn["raceRecords"][3]["gp"], 4);
    // A closed season's laps go with it.
    EXPECT_TRUE(Sim("--seasons 1 --seed 3 --json --quiet")["raceRecords"].empty());
}
