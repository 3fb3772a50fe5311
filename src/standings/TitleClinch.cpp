#include "standings/TitleClinch.h"

#include <algorithm>
#include <map>

#include "standings/TitleField.h"

namespace karven {

namespace {
// The pairs (leader's points, rival's points) one race can give: each scoring place goes to a car
// of the leader, of the rival or of somebody else; where retirements happen a car of the two may
// also sit there retired, scoring nothing, with every car behind it retired too. Cars of the two
// left over take a place that scores nothing: behind the points or outside the grid, as far as
// the grids qualifying can give allow.
class RaceOptions {
public:
    RaceOptions(const TitleField& f, const RaceAhead& race, int leader, int rival)
        : open_(race.open), retire_(f.retire), zero_(f.ZeroPlaces(race)) {
        std::vector<char> fixedCar(size_t(f.Cars()), 0);
        for (int car : race.fixedCars) fixedCar[size_t(car)] = 1;
        const int free = f.grid - int(race.fixedCars.size());
        // Each set of grids, and in it every count of the two's cars on the grid it allows.
        for (const GridSet& set : race.grids) {
            int must[3] = {0, 0, 0}, can[3] = {0, 0, 0}; // the leader's, the rival's, the others'
            for (int car = 0; car < f.Cars(); ++car) {
                if (fixedCar[size_t(car)]) continue;
                int unit = f.entrantUnit[size_t(car)];
                int who = unit == leader ? 0 : rival > 0 && unit == rival ? 1 : 2;
                must[who] += set.must[size_t(car)];
                can[who] += set.can[size_t(car)];
            }
            for (int l = must[0]; l <= can[0]; ++l)
                for (int r = must[1]; r <= can[1]; ++r) {
                    int others = free - l - r;
                    if (others < must[2] || others > can[2]) continue;
                    carsL_ = l;
                    carsR_ = r;
                    others_ = others;
                    Walk(0, 0, 0, 0, false, 0, 0);
                }
        }
    }
    // [a] the rival's best beside a for the leader, -1 where a cannot be.
    const std::vector<int>& Best() const { return best_; }

private:
    void Walk(size_t k, int usedL, int usedR, int usedO, bool retired, int a, int b) {
        if (k == open_.size()) {
            if ((carsL_ - usedL) + (carsR_ - usedR) > zero_) return;
            if (int(best_.size()) <= a) best_.resize(a + 1, -1);
            best_[a] = std::max(best_[a], b);
            return;
        }
        if (usedL < carsL_) {
            if (!retired) Walk(k + 1, usedL + 1, usedR, usedO, false, a + open_[k], b);
            if (retire_) Walk(k + 1, usedL + 1, usedR, usedO, true, a, b);
        }
        if (usedR < carsR_) {
            if (!retired) Walk(k + 1, usedL, usedR + 1, usedO, false, a, b + open_[k]);
            if (retire_) Walk(k + 1, usedL, usedR + 1, usedO, true, a, b);
        }
        if (usedL == carsL_ && usedR == carsR_) { // the rest to the others, as far as they go
            if (int(open_.size() - k) <= others_ - usedO) Walk(open_.size(), usedL, usedR, usedO, retired, a, b);
            return;
        }
        if (usedO < others_) Walk(k + 1, usedL, usedR, usedO + 1, retired, a, b);
    }

    std::vector<int> open_;
    bool retire_;
    int zero_ = 0;
    // The cars of the grid being walked: the leader's, the rival's and the others' not fixed.
    int carsL_ = 0, carsR_ = 0, others_ = 0;
    std::vector<int> best_;
};
} // namespace

std::vector<int64_t> RivalBeside(const TitleField& field, int leader, int rival) {
    std::vector<int64_t> reach{0};
    // Races with the same fixed places and grids.
    std::map<std::pair<std::vector<int>, std::vector<GridSet>>, std::vector<int>> alike;
    for (const RaceAhead& race : field.races) {
        auto key = std::make_pair(race.fixedCars, race.grids);
        auto at = alike.find(key);
        if (at == alike.end()) at = alike.emplace(key, RaceOptions(field, race, leader, rival).Best()).first;
        const std::vector<int>& options = at->second;
        std::vector<int64_t> next(reach.size() + options.size(), -1);
        for (size_t a = 0; a < reach.size(); ++a) {
            if (reach[a] < 0) continue;
            for (size_t x = 0; x < options.size(); ++x)
                if (options[x] >= 0) next[a + x] = std::max(next[a + x], reach[a] + options[x]);
        }
        while (!next.empty() && next.back() < 0) next.pop_back();
        reach = std::move(next);
    }
    return reach;
}

bool FinishesAhead(const TitleField&, int rival, double rivalTotal, int leader, double leaderTotal) {
    return rivalTotal > leaderTotal || (rivalTotal == leaderTotal && TitleField::AheadOnTie(rival, leader));
}

} // namespace karven
