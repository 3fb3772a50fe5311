#include "exchange/SeasonReport.h"

#include <algorithm>

#include "exchange/ReportChart.h"
#include "history/Archive.h"
#include "history/FrmAllTime.h"
#include "history/FrmChampions.h"
#include "history/Records.h"
#include "odds/PointsHistory.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "standings/Rankings.h"
#include "standings/Seiseki.h"

namespace karven {

using report::Escape;

namespace {
constexpr int ChartDrivers = 10; // as the game's own chart

// Self-contained: the styles are here, the pictures are inline SVG, nothing is fetched.
constexpr const char* StyleSheet = R"(
:root { color-scheme: light; }
* { box-sizing: border-box; -webkit-print-color-adjust: exact; print-color-adjust: exact; }
body { font-family: "IPAGothic", "IPAPGothic", "Noto Sans CJK JP", "Hiragino Sans", "Yu Gothic", Meiryo, sans-serif;
  color: #1d2330; background: #fff; font-size: 14px; line-height: 1.45; max-width: 1120px; margin: 24px auto; padding: 0 16px; }
h1 { font-size: 24px; margin: 0; }
.lead { color: #56607a; margin: 2px 0 8px; }
h2 { font-size: 17px; border-bottom: 2px solid #2b4a8b; padding-bottom: 3px; margin: 28px 0 10px; }
h3 { font-size: 14px; margin: 0 0 4px; }
table { border-collapse: collapse; }
th, td { padding: 3px 8px; border-bottom: 1px solid #dde2ea; text-align: left; white-space: nowrap; }
th { background: #eef2f8; }
.num { text-align: right; font-variant-numeric: tabular-nums; }
tbody tr:nth-child(even) > td { background: #f7f9fc; }
.sw { vertical-align: -1px; margin-right: 6px; }
.wide { overflow-x: auto; }
.results td.team { border-left: 6px solid; white-space: normal; min-width: 9em; background: #fff; }
.results td.cell, .results th.cell { text-align: center; padding: 3px 2px; min-width: 1.9em; }
.results .p1 { background: #f6d66b !important; font-weight: bold; }
.results .p2 { background: #dde1e8 !important; }
.results .p3 { background: #ecc7a2 !important; }
.results .ret { color: #b03030; }
.results tbody tr.second > td { border-bottom: 2px solid #c5cdd9; }
svg.chart { width: 100%; max-width: 800px; height: auto; display: block; }
svg.chart .axis { font-size: 11px; fill: #56607a; }
svg.chart .legend { font-size: 12px; fill: #1d2330; }
figure { margin: 0 0 18px; }
figcaption { font-weight: bold; margin-bottom: 4px; }
.records { display: grid; grid-template-columns: repeat(auto-fill, minmax(250px, 1fr)); gap: 14px 22px; }
.note { color: #6a7384; }
footer { margin-top: 32px; color: #8a93a3; font-size: 12px; }
@page { size: A4 portrait; margin: 12mm; }
@media print {
  body { max-width: none; margin: 0; padding: 0; font-size: 9pt; }
  h2 { break-after: avoid; margin-top: 16pt; }
  th, td { padding: 1.5pt 4pt; }
  .wide { overflow: visible; }
  .results { font-size: 7.5pt; width: 100%; }
  .results td.cell, .results th.cell { min-width: 0; padding: 1pt 1pt; }
  .results td.team { min-width: 0; }
  tr, figure, .records > div { break-inside: avoid; }
}
)";

std::string Cell(const std::string& text, const char* cls = nullptr) {
    return cls ? "<td class=\"" + std::string(cls) + "\">" + Escape(text) + "</td>" : "<td>" + Escape(text) + "</td>";
}

std::string Head(std::initializer_list<std::pair<const char*, bool>> columns) {
    std::string out = "<thead><tr>";
    for (const auto& [name, number] : columns) out += number ? "<th class=\"num\">" : "<th>", out += Tr(name), out += "</th>";
    return out + "</tr></thead>";
}

std::string Note(const char* text) { return std::string("<p class=\"note\">") + Tr(text) + "</p>"; }

std::string Named(const std::string& colorNo, const std::string& name) {
    return "<td>" + report::SwatchSvg(colorNo) + Escape(name) + "</td>";
}

std::string CalendarSection(const ArchivedSeason& sofar) {
    std::string out = "<section id=\"calendar\"><h2>" + std::string(Tr("グランプリ")) + "</h2>";
    if (sofar.gps.empty()) return out + Note("日程がありません。") + "</section>";
    out += "<div class=\"wide\"><table>" +
           Head({{"No", true}, {"グランプリ", false}, {"コース", false}, {C_("the winner", "優勝"), false}, {"ポールポジション", false},
                 {"ファステストラップ", false}}) +
           "<tbody>";
    for (size_t g = 0; g < sofar.gps.size(); ++g) {
        const ArchivedGp& gp = sofar.gps[g];
        std::string winner;
        for (const ArchivedCar& car : gp.result)
            if (car.place == 1 && !car.retired) winner = sofar.Name(car.driver);
        std::string course = Tr(CourseCaption(gp.CourseType).c_str());
        out += "<tr>" + Cell(std::to_string(g + 1), "num") + Cell(TrF("{1} ＧＰ", gp.GpNm)) +
               Cell(course.empty() ? Tr("―") : course) + Cell(gp.run ? winner : "") + Cell(sofar.Name(gp.pole)) +
               Cell(sofar.Name(gp.fastestLap)) + "</tr>";
    }
    return out + "</tbody></table></div></section>";
}

std::string StandingsSections(const Season& season) {
    std::string out = "<section id=\"drivers\"><h2>" + std::string(Tr("ドライバーズランキング")) + "</h2>";
    std::vector<DriverStanding> drivers = DriverStandings(season);
    if (drivers.empty()) {
        out += Note("まだポイントを獲得したドライバーはいません。");
    } else {
        out += "<table>" + Head({{"順位", true}, {"ドライバー", false}, {"チーム", false}, {"ポイント", true}}) + "<tbody>";
        for (const DriverStanding& d : drivers)
            out += "<tr>" + Cell(std::to_string(d.rank), "num") + Named(d.ColorNo, d.DrvNm) + Cell(d.TimNm) +
                   Cell(d.Points, "num") + "</tr>";
        out += "</tbody></table>";
    }
    out += "</section><section id=\"constructors\"><h2>" + std::string(Tr("コンストラクターズランキング")) + "</h2>";
    std::vector<TeamStanding> teams = TeamStandings(season);
    if (teams.empty()) {
        out += Note("まだポイントを獲得したチームはありません。");
    } else {
        out += "<table>" + Head({{"順位", true}, {"チーム", false}, {"ポイント", true}}) + "<tbody>";
        for (const TeamStanding& t : teams)
            out += "<tr>" + Cell(std::to_string(t.rank), "num") + Named(t.ColorNo, t.TimNm) + Cell(t.Points, "num") + "</tr>";
        out += "</tbody></table>";
    }
    return out + "</section>";
}

const char* CellClass(const std::string& cell) {
    if (cell == "①") return "cell p1";
    if (cell == "②") return "cell p2";
    if (cell == "③") return "cell p3";
    if (cell == "R") return "cell ret";
    return "cell";
}

// The season results table: two rows a team, in the machine's colour.
std::string ResultsSection(const Season& season, const ArchivedSeason& sofar) {
    std::string out = "<section id=\"results\"><h2>" + std::string(Tr("シーズン成績表")) + "</h2>";
    SeisekiTable table = SeisekiBuild(season);
    if (table.size() < 2) return out + Note("チームがありません。") + "</section>";
    const size_t gps = sofar.gps.size();
    out += "<div class=\"wide\"><table class=\"results\"><thead><tr><th>" + std::string(Tr("チーム")) + "</th><th>" +
           Tr("ドライバー") + "</th>";
    for (size_t g = 1; g <= gps; ++g)
        out += "<th class=\"cell\" title=\"" + Escape(sofar.gps[g - 1].GpNm) + "\">" + std::to_string(g) + "</th>";
    out += "<th class=\"num\">PIN</th></tr></thead><tbody>";
    for (size_t r = 1; r < table.size(); ++r) {
        const SeisekiRecord& seat = table[r];
        bool first = r % 2 == 1;
        out += first ? "<tr>" : "<tr class=\"second\">";
        if (first)
            out += "<td class=\"team\" rowspan=\"2\" style=\"border-left-color:" + report::LineColour(seat.ColorNo) + "\">" +
                   report::SwatchSvg(seat.ColorNo) + Escape(seat.TimNm) + "</td>";
        out += Cell(seat.DrvNm);
        for (size_t g = 1; g <= gps; ++g) out += Cell(seat.Cell[g], CellClass(seat.Cell[g]));
        out += Cell(seat.Points, "num") + "</tr>";
    }
    return out + "</tbody></table></div></section>";
}

std::string ChartsSection(const Season& season, const ArchivedSeason& sofar) {
    std::string out = "<section id=\"points\"><h2>" + std::string(Tr("ポイント推移")) + "</h2>";
    std::vector<PointsLine> drivers = DriverPointsLines(season, ChartDrivers);
    std::vector<PointsLine> teams = TeamPointsLines(season);
    if (drivers.empty() && teams.empty()) return out + Note("まだポイントの記録がありません。") + "</section>";
    const int gps = int(sofar.gps.size());
    if (!drivers.empty())
        out += "<figure><figcaption>" + TrF("ドライバー（上位 {1} 人）", ChartDrivers) + "</figcaption>" +
               report::PointsChartSvg(drivers, gps, Tr("ドライバーのポイント推移")) + "</figure>";
    if (!teams.empty())
        out += "<figure><figcaption>" + std::string(Tr("コンストラクター")) + "</figcaption>" +
               report::PointsChartSvg(teams, gps, Tr("コンストラクターのポイント推移")) + "</figure>";
    return out + "</section>";
}

std::string ChampionsSection(const Season& season, const std::vector<ArchivedSeason>& onRecord) {
    std::string out = "<section id=\"champions\"><h2>" + std::string(Tr("歴代チャンピオン")) + "</h2>";
    if (onRecord.empty()) return out + Note("まだ記録がありません。") + "</section>";
    out += "<div class=\"wide\"><table>" +
           Head({{"期", false}, {"チャンピオン", false}, {"チーム", false}, {"コンストラクターズ", false},
                 {"ランキング首位", false}, {"最多勝", false}}) +
           "<tbody>";
    for (const auto& row : FrmChampions::Rows(onRecord, season.history.seasons.size())) {
        out += "<tr>";
        for (const std::string& value : row) out += Cell(value);
        out += "</tr>";
    }
    return out + "</tbody></table></div></section>";
}

std::string RecordsSection(const std::vector<ArchivedSeason>& onRecord) {
    std::string out = "<section id=\"records\"><h2>" + std::string(Tr("通算記録")) + "</h2>";
    if (onRecord.empty()) return out + Note("まだ記録がありません。") + "</section>";
    out += "<div class=\"records\">";
    for (const FrmAllTime::Table& t : AllTimeTables(onRecord)) {
        bool seasons = std::any_of(t.entries.begin(), t.entries.end(), [](const RankedEntry& e) { return !e.detail.empty(); });
        out += "<div><h3>" + Escape(t.category) + "</h3>";
        if (t.entries.empty()) {
            out += Note("まだ記録がありません。") + "</div>";
            continue;
        }
        out += "<table><tbody>";
        for (const RankedEntry& e : t.entries) {
            out += "<tr>" + Cell(std::to_string(e.place), "num") + Cell(e.name);
            if (seasons) out += Cell(e.detail);
            out += Cell(FormatPlain(e.value), "num") + "</tr>";
        }
        out += "</tbody></table></div>";
    }
    return out + "</div></section>";
}

std::string Progress(const Season& season, const ArchivedSeason& sofar) {
    const int gps = int(sofar.gps.size());
    const int run = std::clamp(ReadCount(season.Sis.EndGp), 0, gps);
    if (run == 0) return TrF("開幕前（全 {1} 戦）", gps);
    if (run >= gps) return TrF("全 {1} 戦 終了", gps);
    return TrF("第 {1} 戦まで（全 {2} 戦）", run, gps);
}
} // namespace

std::string SeasonReport(const Season& season) {
    const ArchivedSeason sofar = SeasonSoFar(season);
    const std::vector<ArchivedSeason> onRecord = SeasonsOnRecord(season);
    ArchivedSeason now;
    for (const ArchivedSeason& s : season.history.seasons) now.number = std::max(now.number, s.number);
    ++now.number;
    const std::string title = SeasonTitle(now);

    const char* heading = Tr("KARVEN シーズンレポート");
    std::string html = std::string("<!DOCTYPE html>\n<html lang=\"") + LanguageCode(CurrentLanguage()) +
                       "\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<meta name=\"generator\" content=\"KARVEN\">\n<title>" +
                       heading + " " + Escape(title) + "</title>\n<style>" + StyleSheet + "</style>\n</head>\n<body>\n";
    html += "<header><h1>" + std::string(heading) + "</h1><p class=\"lead\">" +
            Escape(TrF("{1}　{2}", title, Progress(season, sofar))) + "</p></header>\n";
    html += StandingsSections(season) + "\n";
    html += ResultsSection(season, sofar) + "\n";
    html += ChartsSection(season, sofar) + "\n";
    html += CalendarSection(sofar) + "\n";
    html += ChampionsSection(season, onRecord) + "\n";
    html += RecordsSection(onRecord) + "\n";
    html += "<footer>" + std::string(Tr("KARVEN が書き出したレポートです。")) + "</footer>\n</body>\n</html>\n";
    return html;
}

} // namespace karven
