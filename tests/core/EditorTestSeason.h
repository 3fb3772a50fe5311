#pragma once
// A season for the editors' tests: the championship test season with a calendar, and a game on
// the scripted platform around it.

#include "StandingsTestSeason.h"
#include "app/Game.h"
#include "editors/DrvSet.h"
#include "editors/GpSet.h"
#include "editors/TimSet.h"

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

// Types into a text box or drop-down as the player would: in, the text, out.
inline void TypeInto(Control& box, const std::string& typed) {
    if (box.onGotFocus) box.onGotFocus();
    box.text = typed;
    if (box.onChange) box.onChange();
    if (box.onLostFocus) box.onLostFocus();
}

// An editor opened on its own, with its list at hand.
template <class F> struct Editor {
    Editor(EditorWorld& w, const char* list) : form(w.shell), list(list) { form.Open(); }
    F form;
    const char* list;

    std::vector<std::string>& Items() { return form(list).items; }
    void Pick(int line) {
        form(list).listIndex = line;
        form.Click(list);
    }
};

struct TeamEditor : Editor<FrmKarvenTimSet> {
    explicit TeamEditor(EditorWorld& w) : Editor(w, "lstTim") {}
    std::string Seats() { return form("cboDrv", 1).text + "|" + form("cboDrv", 2).text; }
    std::string& Seat(int driver) { return form.DrvEditTable[driver].TimNo; }
};

struct DriverEditor : Editor<FrmKarvenDrvSet> {
    explicit DriverEditor(EditorWorld& w) : Editor(w, "lstDrv") {}
    std::string Letters() {
        return form("lblTc").text + form("lblAg").text + form("lblBr").text + form("lblAn").text;
    }
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
    void Rename(const std::string& typed) { TypeInto(form("txtGp"), typed); }
    std::string Course(int position) { return form.GpEditTable[position + 1].CourseType; }
};

} // namespace karven::test
