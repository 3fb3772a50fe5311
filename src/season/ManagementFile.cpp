#include "season/ManagementFile.h"

#include "season/Numbers.h"
#include "season/Season.h"

namespace karven {

using namespace history_lines;

namespace {
// More money than any season could earn or lose is no record of ours.
constexpr Money MoneyLimit = Money(1) << 50;

void WriteAccount(Writer& w, const Account& a) {
    for (Money m : a.income) w << int64_t(m);
    for (Money m : a.spending) w << int64_t(m);
}

void WriteDeal(Writer& w, const SponsorDeal& d) { w << int(d.goal) << d.target << d.rival << int64_t(d.money) << int64_t(d.bonus); }

// Reads a line's values in order, failing once for all.
class Values {
public:
    Values(const Line& line, size_t from) : line_(line), at_(from) {}
    bool ok = true;

    Values& Int(int& v, int low, int high) {
        if (ok) ok = at_ < line_.size() && Whole(line_[at_], v) && v >= low && v <= high;
        ++at_;
        return *this;
    }
    Values& Cash(Money& v) {
        int64_t m = 0;
        if (ok) ok = at_ < line_.size() && Signed(line_[at_], m) && m > -MoneyLimit && m < MoneyLimit;
        v = m;
        ++at_;
        return *this;
    }
    Values& Step(int& v, int most) {
        int64_t s = 0;
        if (ok) ok = at_ < line_.size() && Signed(line_[at_], s) && s >= -most && s <= most;
        v = int(s);
        ++at_;
        return *this;
    }
    Values& Real(double& v, double low, double high) {
        if (ok) ok = at_ < line_.size() && Number(line_[at_], v) && v >= low && v <= high;
        ++at_;
        return *this;
    }
    Values& Bool(bool& v) {
        if (ok) ok = at_ < line_.size() && Flag(line_[at_], v);
        ++at_;
        return *this;
    }
    Values& Text(std::string& v) {
        if (ok && at_ < line_.size()) v = line_[at_];
        else ok = false;
        ++at_;
        return *this;
    }
    Values& Of(Account& a) {
        for (Money& m : a.income) Cash(m);
        for (Money& m : a.spending) Cash(m);
        return *this;
    }
    Values& Of(SponsorDeal& d) {
        int goal = 0;
        Int(goal, 0, SponsorGoals - 1).Int(d.target, 0, MaxWhole).Text(d.rival).Cash(d.money).Cash(d.bonus);
        d.goal = SponsorGoal(goal);
        return *this;
    }
    bool End() const { return ok && at_ == line_.size(); }

private:
    const Line& line_;
    size_t at_;
};

constexpr double MaxProgress = 100;
} // namespace

void WriteManagement(Writer& w, const ManagementState& m) {
    w.Begin('M') << m.enabled << m.race << int(m.tyres) << int(m.rain);
    w.End();
    for (size_t t = 1; t < m.teams.size(); ++t) {
        const ManagedTeam& team = m.teams[t];
        w.Begin('T') << team.TimNm << int64_t(team.cash);
        for (Money s : team.spend) w << int64_t(s);
        for (double p : team.progress) w << p;
        for (double p : team.season) w << p;
        for (int s : team.steps) w << s;
        w << team.sponsored << team.standing << team.scoringRaces;
        WriteAccount(w, team.account);
        WriteDeal(w, team.sponsor);
        w.End();
        for (const SponsorDeal& offer : team.offers) {
            WriteDeal(w.Begin('O'), offer);
            w.End();
        }
        for (const Pending& p : team.pending) {
            w.Begin('Q') << p.rating << p.gain << p.due;
            w.End();
        }
        for (const Account& race : team.races) {
            WriteAccount(w.Begin('R'), race);
            w.End();
        }
    }
    for (const Contract& c : m.contracts) {
        w.Begin('C') << c.DrvNm << c.TimNm << int64_t(c.salary) << c.seasons;
        w.End();
    }
    for (const ManagedSeason& s : m.seasons) {
        w.Begin('H') << s.season << s.TimNm << s.inCharge << int64_t(s.start) << int64_t(s.end);
        WriteAccount(w, s.account);
        for (double p : s.progress) w << p;
        w << s.sponsored << s.sponsorMet << s.bankrupt;
        w.End();
    }
}

bool ReadManagement(const std::vector<Line>& lines, ManagementState& m) {
    m = {};
    if (lines.empty() || lines[0].empty() || lines[0][0] != "M") return false;
    int tyres = 0, rain = 0;
    if (!Values(lines[0], 1).Bool(m.enabled).Int(m.race, 0, MaxGpCount).Int(tyres, 0, 2).Int(rain, 0, 2).End()) return false;
    m.tyres = TyreOrder(tyres);
    m.rain = RainOrder(rain);
    m.teams.resize(1);
    for (size_t i = 1; i < lines.size(); ++i) {
        const Line& l = lines[i];
        if (l.empty()) return false;
        const std::string_view kind = l[0];
        ManagedTeam* team = m.teams.size() > 1 ? &m.teams.back() : nullptr;
        if (kind == "T") {
            if (!m.contracts.empty() || !m.seasons.empty()) return false; // the teams come first
            ManagedTeam& t = m.teams.emplace_back();
            Values v(l, 1);
            v.Text(t.TimNm).Cash(t.cash);
            for (Money& s : t.spend) v.Cash(s);
            for (double& p : t.progress) v.Real(p, -MaxProgress, MaxProgress);
            for (double& p : t.season) v.Real(p, -MaxProgress, MaxProgress);
            for (int& s : t.steps) v.Step(s, 4);
            v.Bool(t.sponsored).Int(t.standing, 0, 1000).Int(t.scoringRaces, 0, MaxGpCount).Of(t.account).Of(t.sponsor);
            if (!v.End()) return false;
            for (Money s : t.spend)
                if (s < 0) return false;
        } else if (kind == "O" && team) {
            if (!Values(l, 1).Of(team->offers.emplace_back()).End()) return false;
        } else if (kind == "Q" && team) {
            Pending& p = team->pending.emplace_back();
            if (!Values(l, 1).Int(p.rating, 0, Programmes - 1).Real(p.gain, 0, 1).Int(p.due, 0, MaxGpCount + 8).End())
                return false;
        } else if (kind == "R" && team) {
            if (!Values(l, 1).Of(team->races.emplace_back()).End() || int(team->races.size()) > MaxGpCount) return false;
        } else if (kind == "C") {
            if (!m.seasons.empty()) return false;
            Contract& c = m.contracts.emplace_back();
            if (!Values(l, 1).Text(c.DrvNm).Text(c.TimNm).Cash(c.salary).Int(c.seasons, 0, 99).End() || c.salary < 0)
                return false;
        } else if (kind == "H") {
            ManagedSeason& s = m.seasons.emplace_back();
            Values v(l, 1);
            v.Int(s.season, 1, MaxWhole).Text(s.TimNm).Bool(s.inCharge).Cash(s.start).Cash(s.end).Of(s.account);
            for (double& p : s.progress) v.Real(p, -MaxProgress, MaxProgress);
            if (!v.Bool(s.sponsored).Bool(s.sponsorMet).Bool(s.bankrupt).End()) return false;
        } else {
            return false;
        }
    }
    return true;
}

bool ManagementFits(const ManagementState& m, const Season& season) {
    if (m.teams.size() != season.TimTable.size()) return false;
    for (size_t t = 1; t < m.teams.size(); ++t)
        if (m.teams[t].TimNm != season.TimTable[t].TimNm) return false;
    return m.race <= ReadCount(season.Sis.EndGp);
}

} // namespace karven
