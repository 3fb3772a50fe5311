#pragma once
// A season for the editors' tests: the championship test season with a calendar, and a game on
// the scripted platform around it.

#include "StandingsTestSeason.h"
#include "app/Game.h"
#include "editors/GpSet.h"

namespace karven::test {

// Grands Prix "GP01".. with course types 1..5 in turn.
inline Season EditorSeason(int gps, int teams = 3, int drivers = 8) {
    Season s = StandingsSeason(teams, drivers);
    s.Sis.GpCount = FormatPlain(gps);
    for (int g = 1; g <= gps; ++g)
        s.GpTable.push_back({Format00(g), "GP" + Format00(g), FormatPlain(1 + (g - 1) % 5)});
    return s;
}

struct EditorWorld {
    explicit EditorWorld(Season s) { game.season = std::move(s); }
    ScriptedPlatform platform;
    ScriptedRandom random;
    Game game{platform, random};
    Season& season = game.season;
    Shell& shell = game.shell;
};

// The calendar editor opened on its own, as its OK would leave it for the settings window.
struct Calendar {
    explicit Calendar(EditorWorld& w, FrmKarvenSisSet* settings = nullptr) : form(w.shell, settings) {
        form.Open();
    }
    FrmKarvenGpSet form;

    std::vector<std::string>& Items() { return form("lstGp").items; }
    void Pick(int position) {
        form("lstGp").listIndex = position;
        form.Click("lstGp");
    }
    // Types into the name box as the player would, then leaves it.
    void Rename(const std::string& typed) {
        Control& name = form("txtGp");
        name.text = typed;
        name.onChange();
        name.onLostFocus();
    }
    std::string Course(int position) { return form.GpEditTable[position + 1].CourseType; }
};

} // namespace karven::test
