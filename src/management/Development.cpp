#include "management/Parts.h"
#include "management/Tuning.h"
#include "world/Draws.h"
#include "world/Ratings.h"

namespace karven::management {

using namespace tuning;

namespace {
// The fields of the rules' machine ratings, in the programmes' order.
std::string& Field(TimRecord& t, int r) { return r == rating::Speed ? t.Speed : r == rating::Aero ? t.Aero : t.Stability; }

// Which way is better on a machine rating's scale: lower for speed and aero.
int Better(int r) { return r == rating::TeamStability ? 1 : -1; }

// The machine's quality moved by progress, where the world keeps it.
void Move(WorldTeam& machine, int r, double gain) {
    double q = world::TeamQuality(r, machine.ratings[size_t(r)]);
    machine.ratings[size_t(r)] = world::TeamValue(r, std::clamp(world::Nudge(q, gain), 0.01, 0.99));
}

// The field's mean progress of a programme this season.
double FieldMean(const ManagementState& m, int r, int teams) {
    double sum = 0;
    for (int t = 1; t <= teams; ++t) sum += m.teams[size_t(t)].season[size_t(r)];
    return sum / teams;
}
} // namespace

std::vector<WorldTeam*> Machines(Season& season) {
    WorldState& w = season.history.world;
    std::vector<WorldTeam*> machines(season.TimTable.size(), nullptr);
    if (!w.enabled) return machines;
    const std::vector<size_t> at = WorldTeamIndex(w, season);
    for (size_t t = 1; t < machines.size() && t < at.size(); ++t)
        if (at[t]) machines[t] = &w.teams[at[t]];
    return machines;
}

void RunProgrammes(Season& season, int team, int gp, int place, WorldTeam* machine) {
    ManagedTeam& books = season.history.management.teams[size_t(team)];
    world::Draws draws(season.history.world, world::Purpose::Programmes, uint64_t(gp) * 1000 + uint64_t(team));
    // The front of the field has less left to find than the back: no lead lasts for ever.
    const double finds = ByPlace(FrontFinds, BackFinds, place, Teams(season));
    for (int r = 0; r < Programmes; ++r) {
        // Drawn whatever is spent, so that one team's choice moves no other's chance.
        const bool found = draws.Chance(Success);
        const double size = draws.Between(0.5, 1.5);
        const int delay = draws.WholeBetween(ShortestDelay, LongestDelay);
        const Money spend = books.spend[size_t(r)];
        if (spend <= 0 || books.cash - spend < -ToMoney(Credit)) continue; // the money has run out: no development
        books.cash -= spend;
        if (found) books.pending.push_back({r, Gain * finds * std::sqrt(Units(spend)) * size, gp + delay});
    }
    // What is due shows in the machine.
    std::erase_if(books.pending, [&](const Pending& p) {
        if (p.due > gp) return false;
        if (machine) Move(*machine, p.rating, p.gain);
        books.season[size_t(p.rating)] += p.gain;
        return true;
    });
}

void ShowProgress(Season& season, int) {
    ManagementState& m = season.history.management;
    const std::vector<WorldTeam*> machines = Machines(season);
    const int teams = Teams(season);
    if (teams == 0) return;
    for (int r = 0; r < Programmes; ++r) {
        const double mean = FieldMean(m, r, teams);
        for (int t = 1; t <= teams; ++t) {
            ManagedTeam& books = m.teams[size_t(t)];
            const int wanted = std::clamp(int(std::floor((books.season[size_t(r)] - mean) / Step)), -MostSteps, MostSteps);
            TimRecord& record = season.TimTable[size_t(t)];
            std::string& field = Field(record, r);
            const int now = int(world::TeamRatingOf(r, field));
            const int start = now - Better(r) * books.steps[size_t(r)];
            const int next = std::clamp(start + Better(r) * wanted, 1, 5);
            books.steps[size_t(r)] = Better(r) * (next - start); // as far as the scale goes
            if (next == now) continue;
            field = FormatPlain(next);
            // The world keeps the whole rating it last gave: this one is its own, not an editor's.
            if (WorldTeam* machine = machines[size_t(t)]) machine->whole[size_t(r)] = next;
        }
    }
}

void BeforeRanking(Season& season, bool regulations) {
    if (!Running(season)) return;
    Follow(season);
    ManagementState& m = season.history.management;
    const std::vector<WorldTeam*> machines = Machines(season);
    const int teams = Teams(season);
    if (teams == 0) return;
    for (int r = 0; r < Programmes; ++r) {
        const double mean = FieldMean(m, r, teams);
        for (int t = 1; t <= teams; ++t) {
            ManagedTeam& books = m.teams[size_t(t)];
            // The field moved on by its mean: a team's progress counts beyond it.
            double lead = books.season[size_t(r)] - mean;
            double undo = -mean;
            books.progress[size_t(r)] += lead;
            if (regulations) {
                undo -= RegulationsUndo * books.progress[size_t(r)];
                books.progress[size_t(r)] *= 1 - RegulationsUndo;
            }
            if (WorldTeam* machine = machines[size_t(t)]) {
                double q = world::TeamQuality(r, machine->ratings[size_t(r)]) + undo;
                machine->ratings[size_t(r)] = world::TeamValue(r, std::clamp(q, 0.01, 0.99));
            }
        }
    }
}

} // namespace karven::management
