#include "WebAnalysis.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "JsonText.h"
#include "odds/AnalysisView.h"
#include "odds/MachinePalette.h"
#include "odds/RaceStory.h"
#include "race/RaceState.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/SeasonFile.h"
#include "season/Translate.h"
#include "shell/Shell.h"
#include "standings/Rankings.h"
#include "standings/TitleRace.h"

namespace karven::web {

namespace {
constexpr int TopDrivers = 10;
constexpr int GapCarsAtFirst = 10;
constexpr int WhatIfPlaces = 3;

std::string Css(uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", unsigned(rgb & 0xFFFFFF));
    return text;
}

std::string Tab(const char* key, const char* title, const std::string& tip) {
    return JsonObject().Str("key", key).Str("title", Tr(title)).Str("tip", tip).Text();
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
    const std::pair<Title, const char*> titles[] = {
        {Title::Drivers, "ドライバー"}, {Title::Crowned, "王座"}, {Title::Teams, "コンストラクター"}};
    std::vector<std::string> tables;
    for (const auto& [title, name] : titles) {
        const TitleRace race = JudgeTitle(season, title, fixed);
        std::vector<std::string> rows;
        for (const TitleChance* c : TitleRaceRows(race))
            rows.push_back(Row({c->Nm, FormatPlain(c->points), Tr(TitleStatusName(c->status)),
                                c->magicNumber > 0 ? std::to_string(c->magicNumber) : std::string(), c->text},
                               c->status == TitleStatus::Eliminated));
        tables.push_back(JsonObject()
                             .Str("title", Tr(name))
                             .Str("key", "titleRace" + std::to_string(int(title)))
                             .Raw("table", TableJson({Tr("名前"), Tr("ポイント"), Tr("状況"), Tr("マジック"), Tr("条件・理由")}, rows, {1, 3}))
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
    case Analysis::Race: return RaceWindow();
    }
    return {};
}

std::string AnalysisSession::OddsWindow() {
    const Season& season = shell_.season;
    const int endGp = ReadCount(season.Sis.EndGp), gps = ReadCount(season.Sis.GpCount);
    const bool decided = endGp >= gps;
    JsonObject w;
    w.Str("kind", "odds").Str("form", "frmOdds").Str("title", Tr("チャンピオン予想")).Bool("decided", decided);
    w.Str("heading", decided ? TrF("第{1}戦終了　全日程終了", endGp) : TrF("第{1}戦終了時点　残り {2} 戦", endGp, gps - endGp));
    w.Str("status", Tr(decided ? "タイトルは決定しました。最終のランキングです。" : "残りのレースを試算しています…"));
    w.Str("note", Tr(decided ? "ストーブリーグを確定すると、ドライバーズランキング首位がチャンピオンになります。"
                             : "ゲームと同じルールで残りの全ＧＰ（予選・決勝）を繰り返し走らせた結果です。"
                               "王座はストーブリーグの評価ポイントによるものです。"));
    w.Str("close", Tr("閉じる")).Str("closeTip", Tr("ウィンドウを閉じます（Esc）。"));
    w.Str("barTip", Tr("試算は約2秒で終わります。")).Str("stop", Tr("中止")).Str("stopTip", Tr("試算を打ち切り、ここまでの結果で予想します。"));
    w.Str("counting", Tr("試算中… {1} 回")).Str("counted", Tr("{1} 回の試算による予想"));
    w.Str("failed", Tr("予想を計算できませんでした：{1}。")).Str("stopped", Tr("試算が途中で止まりました：{1}。{2} 回の試算による予想"));
    w.Str("noWorker", Tr("試算用のプログラムを読み込めません")).Str("noSeason", Tr("シーズンを試算用に書き出せません"));
    w.Str("titleSet", Tr("タイトル")).Str("crownSet", Tr("ストーブリーグ王座"));
    w.Str("driversTip", Tr("タイトル：最終戦のあとポイント首位になる確率。\nストーブリーグ王座：ストーブリーグの評価で王座に就く確率。"));
    w.Str("teamsTip", Tr("最終戦のあとコンストラクターズポイント首位になる確率。"));
    auto tip = [](const char* t) { return TrF("{1}（Ctrl+Tab で切替）", Tr(t)); };
    w.Raw("tabs", JsonArray({Tab("oddsDrivers", "ドライバー", tip("ドライバー")), Tab("oddsTeams", "コンストラクター", tip("コンストラクター")),
                             Tab("oddsTitleRace", "チャンピオン争い", tip("チャンピオン争い"))}));
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
        w.Raw("standings", JsonArray({TableJson({Tr("順位"), Tr("ドライバー"), Tr("チーム"), Tr("ポイント")}, drivers, {0, 3}),
                                      TableJson({Tr("順位"), Tr("チーム"), Tr("ポイント")}, teams, {0, 2})}));
        return w.Text();
    }
    // The worker's season: the bytes the game saves, read back there as a file opened.
    w.Bool("seasonWritten", WriteSeasonFile(season, SeasonPath)).Str("seasonPath", SeasonPath);
    w.Raw("switches", JsonNumbers(std::vector<int>{shell_.EvePit == "1", shell_.EvePen == "1", shell_.EveTen == "1"}));
    // The drivers' machines by DrvTable position and the teams' by TimTable position, for the bars.
    std::vector<std::string> driverColours, teamColours;
    for (const DrvRecord& d : season.DrvTable) {
        const TimRecord* team = TeamOf(season, d);
        driverColours.push_back(team ? team->ColorNo : "");
    }
    for (const TimRecord& t : season.TimTable) teamColours.push_back(t.ColorNo);
    w.Raw("driverColorNo", JsonTexts(driverColours)).Raw("teamColorNo", JsonTexts(teamColours));
    JsonObject whatIf;
    whatIf.Str("caption", Tr("もしも:")).Str("gpTip", Tr("結果を決めるＧＰ（これから行われるもの）"));
    std::vector<std::string> gpItems, places, driverItems;
    for (int g : WhatIfGps(season))
        gpItems.push_back(JsonObject().Num("value", g).Str("text", TrF("第{1}戦 {2}", g, season.GpTable[g].GpNm)).Text());
    for (int p = 1; p <= WhatIfPlaces; ++p)
        places.push_back(JsonObject().Str("none", TrF("{1}位 —", p)).Str("tip", TrF("{1}位のドライバー（シートのあるドライバーだけ）", p)).Text());
    for (int d : WhatIfDrivers(season))
        driverItems.push_back(JsonObject().Num("value", d).Str("text", season.DrvTable[d].DrvNm).Text());
    whatIf.Raw("gps", JsonArray(gpItems)).Raw("places", JsonArray(places)).Raw("drivers", JsonArray(driverItems));
    whatIf.Str("fix", Tr("固定(&F)")).Str("fixTip", Tr("このＧＰの結果を決めて、予想を計算し直します。"));
    whatIf.Str("clear", Tr("解除(&C)")).Str("clearTip", Tr("決めた結果をすべて消して、今日の予想に戻ります。"));
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

std::string AnalysisSession::RaceWindow() {
    const Season& season = shell_.season;
    JsonObject w;
    w.Str("kind", "race").Str("form", "frmRaceAna").Str("title", Tr(RaceAnalysisWords::Title));
    w.Str("close", Tr("閉じる")).Str("closeTip", Tr("ウィンドウを閉じます（Esc）。"));
    w.Str("note", Tr(RaceAnalysisWords::Note));
    w.Str("picker", Tr(RaceAnalysisWords::Picker)).Str("pickerTip", Tr(RaceAnalysisWords::PickerTip));
    w.Str("none", Tr(RaceAnalysisWords::None));
    std::vector<std::string> titles;
    for (const RaceLaps& race : season.history.laps) titles.push_back(RaceTitle(season, race));
    w.Raw("races", JsonTexts(titles));
    std::vector<std::string> tabs;
    for (const AnalysisPage& page : RaceAnalysisWords::Pages) tabs.push_back(Tab(page.key, page.title, Tr(page.tip)));
    w.Raw("tabs", JsonArray(tabs));
    JsonObject texts;
    texts.Str("lapAxis", Tr("周回（0 はスタート）")).Str("gapLapAxis", Tr("周回")).Str("placeAxis", Tr("順位")).Str("gapAxis", Tr("トップとの差（秒）"));
    texts.Str("lapChartTip", Tr("周回ごとの順位。線にマウスを置くとドライバーを表示します。クリックでその線を強調します。"));
    texts.Str("gapChartTip", Tr("周回ごとのトップとのタイム差。右の一覧のチェックで表示するドライバーを選びます。"));
    texts.Str("lapLegendTip", Tr("順位はゴール時。選んだドライバーの線を強調します（↑↓ で移動）。"));
    texts.Str("gapLegendTip", Tr("チェックしたドライバーを表示します（Space で切替、↑↓ で移動）。最初は上位10人です。"));
    texts.Str("info", Tr("線にマウスを置くか、右の一覧でドライバーを選ぶと、その線を強調して表示します。"));
    texts.Str("atPlace", Tr("{1}周目 {2}位")).Str("atGap", Tr("{1}周目 トップとの差 {2} 秒")).Str("atMark", Tr("{1}\n{2}周目 {3}"));
    texts.Raw("marks", JsonTexts({Tr("ピットイン"), Tr("ペナルティ"), Tr("リタイア")}));
    texts.Str("weather", Tr("天気")).Str("weatherTip", Tr("スタート（S）と周回ごとの天気：晴（黄）晴れ、曇（灰）くもり、雨（青）雨。"));
    texts.Str("fine", WeatherLetter(1)).Str("cloudy", WeatherLetter(2)).Str("rain", WeatherLetter(3));
    std::vector<std::string> colours;
    for (int weather = 1; weather <= 3; ++weather) {
        char css[8];
        std::snprintf(css, sizeof css, "#%06x", unsigned(WeatherColour(weather)));
        colours.push_back(css);
    }
    texts.Raw("weatherColours", JsonTexts(colours)); // fine, cloudy, rain
    texts.Str("reportTip", Tr("ゴール時の順位です。増減はグリッドからの順位の上下、ピットとペナルティは入った周回です。"));
    w.Raw("texts", texts.Text());
    const int last = int(season.history.laps.size()) - 1;
    w.Num("selected", last);
    if (last >= 0) w.Raw("race", RaceData(last));
    return w.Text();
}

// One race: a line per car in finishing order, its marks, and the report.
std::string AnalysisSession::RaceData(int index) {
    const RaceLaps& race = shell_.season.history.laps[size_t(index)];
    const std::vector<CarStory> stories = CarStories(race);
    const int laps = int(race.laps.size());
    MachinePalette palette(shell_);
    LookCounter looks;
    std::vector<std::string> cars, rows;
    double most = 0;
    for (int row = 0; row < int(stories.size()); ++row) {
        const CarStory& s = stories[size_t(row)];
        std::vector<int> places;
        for (int lap = 0; lap <= laps && s.Ran(lap); ++lap) places.push_back(s.place[size_t(lap)]);
        std::vector<double> gaps;
        for (int lap = 1; lap <= laps && s.Ran(lap); ++lap) gaps.push_back(s.gap[size_t(lap)]);
        if (row < GapCarsAtFirst)
            for (double g : gaps) most = std::max(most, g);
        char label[16];
        std::snprintf(label, sizeof label, "%2d", s.finish);
        cars.push_back(JsonObject()
                           .Str("name", s.names.DrvNm)
                           .Str("carName", CarName(s))
                           .Str("label", std::string(label) + "  " + s.names.DrvNm)
                           .Str("summary", CarSummary(s))
                           .Str("colour", Css(palette.Of(s.names.ColorNo)))
                           .Num("look", looks.Next(palette.LookKey(s.names.ColorNo)))
                           .Raw("place", JsonNumbers(places))
                           .Raw("gap", JsonNumbers(gaps))
                           .Num("retiredLap", s.retiredLap)
                           .Num("retiredPlace", s.retiredPlace)
                           .Raw("pit", JsonNumbers(s.pitLaps))
                           .Raw("penalty", JsonNumbers(s.penaltyLaps))
                           .Text());
        rows.push_back(Row(RaceReportRow(race, s), s.retiredLap != 0));
    }
    std::vector<int> weather{race.startWeather};
    for (const RaceLap& lap : race.laps) weather.push_back(lap.weather);
    const GapScale scale = GapAxisScale(most);
    return JsonObject()
        .Num("index", index)
        .Num("laps", laps)
        .Num("lapTick", LapTickInterval(laps))
        .Raw("cars", JsonArray(cars))
        .Num("gapCarsAtFirst", GapCarsAtFirst)
        .Raw("gapScale", JsonNumbers(std::vector<double>{scale.top, scale.step, double(scale.steps)}))
        .Raw("weather", JsonNumbers(weather))
        .Str("weatherStory", WeatherStory(race))
        .Str("summary", RaceReportSummary(race))
        .Raw("report", TableJson(RaceReportHeadings(), rows,
                                 std::vector<int>(std::begin(RaceReportNumberColumns), std::end(RaceReportNumberColumns))))
        .Text();
}

std::string AnalysisSession::Handle(const std::vector<std::string>& f) {
    const std::string what = f.empty() ? "" : f[0];
    if (kind_ == Analysis::Race && what == "race" && f.size() > 1) {
        const int index = std::atoi(f[1].c_str());
        if (index < 0 || index >= int(shell_.season.history.laps.size())) return {};
        return JsonObject().Raw("race", RaceData(index)).Text();
    }
    if (kind_ == Analysis::Race && what == "gapscale" && f.size() > 1) {
        const GapScale scale = GapAxisScale(std::strtod(f[1].c_str(), nullptr));
        return JsonObject().Raw("gapScale", JsonNumbers(std::vector<double>{scale.top, scale.step, double(scale.steps)})).Text();
    }
    if (kind_ != Analysis::Odds) return {};
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
