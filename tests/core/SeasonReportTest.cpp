// The results out of the game: the CSV files and the season report, which must stand on its own
// (nothing fetched, no scripts), show the machine colours and keep every name as text.
#include <gtest/gtest.h>

#include <regex>

#include "exchange/ReportChart.h"
#include "exchange/Results.h"
#include "exchange/SeasonReport.h"
#include "history/Archive.h"
#include "season/SeasonFile.h"
#include "support/LoadSeason.h"
#include "shell/Liveries.h"

using namespace karven;

namespace {

// Booked as a race books it, for the drivers in table order: places 1.. then a retirement.
void Race(Season& s, int gp) {
    for (int d = 1; d <= 6; ++d) s.DrvTable[d].Result[gp] = d == 6 ? "0" : std::to_string((d + gp) % 5 + 1);
    s.Sis.EndGp = std::to_string(gp);
}

// A season closed into the history after three races, and two races of the next one.
Season PlayedSeason() {
    Season s = test::DefaultSeason();
    s.TimTable[2].TimNm = "<b>&\"Co\"";
    s.DrvTable[3].DrvNm = "O'Neil, Jr.";
    for (int gp = 1; gp <= 3; ++gp) Race(s, gp);
    ArchiveSeason(s, SeasonSoFar(s));
    for (int d = 1; d <= 6; ++d) s.DrvTable[d].Result = {};
    for (int gp = 1; gp <= 2; ++gp) Race(s, gp);
    return s;
}

size_t Count(const std::string& text, const std::string& piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

const ExchangeFile& File(const std::vector<ExchangeFile>& files, const std::string& name) {
    for (const ExchangeFile& f : files)
        if (f.first == name) return f;
    throw std::runtime_error(name);
}

} // namespace

TEST(SeasonReport, StandsOnItsOwnWithoutScriptsOrAnythingFetched) {
    std::string html = SeasonReport(PlayedSeason());
    EXPECT_TRUE(html.starts_with("<!DOCTYPE html>"));
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    for (const char* outside : {"<script", "http:", "https:", " src=", "url(", "<link", "@import", "<iframe", "<object"})
        EXPECT_EQ(html.find(outside), std::string::npos) << outside;
    EXPECT_NE(html.find("@page { size: A4"), std::string::npos);
}

TEST(SeasonReport, ShowsEveryPartWithNamesAsText) {
    Season s = PlayedSeason();
    std::string html = SeasonReport(s);
    for (const char* part : {"id=\"drivers\"", "id=\"constructors\"", "id=\"results\"", "id=\"points\"",
                             "id=\"calendar\"", "id=\"champions\"", "id=\"records\""})
        EXPECT_EQ(Count(html, part), 1u) << part;
    EXPECT_NE(html.find("第2期　第 2 戦まで（全 16 戦）"), std::string::npos);
    // A name never becomes markup.
    EXPECT_EQ(html.find("<b>&"), std::string::npos);
    EXPECT_NE(html.find("&lt;b&gt;&amp;&quot;Co&quot;"), std::string::npos);
    EXPECT_NE(html.find("O&#39;Neil, Jr."), std::string::npos);
    // The season results table: sixteen teams of two rows, places as the window shows them.
    EXPECT_EQ(Count(html, "rowspan=\"2\""), 16u);
    EXPECT_GE(Count(html, "class=\"cell p1\">①"), 2u);
    EXPECT_GE(Count(html, "class=\"cell ret\">R"), 2u);
    // Two charts: the ten best drivers and the teams with points, one line each.
    EXPECT_EQ(Count(html, "<svg class=\"chart\""), 2u);
    EXPECT_EQ(Count(html, "<polyline"), size_t(5 + 3));
    // The first season's champion row, and the records.
    EXPECT_NE(html.find("<td>第1期</td>"), std::string::npos);
    EXPECT_NE(html.find("<h3>優勝</h3>"), std::string::npos);
}

TEST(SeasonReport, TheMachineColoursAreThePictures) {
    // 0003 is the blue of the team that leads the table in the default season.
    ASSERT_NE(LiveryOf("0003"), nullptr);
    EXPECT_EQ(report::LineColour("0003"), "#1432a0");
    EXPECT_NE(report::SwatchSvg("0003").find("fill=\"#1432a0\""), std::string::npos);
    // A white machine is drawn in the colour on it that shows on white; red on white, in red.
    EXPECT_EQ(report::LineColour("0000"), "#aaaaaf");
    EXPECT_EQ(report::LineColour("0053"), "#d2141e");
    // Only four digits name a picture; any other number has none and shows neutral.
    for (const char* none : {"7", "0112", "9999", "", "abcd"}) {
        EXPECT_EQ(LiveryOf(none), nullptr) << none;
        EXPECT_NE(report::SwatchSvg(none).find("fill=\"#e1e1e4\""), std::string::npos) << none;
    }
    std::string html = SeasonReport(PlayedSeason());
    EXPECT_NE(html.find("border-left-color:#1432a0"), std::string::npos);
}

TEST(SeasonReport, ASeasonNotYetBegunSaysSoInsteadOfEmptyCharts) {
    Season s = test::DefaultSeason();
    std::string html = SeasonReport(s);
    EXPECT_NE(html.find("開幕前（全 16 戦）"), std::string::npos);
    EXPECT_EQ(html.find("<svg class=\"chart\""), std::string::npos);
    EXPECT_NE(html.find("まだポイントの記録がありません。"), std::string::npos);
}

TEST(ResultsCsv, StandingsResultsRacesSeasonsAndRecords) {
    std::vector<ExchangeFile> files = ResultFiles(PlayedSeason());
    ASSERT_EQ(files.back().first, SeasonReportHtml);
    for (size_t i = 0; i + 1 < files.size(); ++i)
        EXPECT_TRUE(files[i].second.starts_with("\xEF\xBB\xBF")) << files[i].first;

    const std::string& drivers = File(files, "standings-drivers.csv").second;
    EXPECT_TRUE(drivers.starts_with("\xEF\xBB\xBFRank,DrvNm,TimNm,Points\r\n"));
    EXPECT_EQ(Count(drivers, "\r\n"), 1u + 5); // five drivers scored
    EXPECT_NE(drivers.find("\"O'Neil, Jr.\""), std::string::npos);

    const std::string& results = File(files, "results.csv").second;
    EXPECT_NE(results.find("TimNm,DrvNm,1 オーストラリア,2 ブラジル,"), std::string::npos);
    EXPECT_EQ(Count(results, "\r\n"), 1u + 32); // a row for each seated driver
    EXPECT_NE(results.find(",R,"), std::string::npos);

    const std::string& races = File(files, "races.csv").second;
    EXPECT_EQ(Count(races, "\r\n"), 1u + 6 * 3 + 6 * 2); // both seasons' races, every car
    EXPECT_NE(races.find("1,第1期,1,オーストラリア,"), std::string::npos);

    EXPECT_EQ(Count(File(files, "seasons.csv").second, "\r\n"), 2u);
    EXPECT_EQ(Count(File(files, "past-standings-drivers.csv").second, "\r\n"), 1u + 5);
    EXPECT_TRUE(File(files, "records-drivers.csv").second.find("Titles,Wins,Poles") != std::string::npos);
}
