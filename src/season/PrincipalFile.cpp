#include "season/PrincipalFile.h"

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

} // namespace karven
