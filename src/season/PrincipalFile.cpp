#include "season/PrincipalFile.h"

#include <algorithm>

#include "season/Season.h"

namespace karven {

using namespace history_lines;

namespace {
// Places run to the most teams a season holds, with room for a table edited larger.
constexpr int MaxPlace = 999;

bool WholeBetween(std::string_view text, int low, int high, int& value) {
    return Whole(text, value) && value >= low && value <= high;
}
} // namespace

void WritePrincipal(Writer& w, const PrincipalState& p) {
    w.Begin('P') << p.TimNo << p.TimNm << p.target << p.misses;
    w.End();
    for (const PrincipalSeason& s : p.seasons) {
        w.Begin('J') << s.season << s.TimNm << s.target << s.place << int(s.verdict) << s.driversTitle << s.dismissed;
        w.End();
    }
}

bool ReadPrincipal(const std::vector<Line>& lines, PrincipalState& p) {
    p = {};
    if (lines.empty()) return false;
    const Line& head = lines.front();
    if (head.size() != 5 || head[0] != "P" || !WholeBetween(head[3], 0, MaxPlace, p.target) ||
        !WholeBetween(head[4], 0, 1000000, p.misses))
        return false;
    p.TimNo = head[1];
    p.TimNm = head[2];
    for (size_t i = 1; i < lines.size(); ++i) {
        const Line& l = lines[i];
        PrincipalSeason& s = p.seasons.emplace_back();
        int verdict = 0;
        if (l.size() != 8 || l[0] != "J" || !WholeBetween(l[1], 1, 1000000000, s.season) ||
            !WholeBetween(l[3], 0, MaxPlace, s.target) || !WholeBetween(l[4], 0, MaxPlace, s.place) ||
            !WholeBetween(l[5], 0, 2, verdict) || !Flag(l[6], s.driversTitle) || !Flag(l[7], s.dismissed))
            return false;
        s.TimNm = l[2];
        s.verdict = Verdict(verdict);
    }
    return true;
}

namespace {
// The verdict a target and a place give, as the board judges.
Verdict VerdictOf(int target, int place) {
    if (place == 0 || place > target) return Verdict::Missed;
    return place < target ? Verdict::Exceeded : Verdict::Met;
}
} // namespace

bool PrincipalFits(const PrincipalState& p, const Season& season) {
    const int teams = int(season.TimTable.size()) - 1;
    if (p.InCharge()) {
        auto mine = std::find_if(season.TimTable.begin() + 1, season.TimTable.end(),
                                 [&](const TimRecord& t) { return t.TimNo == p.TimNo; });
        if (mine == season.TimTable.end() || mine->TimNm != p.TimNm || p.target > teams || p.misses >= MissesToDismissal)
            return false;
    } else if (p.target != 0 || p.misses != 0) {
        return false; // a target for nobody
    }
    // A judged season is held to the largest field there is: the history may not hold the season
    // (erased with the careers), and what a record means must not change as the history grows.
    for (const PrincipalSeason& s : p.seasons) {
        if (s.target < 1 || s.target > MaxTimCount || s.place > MaxTimCount || (s.verdict != VerdictOf(s.target, s.place) && s.verdict != Verdict::Missed) ||
            (s.dismissed && s.verdict != Verdict::Missed))
            return false;
    }
    return true;
}

} // namespace karven
