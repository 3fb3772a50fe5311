#include "principal/Board.h"

#include <algorithm>

#include "management/Field.h"
#include "management/Management.h"
#include "season/Numbers.h"
#include "season/Translate.h"

namespace karven::principal {

namespace {
int Teams(const Season& season) { return int(season.TimTable.size()) - 1; }
} // namespace

int TeamInCharge(const Season& season) { return management::TeamInCharge(season); }

int StrengthRank(const Season& season, int team) { return management::PaperPlace(season, team); }

int BoardTarget(const Season& season, int team) {
    int rank = StrengthRank(season, team);
    return std::min(Teams(season), rank <= 2 ? rank : rank + 1);
}

void TakeCharge(Season& season, const std::string& TimNo) {
    PrincipalState& p = season.history.principal;
    p.TimNo = TimNo;
    p.misses = 0;
    p.target = 0;
    p.TimNm.clear();
    int team = TeamInCharge(season);
    if (team == 0) {
        p.TimNo.clear();
        return;
    }
    p.TimNm = season.TimTable[size_t(team)].TimNm;
    SetTarget(season);
}

void SetTarget(Season& season) {
    PrincipalState& p = season.history.principal;
    int team = TeamInCharge(season);
    if (team == 0) return;
    p.TimNm = season.TimTable[size_t(team)].TimNm;
    p.target = BoardTarget(season, team);
}

std::optional<PrincipalSeason> Judge(Season& season) {
    PrincipalState& p = season.history.principal;
    if (!p.InCharge() || p.target == 0 || season.history.seasons.empty()) return std::nullopt;
    const ArchivedSeason& closed = season.history.seasons.back();
    PrincipalSeason judged;
    judged.season = closed.number;
    judged.TimNm = p.TimNm;
    judged.target = p.target;
    for (const ArchivedTeam& t : closed.constructors)
        if (closed.Name(t.team) == p.TimNm) judged.place = t.place;
    // A team that scored nothing is out of the standings: it finished last.
    if (judged.place == 0)
        for (const ArchivedEntrant& e : closed.teams)
            if (closed.Name(e.team) == p.TimNm) judged.place = int(closed.teams.size());
    judged.driversTitle = closed.crowned && closed.championTeam != 0 && closed.Name(closed.championTeam) == p.TimNm;
    // A team in debt has missed whatever its place; one bankrupt loses its principal at once.
    const ManagedSeason* books = management::BooksOf(season, closed.number, p.TimNm);
    const bool inDebt = books && books->end < 0, bankrupt = books && books->bankrupt;
    if (judged.place == 0 || judged.place > judged.target || inDebt)
        judged.verdict = Verdict::Missed;
    else
        judged.verdict = judged.place < judged.target ? Verdict::Exceeded : Verdict::Met;
    p.misses = judged.verdict == Verdict::Missed ? p.misses + 1 : 0;
    p.target = 0;
    if (p.misses >= MissesToDismissal || bankrupt) {
        judged.dismissed = true;
        p.TimNo.clear();
        p.misses = 0;
    }
    p.seasons.push_back(judged);
    return judged;
}

std::string TargetText(int target) {
    if (target <= 0) return "";
    if (target == 1) return Tr("コンストラクターズチャンピオン");
    return TrF("コンストラクターズ{1}位以内", FormatPlain(target));
}

std::string VerdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::Exceeded: return Tr("目標を上回る");
    case Verdict::Met: return Tr("目標達成");
    case Verdict::Missed: break;
    }
    return Tr("目標未達成");
}

std::string VerdictMessage(const PrincipalSeason& j, const ManagedSeason* books) {
    std::string place = j.place > 0 ? TrF("コンストラクターズ{1}位", FormatPlain(j.place)) : Tr("ランキング外");
    std::string text = TrF("監督 {1}：目標 {2} に対して {3}、{4}。", j.TimNm, TargetText(j.target), place, VerdictText(j.verdict));
    if (books) {
        text += std::string("\r\n") + TrF("資金 {1} → {2}", management::MoneyText(books->start), management::MoneyText(books->end));
        if (books->end < 0) text += std::string("\r\n") + Tr("シーズンを赤字で終えたため、目標は未達成とされました。");
    }
    if (j.dismissed)
        text += std::string("\r\n") + (books && books->bankrupt
                                            ? Tr("チームの負債が限度を超え、監督を解任されました。設定 → 監督モードで別のチームを選べます。")
                                            : Tr("3シーズン続けて目標に届かず、監督を解任されました。設定 → 監督モードで別のチームを選べます。"));
    return text;
}

} // namespace karven::principal
