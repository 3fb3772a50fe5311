#include <gtest/gtest.h>

#include <map>

#include "StandingsTestSeason.h"
#include "standings/DrvSei.h"

using namespace karven;
using namespace karven::test;

namespace {
// Opens the window on `number`, presses the buttons in turn and notes the driver shown after each.
std::vector<std::string> Page(StandingsWorld& w, const std::string& number, std::vector<const char*> presses,
                              std::vector<std::string>* numbers = nullptr) {
    std::vector<std::string> names;
    w.platform.script.push_back([&](Form& f) {
        auto& form = dynamic_cast<FrmKarvenDrvSei&>(f);
        names.push_back(form("lblNm").text);
        for (const char* button : presses) {
            form.Click(button);
            names.push_back(form("lblNm").text);
            if (numbers) numbers->push_back(form.SeiDrvNo);
        }
        form.Click("cmdOK");
    });
    ShowDrvSei(w.shell, number);
    return names;
}
} // namespace

TEST(DrvSei, PagesBothWaysWithWrapAround) {
    StandingsWorld w(StandingsSeason(5, 10));
    std::vector<std::string> numbers;
    EXPECT_EQ(Page(w, "7", {"cmdUp", "cmdDn", "cmdDn"}, &numbers),
              (std::vector<std::string>{"Driver07", "Driver06", "Driver07", "Driver08"}));
    EXPECT_EQ(numbers, (std::vector<std::string>{"06", "07", "08"}));

    EXPECT_EQ(Page(w, "01", {"cmdUp", "cmdDn"}),
              (std::vector<std::string>{"Driver01", "Driver10", "Driver01"}));
}

TEST(DrvSei, OneDriverShowsHimselfEitherWay) {
    StandingsWorld w(StandingsSeason(1, 1));
    EXPECT_EQ(Page(w, "01", {"cmdUp", "cmdDn"}),
              (std::vector<std::string>{"Driver01", "Driver01", "Driver01"}));
}

TEST(DrvSei, ShowsCareerAsStoredAndPlacesItselfTopRight) {
    StandingsWorld w(StandingsSeason(1, 2));
    DrvRecord& d = w.season.DrvTable[2];
    d.CareerGp = "33";
    d.CareerWc = d.CareerBest = "1";
    d.CareerWins = "4";
    d.CareerPp = "02";
    d.CareerFl = "5";
    d.CareerPoints = "101";
    w.shell.main.geometry = {100, 50, 952, 700};
    std::vector<std::string> seen;
    Rect placed;
    auto note = [&](Form& f) {
        for (const char* name : {"lblGp", "lblWc", "lblYu", "lblSa", "lblPp", "lblFl", "lblPo"})
            seen.push_back(f(name).text);
    };
    w.platform.script.push_back([&](Form& f) {
        note(f);
        f.Click("cmdUp");
        note(f);
        placed = f.geometry;
        f.Click("cmdOK");
    });

    ShowDrvSei(w.shell, "2");

    EXPECT_EQ(w.platform.shown.at(0).caption, "ドライバー実績");
    // Driver 2, then driver 1, whose CareerBest "0" means no best place yet.
    EXPECT_EQ(seen, (std::vector<std::string>{"33", "1", "4", "1", "02", "5", "101", //
                                               "0", "0", "0", "", "0", "0", "0"}));
    EXPECT_EQ(placed.top, 50);
    EXPECT_EQ(placed.left + placed.width, 100 + 952);
}

TEST(DrvSei, NumbersOutsideTheTableShowTheNearestDriver) {
    StandingsWorld w(StandingsSeason(5, 10));
    EXPECT_EQ(Page(w, "15", {"cmdDn"}), (std::vector<std::string>{"Driver10", "Driver01"}));
    EXPECT_EQ(Page(w, "0", {"cmdUp"}), (std::vector<std::string>{"Driver01", "Driver10"}));
    EXPECT_EQ(Page(w, "", {}), (std::vector<std::string>{"Driver01"}));

    w.season.DrvCount = "12"; // more than the table holds
    EXPECT_EQ(Page(w, "12", {"cmdDn"}), (std::vector<std::string>{"Driver10", "Driver01"}));

    StandingsWorld empty(StandingsSeason(2, 0));
    ShowDrvSei(empty.shell, "01");
    EXPECT_TRUE(empty.platform.shown.empty());
}
