#include <gtest/gtest.h>

#include <map>

#include "StandingsTestSeason.h"
#include "standings/FrmKarvenSeiseki.h"
#include "standings/Seiseki.h"

using namespace karven;
using namespace karven::test;

namespace {
// Team 1: drivers 1 and 2. Team 2: driver 3 alone. Team 3: drivers 4, 5 and 6 (only two seats shown).
void SeatedSeason(Season& s) {
    s.DrvTable[1].Result[1] = "1";
    s.DrvTable[1].Result[2] = "0";
    s.DrvTable[2].Result[1] = "9";
    s.DrvTable[2].Result[2] = "12";
    s.DrvTable[3].Result[6] = "2"; // beyond a five-race calendar
    for (int d : {3, 4, 5, 6}) s.DrvTable[d].TimNo = d == 3 ? "02" : "03";
    s.DrvTable[6].Result[1] = "1";
}
} // namespace

TEST(SeisekiCell, PlacesRetirementsAndOthers) {
    const char* circled[] = {"①", "②", "③", "④", "⑤", "⑥", "⑦", "⑧"};
    for (int p = 1; p <= 8; ++p) EXPECT_EQ(SeisekiCell(std::to_string(p)), circled[p - 1]);
    EXPECT_EQ(SeisekiCell(""), "");
    EXPECT_EQ(SeisekiCell("0"), "R");
    EXPECT_EQ(SeisekiCell("9"), "9");
    EXPECT_EQ(SeisekiCell("12"), "12");
}

TEST(SeisekiWindow, ShowsHeadingsCellsAndPointsOfTheTeamsThatExist) {
    StandingsWorld w(StandingsSeason(3, 6));
    SeatedSeason(w.season);
    std::map<std::string, std::string> seen;
    w.platform.script.push_back([&](Form& f) {
        for (const Control& c : f.Controls())
            if (c.kind == ControlKind::Label || c.kind == ControlKind::Picture)
                seen[c.Key()] = c.kind == ControlKind::Picture ? c.picture : c.text;
        f.Click("cmdOK");
    });

    ShowSeiseki(w.shell);

    ASSERT_EQ(w.platform.shown.size(), 1u);
    EXPECT_EQ(w.platform.shown[0].caption, "成績表");
    for (int g = 1; g <= 17; ++g)
        EXPECT_EQ(seen["lblT6(" + std::to_string(g - 1) + ")"], g <= 5 ? std::to_string(g) : "");
    EXPECT_EQ(seen["lblT6(19)"], "PIN");
    EXPECT_EQ(seen["lbl3(2)"], "Team02");
    EXPECT_EQ(seen["imgCo(3)"], w.Swatch("0003"));
    EXPECT_EQ(seen["lbl3(4)"], "");
    EXPECT_EQ(seen["imgCo(4)"], "");
    EXPECT_EQ(seen["lbl2(1)"], "Driver01");
    EXPECT_EQ(seen["lbl2(4)"], "") << "a team with a single driver";
    EXPECT_EQ(seen["lbl2(5)"], "Driver04");
    EXPECT_EQ(seen["lbl2(6)"], "Driver05") << "a third driver is not shown";
    EXPECT_EQ(seen["lbl6(1)"], "①");  // GP 1, row 1
    EXPECT_EQ(seen["lbl6(33)"], "R"); // GP 2, row 1
    EXPECT_EQ(seen["lbl6(34)"], "12");
    EXPECT_EQ(seen["lbl6(163)"], "②") << "GP 6, row 3: filled though past the calendar";
    EXPECT_EQ(seen["lbl6(545)"], "10");
    EXPECT_EQ(seen["lbl6(546)"], "") << "no points is empty, not 0";
    EXPECT_EQ(seen["lbl6(547)"], "8");
    EXPECT_EQ(seen["lbl6(550)"], "");
    EXPECT_EQ(seen["lbl2(7)"], "");
}

TEST(SeisekiWindow, LaysOutEveryControlInsideACompactWindow) {
    StandingsWorld w(StandingsSeason(16, 32));
    FrmKarvenSeiseki form(w.shell);
    EXPECT_LE(form.geometry.width, 1000);
    EXPECT_LE(form.geometry.height, 720);
    for (const Control& c : form.Controls()) {
        EXPECT_GE(c.rect.left, 0) << c.Key();
        EXPECT_GE(c.rect.top, 0) << c.Key();
        EXPECT_LE(c.rect.left + c.rect.width, form.geometry.width) << c.Key();
        EXPECT_LE(c.rect.top + c.rect.height, form.geometry.height) << c.Key();
    }
    // Each team's name spans its two driver rows.
    EXPECT_EQ(form("lbl3", 5).rect.top, form("lbl2", 9).rect.top);
    const Rect& team = form("lbl3", 5).rect;
    const Rect& second = form("lbl2", 10).rect;
    EXPECT_EQ(team.top + team.height, second.top + second.height);
    EXPECT_EQ(form("lbl6", 544 + 32).rect.top, form("lbl6", 16 * 32 + 32).rect.top);
    EXPECT_EQ(form.defaultButton, "cmdOK");
    EXPECT_EQ(form.cancelButton, "cmdOK");
}
