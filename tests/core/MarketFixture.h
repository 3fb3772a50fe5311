#pragma once
// A transfer market window on a small season, with scripted chance and a scripted platform.

#include <string>
#include <vector>

#include "StandingsTestSeason.h"
#include "offseason/FrmKarvenOff.h"

namespace karven::test {

// r that makes a percentage draw come out as p.
inline double Pct(int p) {
    return RollValue(p, 100);
}

struct MarketWorld : StandingsWorld {
    explicit MarketWorld(Season s) : StandingsWorld(std::move(s)) {}
    FrmKarvenOff form{shell};

    FrmKarvenOff& Open() {
        form.Open();
        return form;
    }
    Control& Seat(int team, int seat) { return form("lbl2", FrmKarvenOff::SeatIndex(team, seat)); }
    const OffDrvRecord& Driver(int d) const { return form.OffDrvTable.at(d); }
    const OffTimRecord& Team(int t) const { return form.OffTimTable.at(t); }
    bool Red(int team, int seat) { return Seat(team, seat).textColor == SettledColor; }
    // "name|name" of a team's two seat labels, a red one marked with *.
    std::string Seats(int team) {
        std::string s;
        for (int seat = 1; seat <= 2; ++seat)
            s += (seat > 1 ? "|" : "") + Seat(team, seat).text + (Red(team, seat) ? "*" : "");
        return s;
    }
};

} // namespace karven::test
