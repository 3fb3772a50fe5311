#pragma once
// The leader against one rival, race by race: for every number of points the leader may still
// take, the most the rival can take beside them. Decides whether the title is won already and how
// many points win it whatever the others do.

#include <cstdint>
#include <vector>

namespace karven {

struct TitleField;

// [a] the most the rival can take while the leader takes exactly a more points, -1 where the leader
// cannot take exactly a. Rival 0: nobody, for what the leader alone can take.
std::vector<int64_t> RivalBeside(const TitleField& field, int leader, int rival);

// Whether `rival` finishes ahead of `leader` with these totals (equal: the earlier in the table).
bool FinishesAhead(const TitleField& field, int rival, double rivalTotal, int leader, double leaderTotal);

} // namespace karven
