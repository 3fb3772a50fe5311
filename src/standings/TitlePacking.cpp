#include "standings/TitlePacking.h"

#include <algorithm>
#include <numeric>
#include <limits>
#include <set>
#include <tuple>

namespace karven {

namespace {
constexpr int64_t NodeLimit = 4'000'000;
// The room of a race that binds no car to its grid.
constexpr int Unbound = std::numeric_limits<int>::min();

struct Item {
    int score;
    int group;
};

// The rivals who may still be held: the search over the scores the unlimited ones left.
class Search {
public:
    Search(std::vector<Item> items, std::vector<int64_t> cap, std::vector<std::vector<int>> count,
           std::vector<std::vector<int>> must, std::vector<int> room)
        : items_(std::move(items)), cap_(std::move(cap)), count_(std::move(count)), must_(std::move(must)),
          room_(std::move(room)), choice_(items_.size(), -1) {
        start_ = count_;
        suffix_.assign(items_.size() + 1, 0);
        for (size_t i = items_.size(); i-- > 0;) suffix_[i] = suffix_[i + 1] + items_[i].score;
        for (int64_t& c : cap_) c = std::min(c, suffix_[0]); // room beyond all there is counts no more
        groups_ = count_.empty() ? 0 : int(count_[0].size());
        left_.assign(items_.size() + 1, std::vector<int>(groups_, 0));
        for (size_t i = items_.size(); i-- > 0;) {
            left_[i] = left_[i + 1];
            ++left_[i][items_[i].group];
        }
    }

    bool Run() { return Place(0); }
    bool Exhausted() const { return nodes_ > NodeLimit; }
    const std::vector<int>& Choice() const { return choice_; }

private:
    // Of a rival's cars that must be on a tight race's grid, those without a score yet.
    int Waiting(size_t r, int g) const { return std::max(0, must_[r][g] - (start_[r][g] - count_[r][g])); }
    std::vector<int> Waiting(size_t r) const {
        std::vector<int> waiting;
        for (int g = 0; g < groups_; ++g) waiting.push_back(Waiting(r, g));
        return waiting;
    }
    // Those of every rival beyond the race's room.
    int Idle(int g) const {
        int idle = 0;
        for (size_t r = 0; r < cap_.size(); ++r) idle += Waiting(r, g);
        return idle - room_[g];
    }

    // Room enough for what is left: in points, in cars per group, and for the big scores; and
    // scores enough left in each tight race for the cars that must take one.
    bool Bounded(size_t i) const {
        for (int g = 0; g < groups_; ++g)
            if (room_[g] != Unbound && Idle(g) > left_[i][g]) return false;
        int64_t room = 0;
        for (size_t r = 0; r < cap_.size(); ++r) room += cap_[r];
        if (room < suffix_[i]) return false;
        for (int g = 0; g < groups_; ++g) {
            int cars = 0;
            for (size_t r = 0; r < cap_.size(); ++r) cars += count_[r][g];
            if (cars < left_[i][g]) return false;
        }
        // Scores of v or more: each rival holds at most cap / v of them.
        for (size_t j = i; j < items_.size();) {
            int v = items_[j].score;
            size_t end = j;
            while (end < items_.size() && items_[end].score == v) ++end;
            int64_t need = int64_t(end - i), hold = 0;
            for (size_t r = 0; r < cap_.size(); ++r) {
                int cars = 0;
                for (int g = 0; g < groups_; ++g) cars += count_[r][g];
                hold += std::min<int64_t>(cars, cap_[r] / v);
            }
            if (hold < need) return false;
            j = end;
        }
        return true;
    }

    std::vector<int> Key(size_t i) const {
        std::vector<std::vector<int>> states;
        for (size_t r = 0; r < cap_.size(); ++r) {
            std::vector<int> s{int(std::min<int64_t>(cap_[r], suffix_[i]))};
            s.insert(s.end(), count_[r].begin(), count_[r].end());
            std::vector<int> waiting = Waiting(r);
            s.insert(s.end(), waiting.begin(), waiting.end());
            states.push_back(std::move(s));
        }
        std::sort(states.begin(), states.end());
        std::vector<int> key{int(i)};
        for (const auto& s : states) key.insert(key.end(), s.begin(), s.end());
        return key;
    }

    bool Place(size_t i) {
        if (i == items_.size()) {
            for (int g = 0; g < groups_; ++g)
                if (room_[g] != Unbound && Idle(g) > 0) return false;
            return true;
        }
        if (++nodes_ > NodeLimit || !Bounded(i)) return false;
        std::vector<int> key = Key(i);
        if (failed_.count(key)) return false;
        const Item& item = items_[i];
        // The roomiest first: it finds a way at once where there is slack.
        std::vector<int> order(cap_.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return cap_[a] > cap_[b]; });
        std::vector<std::tuple<int64_t, std::vector<int>, std::vector<int>>> tried;
        for (int r : order) {
            if (count_[r][item.group] == 0 || cap_[r] < item.score) continue;
            // A rival in the very state of one already tried leads to the same end.
            std::tuple<int64_t, std::vector<int>, std::vector<int>> state{std::min<int64_t>(cap_[r], suffix_[i]),
                                                                          count_[r], Waiting(r)};
            if (std::find(tried.begin(), tried.end(), state) != tried.end()) continue;
            tried.push_back(std::move(state));
            cap_[r] -= item.score;
            --count_[r][item.group];
            choice_[i] = r;
            bool done = Place(i + 1);
            cap_[r] += item.score;
            ++count_[r][item.group];
            if (done) return true;
            if (nodes_ > NodeLimit) return false;
        }
        failed_.insert(std::move(key));
        return false;
    }

    std::vector<Item> items_;
    std::vector<int64_t> cap_;
    std::vector<std::vector<int>> count_;
    std::vector<std::vector<int>> must_;  // [rival][group] cars on a tight race's grid whatever happens
    std::vector<int> room_;               // [group] a tight race's places without points for them
    std::vector<std::vector<int>> start_; // count_ before any score was handed out
    std::vector<int> choice_;
    std::vector<int64_t> suffix_;
    std::vector<std::vector<int>> left_;
    int groups_ = 0;
    int64_t nodes_ = 0;
    std::set<std::vector<int>> failed_;
};
} // namespace

PackAnswer PackScores(const std::vector<PackGroup>& groups, const std::vector<PackRival>& rivals, bool dropRest) {
    const int G = int(groups.size()), R = int(rivals.size());
    PackAnswer answer;
    answer.taken.assign(G, std::vector<std::vector<int>>(R));
    answer.dropped.assign(G, {});

    // A rival whose cap covers the best he could take in every race is never in the way.
    std::vector<char> unlimited(R, 0);
    for (int r = 0; r < R; ++r) {
        int64_t most = 0;
        for (int g = 0; g < G; ++g) {
            const std::vector<int>& s = groups[g].scores;
            int cars = std::min<int>(rivals[r].cars[g], int(s.size()));
            most += int64_t(groups[g].races) * std::accumulate(s.begin(), s.begin() + cars, int64_t(0));
        }
        unlimited[r] = rivals[r].cap >= most;
    }

    // They take the best places of every race, car by car; what is left goes to the others. In a
    // tight race nobody's places are handed out before the search, as the cars that must be there
    // may need them.
    const bool searchTight = !dropRest;
    std::vector<Item> rest;
    for (int g = 0; g < G; ++g) {
        const PackGroup& group = groups[g];
        std::vector<int> cars; // one entry per unlimited car, naming its rival
        // Where cars are bound to a tight grid, only those of them go: the others may need to
        // stay off it to leave the bound cars their room.
        if (!(group.tight && searchTight))
            for (int r = 0; r < R; ++r)
                if (unlimited[r]) {
                    int n = group.tight && g < int(rivals[r].must.size()) ? std::min(rivals[r].must[g], rivals[r].cars[g])
                                                                          : rivals[r].cars[g];
                    for (int c = 0; c < n; ++c) cars.push_back(r);
                }
        size_t k = 0;
        for (; k < group.scores.size() && k < cars.size(); ++k)
            for (int n = 0; n < group.races; ++n) answer.taken[g][cars[k]].push_back(group.scores[k]);
        for (; k < group.scores.size(); ++k)
            for (int n = 0; n < group.races; ++n) rest.push_back({group.scores[k], g});
    }
    const bool anyTight = std::any_of(groups.begin(), groups.end(), [](const PackGroup& g) { return g.tight; });
    if (rest.empty() && !(anyTight && searchTight)) {
        answer.feasible = true;
        return answer;
    }
    // Retired cars can take any place left, the cars that must be on the grid among them.
    if (dropRest) {
        for (const Item& item : rest) answer.dropped[item.group].push_back(item.score);
        answer.feasible = true;
        return answer;
    }

    std::vector<int> held; // the rivals searched over
    std::vector<int64_t> cap;
    std::vector<std::vector<int>> count, must;
    std::vector<int> room(G, Unbound);
    for (int g = 0; g < G; ++g)
        if (groups[g].tight) room[g] = groups[g].zero - groups[g].idle;
    for (int r = 0; r < R; ++r) {
        bool inTight = false;
        for (int g = 0; g < G; ++g) inTight = inTight || (groups[g].tight && rivals[r].cars[g] > 0);
        if (unlimited[r] && !inTight) continue;
        held.push_back(r);
        cap.push_back(rivals[r].cap);
        std::vector<int> c(G), m(G, 0);
        for (int g = 0; g < G; ++g) {
            // An unlimited rival took his places of the other races already.
            c[g] = unlimited[r] && !groups[g].tight ? 0 : rivals[r].cars[g] * groups[g].races;
            if (groups[g].tight && g < int(rivals[r].must.size())) m[g] = rivals[r].must[g];
        }
        count.push_back(std::move(c));
        must.push_back(std::move(m));
    }
    std::stable_sort(rest.begin(), rest.end(), [](const Item& a, const Item& b) { return a.score > b.score; });
    Search search(rest, cap, count, must, room);
    answer.feasible = search.Run();
    answer.exhausted = search.Exhausted();
    if (answer.feasible)
        for (size_t i = 0; i < rest.size(); ++i)
            answer.taken[rest[i].group][held[search.Choice()[i]]].push_back(rest[i].score);
    return answer;
}

} // namespace karven
