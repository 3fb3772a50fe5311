#pragma once
// Who can still take each title, exactly: for every driver and team, over every classification the
// coming Grands Prix can give, whether he is champion already, can still finish first (with one
// such completion as the proof) or cannot (with who is out of reach and by how much); for the
// leader the points that clinch it whatever the others do.

#include <string>
#include <vector>

#include "standings/TitleField.h"

namespace karven {

struct Season;

enum class TitleStatus { Champion, Contender, Eliminated };

// One Grand Prix of a completion: who finishes where.
struct WitnessRace {
    int gp = 0;
    std::vector<int> order; // DrvTable positions, first place first, as far as the places score
    int retiredFrom = 0;    // the place from which every car has retired, 0 for none
};

struct TitleChance {
    int unit = 0; // DrvTable or TimTable position
    std::string No, Nm;
    double points = 0; // what he has, the fixed results included
    TitleStatus status = TitleStatus::Eliminated;
    int magicNumber = -1; // the leader's points that clinch the title; -1 for anyone else
    std::vector<WitnessRace> witness; // a contender's completion
    std::vector<int> outOfReach;      // an eliminated one's: the rivals who stay ahead
    double shortBy = 0;               // and by how many points at the least
    std::string text;                 // witness or reason, in the language of the day
    bool exact = true;                // false only if the search gave up
};

struct TitleRace {
    Title title = Title::Drivers;
    int leader = 0;                   // the unit first today, 0 before anyone scored
    std::vector<TitleChance> entries; // in table order
};

TitleRace JudgeTitle(const Season& season, Title title, const std::vector<FixedResult>& fixed = {});

} // namespace karven
