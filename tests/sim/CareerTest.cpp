// karven-sim playing whole careers: seasons, their markets, and what they leave in the season.
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sys/wait.h>

using Json = nlohmann::ordered_json;

namespace {
// Runs karven-sim with `args` and parses what it prints; fails the test on a bad exit.
Json Sim(const std::string& args) {
    std::string command = std::string(KARVEN_SIM) + " " + args;
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[65536];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    return Json::parse(out);
}

std::string Text(const Json& value) {
    return value.get<std::string>();
}
} // namespace

TEST(SimCareer, FiveSeasonsEachEndWithAMarketThatSeatsAtMostTwoAndCrownsOne) {
    Json start = Sim("--json --quiet");
    Json end = Sim("--seasons 5 --seed 1 --json --quiet");
    ASSERT_EQ(end["market"].size(), 5u);
    ASSERT_EQ(end["seasons"].size(), 5u);
    ASSERT_EQ(end["races"].size(), 5u * start["gps"].size());
    EXPECT_EQ(end["races"].back()["season"], 5);
    EXPECT_EQ(Text(end["settings"]["EndGp"]), "0");

    std::set<std::string> everyone;
    for (const Json& d : start["drivers"]) everyone.insert(Text(d["DrvNm"]));
    std::map<std::string, int> titles;
    for (const Json& market : end["market"]) {
        ASSERT_FALSE(market["champion"].is_null());
        ++titles[Text(market["champion"])];
        EXPECT_GT(market["announcements"].get<int>(), 0);
        std::multiset<std::string> placed;
        for (const Json& team : market["teams"]) {
            EXPECT_LE(team["drivers"].size(), 2u) << Text(team["TimNm"]);
            for (const Json& d : team["drivers"]) placed.insert(Text(d));
        }
        for (const Json& d : market["unseated"]) placed.insert(Text(d));
        EXPECT_EQ(placed, std::multiset<std::string>(everyone.begin(), everyone.end()));
    }

    for (size_t i = 0; i < end["drivers"].size(); ++i) {
        const Json& before = start["drivers"][i];
        const Json& after = end["drivers"][i];
        int won = std::stoi(Text(after["CareerWc"])) - std::stoi(Text(before["CareerWc"]));
        EXPECT_EQ(won, titles[Text(after["DrvNm"])]) << Text(after["DrvNm"]);
        EXPECT_EQ(after["Result"], Json(std::vector<std::string>(17, ""))) << "the next season has not begun";
    }
    // The line-up the last market settled is the season's.
    const Json& last = end["market"].back();
    for (size_t t = 0; t < last["teams"].size(); ++t) {
        std::vector<std::string> drivers;
        for (const Json& d : end["drivers"])
            if (d["TimNo"] == last["teams"][t]["TimNo"]) drivers.push_back(Text(d["DrvNm"]));
        EXPECT_EQ(Json(drivers), last["teams"][t]["drivers"]);
    }
}

TEST(SimCareer, OneSeasonPlaysTheSameGrandsPrixAsAllGrandsPrix) {
    Json season = Sim("--seasons 1 --seed 7 --json --quiet");
    Json gps = Sim("--gps all --seed 7 --json --quiet");
    EXPECT_EQ(season["races"], gps["races"]);
    EXPECT_EQ(season["seasons"][0], gps["standings"]);
    EXPECT_TRUE(gps["market"].empty());
}

TEST(SimCareer, TheMarketRunsOnlyOnceTheSeasonIsOver) {
    EXPECT_TRUE(Sim("--gps 3 --market --seed 2 --json --quiet")["market"].empty());
    Json over = Sim("--gps all --market --seed 2 --json --quiet");
    ASSERT_EQ(over["market"].size(), 1u);
    EXPECT_EQ(over["seasons"].size(), 1u);
}
