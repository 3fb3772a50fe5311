#include "world/Machines.h"

#include "world/Ratings.h"
#include "world/Tuning.h"

namespace karven::world {

using namespace tuning;

bool NewRegulations(const WorldState& world, Draws& draws) {
    bool chance = draws.Chance(RegulationsChance);
    return world.turns - world.lastRegulations >= RegulationsGap && chance;
}

void DevelopMachine(WorldTeam& team, const WorldState& world, int rank, int teams, bool regulations, Draws& draws) {
    // 0 for the constructors' champion, 1 for the last: the back of the field has more to find.
    const double behind = teams > 1 ? double(rank - 1) / (teams - 1) : 0.5;
    const double towards = regulations ? RegulationsTowardsField : TowardsField;
    const double spread = regulations ? RegulationsSpread : MachineSpread;
    for (int r = 0; r < rating::Teams; ++r) {
        double q = TeamQuality(r, team.ratings[r]);
        double delta = CatchUp * (behind - 0.5) + towards * (world.machineLevel[r] - q) + draws.Normal(spread);
        team.ratings[r] = TeamValue(r, Nudge(q, delta));
    }
}

} // namespace karven::world
