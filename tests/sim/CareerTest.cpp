// karven-sim playing whole careers: seasons, their markets, and what they leave in the season.
#include <map>
#include <set>

#include "SimRun.h"

namespace {
// A season in ASCII, which code page 932 writes as it is: two teams of two drivers, `gps` Grands
// Prix, the first driver's career and the first team's points as given.
std::string AsciiSeason(const std::string& settings, int gps, const std::string& firstCareer = "0,0,0,0,0,0,0",
                        const std::string& firstTeamPoints = "0") {
    std::string s = "#KARVEN-FORMAT-VER2002R20#\r\n\r\n<SIS>\r\n" + settings + "\r\n<GP>\r\n";
    for (int g = 1; g <= gps; ++g) s += "0" + std::to_string(g) + ",GP" + std::to_string(g) + ",3\r\n";
    s += "<DRV>\r\n4\r\n";
    for (int d = 1; d <= 4; ++d)
        s += "0" + std::to_string(d) + ",0" + std::to_string((d + 1) / 2) + ",Driver" + std::to_string(d) +
             ",3,3,3,3," + (d == 1 ? firstCareer : "0,0,0,0,0,0,0") + std::string(17, ',') + "\r\n";
    return s + "<TIM>\r\n2\r\n01,Red,0001,3,3,3," + firstTeamPoints + "\r\n02,Blue,0002,3,3,3,0\r\n";
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

// Every season, however odd, plays --seasons to an end that says what happened.
TEST(SimCareer, ASeasonWithoutGrandsPrixEndsWithWhatWasPlayed) {
    const std::string file = WriteSeason("no-gps.krv", AsciiSeason("0,10,4,0", 0));
    SimRun json = RunSim("--season " + file + " --seasons 3 --seed 1 --json --quiet");
    ASSERT_EQ(json.code, 0) << json.err;
    EXPECT_EQ(Json::parse(json.out)["market"].size(), 1u) << "the first season is over before it begins";
    EXPECT_NE(json.err.find("ストーブリーグを開催できません。"), std::string::npos) << json.err;
    SimRun text = RunSim("--season " + file + " --seasons 3 --seed 1 --quiet");
    EXPECT_EQ(text.code, 0) << text.err;
    EXPECT_NE(text.out.find("ストーブリーグ\n"), std::string::npos);
}

TEST(SimCareer, AFractionalCountOfGrandsPrixEndsEachSeasonAtItsWholeCount) {
    const std::string file = WriteSeason("two-and-a-half.krv", AsciiSeason("2.5,10,4,0", 2));
    Json end = Sim("--season " + file + " --seasons 3 --seed 4 --json --quiet");
    EXPECT_EQ(end["market"].size(), 3u);
    EXPECT_EQ(end["races"].size(), 6u);
    EXPECT_EQ(Text(end["settings"]["GpCount"]), "2.5");
}

// Counts longer than any integer go on counting, print as text and save.
TEST(SimCareer, CountsOfAnyLengthPlayPrintAndSave) {
    const std::string e64 = "1" + std::string(64, '0'), e300 = "1" + std::string(300, '0');
    const std::string file =
        WriteSeason("long.krv", AsciiSeason("3,10,4,0", 3, e64 + ",0,0,0,0,0,999999999999995", e300));
    const std::string saved = scratch / "long-saved.krv";
    Json end = Sim("--season " + file + " --gps 3 --seed 2 --json --quiet --save " + saved);
    const Json& first = end["drivers"][0];
    EXPECT_EQ(Text(first["CareerGp"]), e64);
    // Three races give at most 30 points, written out in whole digits.
    const std::string points = Text(first["CareerPoints"]);
    EXPECT_EQ(std::to_string(std::stoll(points)), points);
    EXPECT_GE(std::stoll(points), 999999999999995LL);
    EXPECT_LE(std::stoll(points), 999999999999995LL + 30);
    EXPECT_EQ(Text(end["teams"][0]["Points"]), e300);
    EXPECT_EQ(Text(Sim("--season " + saved + " --json --quiet")["drivers"][0]["CareerGp"]), e64);
    EXPECT_EQ(RunSim("--season " + file + " --gps 3 --seed 2 --quiet").code, 0);
}

// An option given a value it cannot use is refused, rather than quietly taken for another.
TEST(SimOptions, EmptyAndOutOfRangeValuesAreRefused) {
    for (const char* args : {"--save ''", "--season ''", "--seed ''", "--seed -1", "--seed ' -1'",
                             "--seed 18446744073709551616", "--seed 99999999999999999999999", "--seed 5x"}) {
        SimRun run = RunSim(std::string(args) + " --quiet");
        EXPECT_EQ(run.code, 2) << args;
        EXPECT_NE(run.err.find(std::string(args).substr(0, 6)), std::string::npos) << args << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << args;
    }
    // The seeds it has always read still give their runs.
    EXPECT_EQ(Sim("--gps 1 --seed 18446744073709551615 --json --quiet")["races"].size(), 1u);
    EXPECT_EQ(Sim("--gps 1 --seed 0x10 --json --quiet"), Sim("--gps 1 --seed 16 --json --quiet"));
}

// The history of a career: one entry a season with its champion, standings and moves, saved with
// the season and shown the same once it is opened again; the records add it all up.
TEST(SimCareer, FiveSeasonsLeaveTheirHistoryAndRecordsWhichASaveKeeps) {
    const std::string saved = scratch / "career.krv";
    SimRun run = RunSim("--seasons 5 --seed 1 --json --quiet --save " + saved);
    ASSERT_EQ(run.code, 0) << run.err;
    Json out = Json::parse(run.out);
    const Json& history = out["history"];
    ASSERT_EQ(history.size(), 5u);
    for (size_t i = 0; i < history.size(); ++i) {
        const Json& s = history[i];
        EXPECT_EQ(s["season"], i + 1);
        EXPECT_TRUE(s["complete"]);
        ASSERT_TRUE(s["champion"].is_string());
        // The market crowns the champion: his title is the one its own section of the output names.
        EXPECT_EQ(s["champion"], out["market"][i]["champion"]) << i;
        EXPECT_EQ(s["standingsLeader"], s["drivers"][0]["DrvNm"]);
        EXPECT_EQ(s["constructorsChampion"], s["constructors"][0]["TimNm"]);
        EXPECT_EQ(s["gps"].size(), 16u);
        int wins = 0;
        for (const Json& d : s["drivers"]) wins += d["wins"].get<int>();
        EXPECT_EQ(wins, 16);
        // The standings the history keeps are the ones the season closed with.
        EXPECT_EQ(s["drivers"][0]["DrvNm"], out["seasons"][i]["drivers"][0]["DrvNm"]);
    }
    const Json& records = out["records"];
    int titles = 0, starts = 0;
    for (const Json& d : records["drivers"]) titles += d["titles"].get<int>(), starts += d["starts"].get<int>();
    EXPECT_EQ(titles, 5);
    EXPECT_EQ(starts, 5 * 16 * 26);
    EXPECT_GE(records["drivers"][0]["titles"], records["drivers"][1]["titles"]);

    SimRun reopened = RunSim("--season " + saved + " --json --quiet");
    ASSERT_EQ(reopened.code, 0) << reopened.err;
    Json again = Json::parse(reopened.out);
    EXPECT_EQ(again["history"], history);
    EXPECT_EQ(again["records"], records);
}

// Quiet, nobody reads the race's commentary and its windows are skipped as a player skips them;
// the career is the one whose every window was read, its market's notices counted as ever.
TEST(SimCareer, AQuietCareerSkipsTheCommentaryAndEndsInTheSameSeason) {
    const std::string read = scratch / "read.krv", quiet = scratch / "quiet.krv";
    const SimRun echoed = RunSim("--seasons 2 --seed 14 --world --json --save " + read);
    const SimRun skipped = RunSim("--seasons 2 --seed 14 --world --json --quiet --save " + quiet);
    ASSERT_EQ(echoed.code, 0) << echoed.err.substr(0, 400);
    ASSERT_EQ(skipped.code, 0) << skipped.err;
    EXPECT_NE(echoed.err.find("ＦＬが出ました！！"), std::string::npos) << "the commentary read out";
    EXPECT_NE(echoed.err.find("にオファーを提示しました！"), std::string::npos) << "the market's announcements too";
    EXPECT_TRUE(skipped.err.empty());
    // The same JSON, the markets' counts of announcements among it, whether they were shown or skipped.
    EXPECT_EQ(skipped.out, echoed.out);
    EXPECT_EQ(karven::test::ReadBytes(quiet), karven::test::ReadBytes(read));
}
