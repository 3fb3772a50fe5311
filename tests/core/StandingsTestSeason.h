#pragma once
// A small season and a shell on the scripted platform, for the championship windows' tests.

#include <string>

#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/Shell.h"
#include "support/ScriptedPlatform.h"

namespace karven::test {

// Teams "Team01".. with colours "0001"..; drivers "Driver01".. two to a team, the rest without a seat.
inline Season StandingsSeason(int teams, int drivers) {
    Season s;
    s.Sis = {"5", "10", "20", "0"};
    s.TimCount = FormatPlain(teams);
    s.DrvCount = FormatPlain(drivers);
    for (int t = 1; t <= teams; ++t) {
        TimRecord team = NewTimRecord(t);
        team.TimNm = "Team" + Format00(t);
        team.ColorNo = Format0000(t);
        s.TimTable.push_back(team);
    }
    for (int d = 1; d <= drivers; ++d) {
        DrvRecord driver = NewDrvRecord(d);
        driver.DrvNm = "Driver" + Format00(d);
        driver.TimNo = d <= 2 * teams ? Format00((d + 1) / 2) : "";
        s.DrvTable.push_back(driver);
    }
    return s;
}

struct StandingsWorld {
    explicit StandingsWorld(Season s) : season(std::move(s)) {}
    Season season;
    ScriptedPlatform platform;
    ScriptedRandom random;
    Shell shell{season, platform, random};

    std::string Swatch(const std::string& colorNo) const {
        return platform.appPath + "img/color/" + colorNo + ".dat";
    }
    std::string Neutral() const { return platform.appPath + "cls.dat"; }
};

} // namespace karven::test
