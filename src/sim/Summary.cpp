#include "sim/Summary.h"

#include "season/Numbers.h"
#include "season/Season.h"
#include "standings/Rankings.h"

namespace karven::sim {

namespace {
int SeatedDrivers(const Season& season) {
    int seated = 0;
    for (size_t i = 1; i < season.DrvTable.size(); ++i) seated += TeamOf(season, season.DrvTable[i]) != nullptr;
    return seated;
}
} // namespace

void PrintSummary(std::ostream& out, const Season& season) {
    const SisSettings& sis = season.Sis;
    out << "KARVEN シーズン: 全" << sis.GpCount << "戦 / " << sis.SyuCount << "周 / 決勝" << sis.NinCount
        << "台 / 第" << sis.EndGp << "戦まで終了\n";
    out << "チーム " << season.TimCount << " / ドライバー " << season.DrvCount << " (シートあり "
        << SeatedDrivers(season) << ")\n\n";

    out << "カレンダー\n";
    for (size_t i = 1; i < season.GpTable.size(); ++i) {
        const GpRecord& g = season.GpTable[i];
        std::string caption = CourseCaption(g.CourseType);
        out << "  " << Format00(int(i)) << " " << g.GpNm << " ＧＰ" << (caption.empty() ? "" : "  " + caption)
            << (int(i) <= ReadCount(sis.EndGp) ? "  (済)" : "") << "\n";
    }

    out << "\nチーム\n";
    for (size_t i = 1; i < season.TimTable.size(); ++i) {
        const TimRecord& t = season.TimTable[i];
        out << "  " << t.TimNo << " " << t.TimNm << "  色" << t.ColorNo << "  ｽﾋﾟｰﾄﾞ" << t.Speed << " 空力" << t.Aero
            << " 安定性" << t.Stability << "\n";
    }

    if (ReadCount(sis.EndGp) < 1) return;
    out << "\nﾄﾞﾗｲﾊﾞｰｽﾞﾗﾝｷﾝｸﾞ (第" << sis.EndGp << "戦まで)\n";
    for (const DriverStanding& d : DriverStandings(season))
        out << "  " << d.rank << ". " << d.DrvNm << " (" << d.TimNm << ") " << d.Points << "\n";
    out << "\nｺﾝｽﾄﾗｸﾀｰｽﾞﾗﾝｷﾝｸﾞ (第" << sis.EndGp << "戦まで)\n";
    for (const TeamStanding& t : TeamStandings(season)) out << "  " << t.rank << ". " << t.TimNm << " " << t.Points << "\n";
}

} // namespace karven::sim
