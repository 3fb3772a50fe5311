#include "WebAnalysis.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "JsonText.h"
#include "odds/AnalysisView.h"
#include "odds/MachinePalette.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/SeasonFile.h"
#include "season/Translate.h"
#include "shell/Shell.h"
#include "standings/Rankings.h"
#include "standings/TitleRace.h"

namespace karven::web {

namespace {
constexpr int WhatIfPlaces = 3;

std::string Css(uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", unsigned(rgb & 0xFFFFFF));
    return text;
}

std::string Tab(const char* key, const char* title, const std::string& tip) {
    return JsonObject().Str("key", key).Str("title", Tr(title)).Str("tip", tip).Text();
}

template <size_t N> std::vector<std::string> Texts(const char* const (&japanese)[N]) {
    std::vector<std::string> shown;
    for (const char* text : japanese) shown.push_back(Tr(text));
    return shown;
}

std::string TableJson(const std::vector<std::string>& headings, const std::vector<std::string>& rows,
                      const std::vector<int>& right) {
    return JsonObject().Raw("headings", JsonTexts(headings)).Raw("rows", JsonArray(rows)).Raw("right", JsonNumbers(right)).Text();
}

// A row: its cells, and whether it is drawn grey or bold.
std::string Row(const std::vector<std::string>& cells, bool grey = false, bool bold = false) {
    return JsonObject().Raw("cells", JsonTexts(cells)).Bool("grey", grey).Bool("bold", bold).Text();
}

std::string TitleRaceJson(const Season& season, const std::vector<FixedResult>& fixed) {
    std::vector<std::string> tables;
    for (Title title : {Title::Drivers, Title::Crowned, Title::Teams}) {
        const TitleRace race = JudgeTitle(season, title, fixed);
        std::vector<std::string> rows;
        for (const TitleChance* c : TitleRaceRows(race))
            rows.push_back(Row({c->Nm, FormatPlain(c->points), Tr(TitleStatusName(c->status)),
                                c->magicNumber > 0 ? std::to_string(c->magicNumber) : std::string(), c->text},
                               c->status == TitleStatus::Eliminated));
        tables.push_back(JsonObject()
                             .Str("title", Tr(OddsWords::TitleRaceNames[int(title)]))
                             .Str("key", "titleRace" + std::to_string(int(title)))
                             .Raw("table", TableJson(Texts(OddsWords::TitleRaceHeadings), rows, {std::begin(OddsWords::TitleRaceNumberColumns), std::end(OddsWords::TitleRaceNumberColumns)}))
                             .Text());
    }
    return JsonArray(tables);
}

std::string FixedJson(const std::vector<FixedResult>& fixed) {
    std::vector<std::string> items;
    for (const FixedResult& f : fixed)
        items.push_back(JsonObject().Num("gp", f.gp).Raw("drivers", JsonNumbers(f.drivers)).Text());
    return JsonArray(items);
}

// The colour of every machine colour the charts may name, by ColorNo.
std::string ColoursJson(Shell& shell, const std::vector<std::string>& colorNos) {
    MachinePalette palette(shell);
    JsonObject colours;
    std::vector<std::string> seen;
    for (const std::string& no : colorNos) {
        if (std::find(seen.begin(), seen.end(), no) != seen.end()) continue;
        seen.push_back(no);
        colours.Str(no, Css(palette.Of(no)));
    }
    return colours.Text();
}
} // namespace

std::string AnalysisSession::Open() {
    switch (kind_) {
    case Analysis::Odds: return OddsWindow();
    }
    return {};
}

std::string AnalysisSession::OddsWindow() {
    const Season& season = shell_.season;
    const int endGp = ReadCount(season.Sis.EndGp), gps = ReadCount(season.Sis.GpCount);
    const bool decided = endGp >= gps;
    JsonObject w;
    w.Str("kind", "odds").Str("form", "frmOdds").Str("title", Tr(OddsWords::Title)).Bool("decided", decided);
    w.Str("heading", decided ? TrF(OddsWords::HeadingDecided, endGp) : TrF(OddsWords::HeadingOpen, endGp, gps - endGp));
    w.Str("status", Tr(decided ? OddsWords::StatusDecided : OddsWords::StatusCounting));
    w.Str("note", Tr(decided ? OddsWords::NoteDecided : OddsWords::NoteOpen));
    w.Str("close", Tr("閉じる")).Str("closeTip", Tr("ウィンドウを閉じます（Esc）。"));
    w.Str("barTip", Tr(OddsWords::BarTip)).Str("stop", Tr(OddsWords::Stop)).Str("stopTip", Tr(OddsWords::StopTip));
    w.Str("counting", Tr(OddsWords::Counting)).Str("counted", Tr(OddsWords::Counted));
    w.Str("failed", Tr("予想を計算できませんでした：{1}。")).Str("stopped", Tr("試算が途中で止まりました：{1}。{2} 回の試算による予想"));
    w.Str("noWorker", Tr("試算用のプログラムを読み込めません")).Str("noSeason", Tr("シーズンを試算用に書き出せません"));
    w.Str("titleSet", Tr(OddsWords::TitleSet)).Str("crownSet", Tr(OddsWords::CrownSet));
    w.Str("driversTip", Tr(OddsWords::DriversTip));
    w.Str("teamsTip", Tr(OddsWords::TeamsTip));
    std::vector<std::string> tabs;
    for (const AnalysisPage& page : OddsWords::Pages) tabs.push_back(Tab(page.key, page.title, TrF(OddsWords::PageTip, Tr(page.title))));
    w.Raw("tabs", JsonArray(tabs));
    std::vector<std::string> colorNos;
    for (const DrvRecord& d : season.DrvTable) {
        const TimRecord* team = TeamOf(season, d);
        colorNos.push_back(team ? team->ColorNo : "");
    }
    for (const TimRecord& t : season.TimTable) colorNos.push_back(t.ColorNo);
    w.Raw("colours", ColoursJson(shell_, colorNos));
    if (decided) {
        std::vector<std::string> drivers, teams;
        for (const DriverStanding& d : DriverStandings(season))
            drivers.push_back(Row({std::to_string(d.rank), d.DrvNm, d.TimNm, d.Points}, false, d.rank == 1));
        for (const TeamStanding& t : TeamStandings(season))
            teams.push_back(Row({std::to_string(t.rank), t.TimNm, t.Points}, false, t.rank == 1));
        w.Raw("standings", JsonArray({TableJson(Texts(OddsWords::DriverHeadings), drivers, {0, 3}),
                                      TableJson(Texts(OddsWords::TeamHeadings), teams, {0, 2})}));
        return w.Text();
    }
    // The worker's season: the bytes the game saves, read back there as a file opened.
    w.Bool("seasonWritten", WriteSeasonFile(season, SeasonPath)).Str("seasonPath", SeasonPath);
    w.Raw("switches", JsonNumbers(std::vector<int>{shell_.events.pit, shell_.events.pen, shell_.events.weather}));
    // The drivers' machines by DrvTable position and the teams' by TimTable position, for the bars.
    std::vector<std::string> driverColours, teamColours;
    for (const DrvRecord& d : season.DrvTable) {
        const TimRecord* team = TeamOf(season, d);
        driverColours.push_back(team ? team->ColorNo : "");
    }
    for (const TimRecord& t : season.TimTable) teamColours.push_back(t.ColorNo);
    w.Raw("driverColorNo", JsonTexts(driverColours)).Raw("teamColorNo", JsonTexts(teamColours));
    JsonObject whatIf;
    whatIf.Str("caption", Tr(OddsWords::WhatIf)).Str("gpTip", Tr(OddsWords::WhatIfGpTip));
    std::vector<std::string> gpItems, places, driverItems;
    for (int g : WhatIfGps(season))
        gpItems.push_back(JsonObject().Num("value", g).Str("text", TrF(OddsWords::WhatIfGp, g, season.GpTable[g].GpNm)).Text());
    for (int p = 1; p <= WhatIfPlaces; ++p)
        places.push_back(JsonObject().Str("none", TrF(OddsWords::WhatIfPlaceNone, p)).Str("tip", TrF(OddsWords::WhatIfPlaceTip, p)).Text());
    for (int d : WhatIfDrivers(season))
        driverItems.push_back(JsonObject().Num("value", d).Str("text", season.DrvTable[d].DrvNm).Text());
    whatIf.Raw("gps", JsonArray(gpItems)).Raw("places", JsonArray(places)).Raw("drivers", JsonArray(driverItems));
    whatIf.Str("fix", Tr(OddsWords::Fix)).Str("fixTip", Tr(OddsWords::FixTip));
    whatIf.Str("clear", Tr(OddsWords::Clear)).Str("clearTip", Tr(OddsWords::ClearTip));
    w.Raw("whatIf", whatIf.Text());
    w.Raw("update", OddsUpdate(""));
    return w.Text();
}

// The what-if as it stands: its words, the fixes for the worker and the exact title race.
std::string AnalysisSession::OddsUpdate(const std::string& problem) {
    return JsonObject()
        .Str("list", problem.empty() ? WhatIfText(shell_.season, fixed_) : problem)
        .Bool("refused", !problem.empty())
        .Raw("fixed", FixedJson(fixed_))
        .Raw("titleRace", TitleRaceJson(shell_.season, fixed_))
        .Text();
}

std::string AnalysisSession::Handle(const std::vector<std::string>& f) {
    const std::string what = f.empty() ? "" : f[0];
    if (what == "fix" && f.size() > 2) {
        FixedResult fix;
        fix.gp = std::atoi(f[1].c_str());
        for (size_t i = 2; i < f.size() && std::atoi(f[i].c_str()) > 0; ++i) fix.drivers.push_back(std::atoi(f[i].c_str()));
        const std::string problem = AddWhatIf(shell_.season, fixed_, fix);
        return JsonObject().Raw("update", OddsUpdate(problem)).Text();
    }
    if (what == "clear") {
        fixed_.clear();
        return JsonObject().Raw("update", OddsUpdate("")).Text();
    }
    return {};
}

} // namespace karven::web
