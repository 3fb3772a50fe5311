#include "sim/Summary.h"

#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
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
    out << TrF("KARVEN シーズン: 全{1}戦 / {2}周 / 決勝{3}台 / 第{4}戦まで終了\n", sis.GpCount, sis.SyuCount,
               sis.NinCount, sis.EndGp);
    out << TrF("チーム {1} / ドライバー {2} (シートあり {3})\n\n", season.TimCount, season.DrvCount,
               SeatedDrivers(season));

    out << Tr("カレンダー\n");
    for (size_t i = 1; i < season.GpTable.size(); ++i) {
        const GpRecord& g = season.GpTable[i];
        std::string caption = CourseCaption(g.CourseType);
        out << "  " << Format00(int(i)) << " " << TrF("{1} ＧＰ", g.GpNm) << (caption.empty() ? "" : "  " + caption)
            << (int(i) <= ReadCount(sis.EndGp) ? Tr("  (済)") : "") << "\n";
    }

    out << Tr("\nチーム\n");
    for (size_t i = 1; i < season.TimTable.size(); ++i) {
        const TimRecord& t = season.TimTable[i];
        out << "  " << t.TimNo << " " << t.TimNm
            << TrF("  色{1}  ｽﾋﾟｰﾄﾞ{2} 空力{3} 安定性{4}\n", t.ColorNo, t.Speed, t.Aero, t.Stability);
    }

    if (ReadCount(sis.EndGp) < 1) return;
    out << TrF("\nﾄﾞﾗｲﾊﾞｰｽﾞﾗﾝｷﾝｸﾞ (第{1}戦まで)\n", sis.EndGp);
    for (const DriverStanding& d : DriverStandings(season))
        out << "  " << d.rank << ". " << d.DrvNm << " (" << d.TimNm << ") " << d.Points << "\n";
    out << TrF("\nｺﾝｽﾄﾗｸﾀｰｽﾞﾗﾝｷﾝｸﾞ (第{1}戦まで)\n", sis.EndGp);
    for (const TeamStanding& t : TeamStandings(season)) out << "  " << t.rank << ". " << t.TimNm << " " << t.Points << "\n";
}

} // namespace karven::sim
