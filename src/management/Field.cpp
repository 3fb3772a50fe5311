#include "management/Field.h"

#include "management/Management.h"
#include "standings/Rankings.h"

namespace karven::management {

namespace {
// A damaged file may hold any number; bounded, the sums below cannot overflow.
int Rating(const std::string& text) { return std::clamp(ReadCount(text), -99, 99); }

int MachineStrength(const TimRecord& t) { return (6 - Rating(t.Speed)) + (6 - Rating(t.Aero)) + Rating(t.Stability); }
int DriverStrength(const DrvRecord& d) {
    return (5 - Rating(d.Technique)) + Rating(d.Roughness) + Rating(d.Block) + Rating(d.Stability);
}

int Strength(const Season& season, int team) {
    std::vector<int> drivers;
    for (int d : DriversOf(season, team)) drivers.push_back(DriverStrength(season.DrvTable[size_t(d)]));
    std::sort(drivers.rbegin(), drivers.rend());
    int sum = 2 * MachineStrength(season.TimTable[size_t(team)]);
    for (size_t i = 0; i < drivers.size() && i < 2; ++i) sum += drivers[i];
    return sum;
}
} // namespace

int TeamInCharge(const Season& season) {
    const std::string& no = season.history.principal.TimNo;
    if (no.empty()) return 0;
    for (int t = 1; t <= Teams(season); ++t)
        if (season.TimTable[size_t(t)].TimNo == no) return t;
    return 0;
}

std::vector<int> DriversOf(const Season& season, int team) {
    std::vector<int> drivers;
    const std::string& no = season.TimTable[size_t(team)].TimNo;
    for (size_t d = 1; d < season.DrvTable.size(); ++d)
        if (!no.empty() && season.DrvTable[d].TimNo == no) drivers.push_back(int(d));
    return drivers;
}

int PaperPlace(const Season& season, int team) {
    const int mine = Strength(season, team);
    int place = 1;
    for (int t = 1; t <= Teams(season); ++t) {
        int other = Strength(season, t);
        if (other > mine || (other == mine && t < team)) ++place;
    }
    return place;
}

std::vector<int> StandingPlaces(const Season& season) {
    std::vector<int> places(size_t(Teams(season)) + 1, 0);
    int place = 0;
    for (const TeamStanding& s : TeamStandings(season))
        for (int t = 1; t <= Teams(season); ++t)
            if (places[size_t(t)] == 0 && season.TimTable[size_t(t)].TimNo == s.TimNo && season.TimTable[size_t(t)].TimNm == s.TimNm) {
                places[size_t(t)] = ++place;
                break;
            }
    for (int t = 1; t <= Teams(season); ++t)
        if (places[size_t(t)] == 0) places[size_t(t)] = ++place;
    return places;
}

} // namespace karven::management
