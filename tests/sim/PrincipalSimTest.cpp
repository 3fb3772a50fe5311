// karven-sim --manage: whole careers in charge of a team played by a fixed policy, to an honest
// end, told in the JSON and kept in the season file.
#include "SimRun.h"

TEST(SimPrincipal, A50SeasonCareerRunsToItsEndJudgedEverySeason) {
    const std::string saved = scratch / "principal.krv";
    Json run = Sim("--seasons 50 --manage 05 --world --seed 9 --quiet --json --save " + saved);
    ASSERT_TRUE(run.contains("principal"));
    const Json& p = run["principal"];
    ASSERT_EQ(p["seasons"].size(), 50u) << "every season judged, a dismissed principal taking the team again";
    int dismissals = 0, missedInARow = 0;
    for (const Json& s : p["seasons"]) {
        EXPECT_GE(s["target"].get<int>(), 1);
        EXPECT_TRUE(s["points"].is_number());
        const std::string verdict = s["verdict"];
        missedInARow = verdict == "missed" ? missedInARow + 1 : 0;
        EXPECT_EQ(s["dismissed"].get<bool>(), missedInARow == 3) << "the third miss in a row, and only it";
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

TEST(SimPrincipal, ThePoliciesAreReproducibleAndTheRulesPolicyPlaysTheRulesSeason) {
    Json rules = Sim("--seasons 3 --manage 02 --manage-policy rules --seed 12 --quiet --json");
    Json off = Sim("--seasons 3 --seed 12 --quiet --json");
    ASSERT_TRUE(rules.contains("principal"));
    EXPECT_FALSE(off.contains("principal"));
    rules.erase("principal");
    EXPECT_TRUE(rules == off) << "answering every call as the rolls do plays the rules' career";
    EXPECT_TRUE(Sim("--seasons 3 --manage 02 --seed 12 --quiet --json") == Sim("--seasons 3 --manage 02 --seed 12 --quiet --json"));
    SimRun bad = RunSim("--gps 1 --manage 99 --quiet");
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("--manage"), std::string::npos);
}
