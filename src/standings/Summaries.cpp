#include "standings/Summaries.h"

#include <algorithm>
#include <map>

#include "season/Numbers.h"
#include "season/Points.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "standings/Rankings.h"

namespace karven {

namespace {
constexpr int Podium = 3;
constexpr size_t MostMovesTold = 20;

std::string TeamName(const Season& season, const DrvRecord& driver) {
    const TimRecord* team = TeamOf(season, driver);
    return team ? team->TimNm : std::string();
}

std::string PlaceText(const std::string& result) {
    if (result == "0") return Tr("リタイア");
    if (result.empty()) return Tr("出走せず");
    return TrF("{1}位", result);
}

std::string PointsText(const std::string& points) { return TrF("{1}点", points); }

// "1位 A（T）52点、2位 …" for the first entries of a ranking.
template <class Standing, class Who> std::string TopOf(const std::vector<Standing>& standings, Who who) {
    std::string text;
    for (size_t i = 0; i < standings.size() && i < size_t(Podium); ++i) {
        if (!text.empty()) text += Tr("、");
        text += TrF("{1}位 {2} {3}", standings[i].rank > 0 ? standings[i].rank : int(i) + 1, who(standings[i]), PointsText(standings[i].Points));
    }
    return text;
}

// Where the principal's team stands in the teams' table, "" without one.
std::string PrincipalPlace(const Season& season) {
    const auto& principal = season.history.principal;
    if (!principal.InCharge()) return "";
    std::vector<TeamStanding> teams = TeamStandings(season);
    for (size_t i = 0; i < teams.size(); ++i)
        if (teams[i].TimNo == principal.TimNo)
            return TrF("あなたのチーム {1} はコンストラクターズ {2}位 {3}。", teams[i].TimNm, int(i) + 1,
                       PointsText(teams[i].Points));
    return Tr("あなたのチームはまだ得点がありません。");
}
} // namespace

std::string RaceSummary(const Season& season, int gp) {
    if (gp < 1 || gp >= int(season.GpTable.size()) || gp > ResultSlots) return "";
    std::string text = TrF("第{1}戦 {2} ＧＰ 結果。", gp, season.GpTable[gp].GpNm);
    std::map<int, const DrvRecord*> podium;
    for (size_t d = 1; d < season.DrvTable.size(); ++d) {
        const DrvRecord& driver = season.DrvTable[d];
        int place = int(ReadNumber(driver.Result[gp]));
        if (place >= 1 && place <= Podium && !podium.count(place)) podium[place] = &driver;
    }
    std::string top;
    for (const auto& [place, driver] : podium) {
        if (!top.empty()) top += Tr("、");
        std::string team = TeamName(season, *driver);
        top += place == 1 ? TrF("優勝 {1}", driver->DrvNm) : TrF("{1}位 {2}", place, driver->DrvNm);
        if (!team.empty()) top += TrF("（{1}）", team);
    }
    if (!top.empty()) text += top + Tr("。");

    const auto& principal = season.history.principal;
    if (principal.InCharge()) {
        std::string drivers;
        int points = 0;
        for (size_t d = 1; d < season.DrvTable.size(); ++d) {
            const DrvRecord& driver = season.DrvTable[d];
            if (driver.TimNo != principal.TimNo || driver.Result[gp].empty()) continue;
            if (!drivers.empty()) drivers += Tr("、");
            drivers += driver.DrvNm + " " + PlaceText(driver.Result[gp]);
            points += PointsForResult(driver.Result[gp]);
        }
        if (!drivers.empty()) text += TrF("あなたのチーム：{1}、{2}点獲得。", drivers, points);
    }

    std::vector<DriverStanding> drivers = DriverStandings(season);
    if (!drivers.empty())
        text += TrF("ランキング首位 {1} {2}。", drivers.front().DrvNm, PointsText(drivers.front().Points));
    const int gpCount = int(ReadNumber(season.Sis.GpCount));
    if (gp == gpCount) {
        std::vector<TeamStanding> teams = TeamStandings(season);
        text += Tr("シーズン終了。");
        if (!drivers.empty()) text += TrF("ドライバーズチャンピオン {1}。", drivers.front().DrvNm);
        if (!teams.empty()) text += TrF("コンストラクターズチャンピオン {1}。", teams.front().TimNm);
    }
    return text + PrincipalPlace(season);
}

std::string DriverStandingsSummary(const Season& season) {
    std::vector<DriverStanding> drivers = DriverStandings(season);
    if (drivers.empty()) return Tr("ドライバーズランキング：まだ得点したドライバーはいません。");
    auto who = [](const DriverStanding& s) { return s.TimNm.empty() ? s.DrvNm : TrF("{1}（{2}）", s.DrvNm, s.TimNm); };
    return TrF("ドライバーズランキング：{1}。", TopOf(drivers, who)) + PrincipalPlace(season);
}

std::string TeamStandingsSummary(const Season& season) {
    std::vector<TeamStanding> teams = TeamStandings(season);
    if (teams.empty()) return Tr("コンストラクターズランキング：まだ得点したチームはありません。");
    auto who = [](const TeamStanding& s) { return s.TimNm; };
    return TrF("コンストラクターズランキング：{1}。", TopOf(teams, who)) + PrincipalPlace(season);
}

std::string MovesSummary(const Season& before, const Season& after) {
    std::map<std::string, std::string> was;
    for (size_t d = 1; d < before.DrvTable.size(); ++d) was[before.DrvTable[d].DrvNm] = TeamName(before, before.DrvTable[d]);
    std::vector<std::string> moves;
    for (size_t d = 1; d < after.DrvTable.size(); ++d) {
        const DrvRecord& driver = after.DrvTable[d];
        std::string team = TeamName(after, driver);
        auto it = was.find(driver.DrvNm);
        if (team.empty() || (it != was.end() && it->second == team)) continue;
        moves.push_back(TrF("{1} → {2}", driver.DrvNm, team));
    }
    if (moves.empty()) return Tr("ストーブリーグ：移籍はありませんでした。");
    std::string text;
    for (size_t i = 0; i < moves.size() && i < MostMovesTold; ++i) text += (i ? Tr("、") : "") + moves[i];
    if (moves.size() > MostMovesTold) text += TrF("、ほか{1}人", int(moves.size() - MostMovesTold));
    return TrF("ストーブリーグ：{1}。", text);
}

} // namespace karven
