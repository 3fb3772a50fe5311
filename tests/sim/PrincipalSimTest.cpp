// karven-sim --manage: whole careers in charge of a team played by a fixed policy, to an honest
// end, told in the JSON and kept in the season file.
#include "SimRun.h"

TEST(SimPrincipal, A50SeasonCareerRunsToItsEndJudgedEverySeason) {
    const std::string saved = scratch / "principal.krv";
    Json run = Sim("--seasons 50 --manage 05 --world --seed 9 --quiet --json --save " + saved);
    ASSERT_TRUE(run.contains("principal"));
    const Json& p = run["principal"];
    ASSERT_EQ(p["seasons"].size(), 50u) << "every season judged, a dismissed principal taking the team again";
    ASSERT_TRUE(run.contains("management"));
    const Json& books = run["management"]["seasons"];
    ASSERT_EQ(books.size(), 50u) << "the money of every season in charge";
    int dismissals = 0, missedInARow = 0;
    for (size_t i = 0; i < p["seasons"].size(); ++i) {
        const Json& s = p["seasons"][i];
        EXPECT_GE(s["target"].get<int>(), 1);
        EXPECT_TRUE(s["points"].is_number());
        const std::string verdict = s["verdict"];
        if (books[i]["end"].get<double>() < 0) EXPECT_EQ(verdict, "missed") << "a season ended in debt misses";
        missedInARow = verdict == "missed" ? missedInARow + 1 : 0;
        EXPECT_EQ(s["dismissed"].get<bool>(), missedInARow == 3 || books[i]["bankrupt"].get<bool>())
            << "the third miss in a row or bankruptcy, and only they";
        if (s["dismissed"].get<bool>()) {
            ++dismissals;
            missedInARow = 0;
        }
    }
    EXPECT_EQ(run["history"].size(), 50u);
    // Read back, the record is the same one.
    Json again = Sim("--season " + saved + " --gps 0 --quiet --json");
    EXPECT_EQ(again["principal"], p);
}

// With the money a team in charge plays a game of its own, in the living world: every policy
// reproducible for a seed, every team's books in the JSON; without --manage nothing of it.
TEST(SimPrincipal, ThePoliciesAreReproducibleAndTheBooksAreEveryTeams) {
    for (const char* policy : {"sensible", "rules", "reckless"}) {
        const std::string args = std::string("--seasons 3 --manage 02 --manage-policy ") + policy + " --seed 12 --quiet --json";
        Json run = Sim(args);
        ASSERT_TRUE(run.contains("principal") && run.contains("management") && run.contains("world")) << policy;
        ASSERT_EQ(run["books"].size(), 3u) << policy;
        for (const Json& season : run["books"]) EXPECT_EQ(season["teams"].size(), 16u) << policy;
        EXPECT_EQ(run["management"]["teams"].size(), 16u);
        EXPECT_TRUE(run == Sim(args)) << policy;
    }
    Json off = Sim("--seasons 3 --seed 12 --quiet --json");
    EXPECT_FALSE(off.contains("principal") || off.contains("management") || off.contains("books"));
    SimRun bad = RunSim("--gps 1 --manage 99 --quiet");
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("--manage"), std::string::npos);
}

// --manage reads its number as the game reads numbers ("3" is team "03"), and on a season that
// already has a principal it hands the season to the team asked for and says so; a number that
// names no team is refused, principal or not.
TEST(SimPrincipal, ManageFindsItsTeamByNumberAndTakesOverASeasonRunByAnother) {
    Json three = Sim("--gps 0 --manage 3 --quiet --json");
    ASSERT_TRUE(three.contains("principal"));
    EXPECT_EQ(three["principal"]["TimNo"], "03");

    const std::string run = scratch / "run-by-02.krv";
    Sim("--gps 1 --manage 02 --seed 3 --quiet --json --save " + run);
    SimRun other = RunSim("--season " + run + " --gps 1 --manage 5 --seed 3 --quiet --json");
    ASSERT_EQ(other.code, 0) << other.err;
    EXPECT_EQ(Json::parse(other.out)["principal"]["TimNo"], "05");
    EXPECT_NE(other.err.find("--manage: the principal leaves team 02"), std::string::npos) << other.err;

    for (const char* number : {"99", "17", "0", "NaN"}) {
        SimRun bad = RunSim(std::string("--season ") + run + " --gps 0 --manage " + number + " --quiet");
        EXPECT_EQ(bad.code, 2) << number;
        EXPECT_NE(bad.err.find("--manage: the season has no team"), std::string::npos) << number << bad.err;
    }
}
