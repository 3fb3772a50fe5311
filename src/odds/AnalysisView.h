#pragma once
// What the analysis windows show beside their charts, the same in every front end: which odds
// a chart lists, the title race in its order, the what-if choices and the words about a car's race.

#include <cstdint>
#include <string>
#include <vector>

#include "odds/ChampionshipOdds.h"
#include "odds/RaceStory.h"
#include "standings/TitleRace.h"

namespace karven {

struct Season;

// An odds chart's bars, best first: everyone with a chance (for drivers also of the crown), at
// least the three best placed, at most twelve.
std::vector<OddsEntry> OddsShown(std::vector<OddsEntry> entries, bool drivers);
// A chance in percent with one decimal, as the label beside its bar shows it.
double OddsPercent(double chance);

// Champions and contenders first, then by points; equal points keep table order. The eliminated
// without a point are left out.
std::vector<const TitleChance*> TitleRaceRows(const TitleRace& race);
const char* TitleStatusName(TitleStatus status); // Japanese, for Tr

// The what-if: the Grands Prix still to run that a result can be fixed for, and the drivers with
// a seat who can be named (DrvTable positions).
std::vector<int> WhatIfGps(const Season& season);
std::vector<int> WhatIfDrivers(const Season& season);
// Fixes `fix` among `fixed` (replacing one of the same Grand Prix, in calendar order); what is
// wrong with it instead, with `fixed` left alone.
std::string AddWhatIf(const Season& season, std::vector<FixedResult>& fixed, const FixedResult& fix);
// "決めた結果: 第14戦: A・B／第15戦: C", or that nothing is fixed.
std::string WhatIfText(const Season& season, const std::vector<FixedResult>& fixed);
// Between the laps of a list: the Japanese middle dot, a comma in English.
const char* ListSeparator();

// "ドライバー（チーム）", and the car's race in one line: grid, finish, stops, fastest lap.
std::string CarName(const CarStory& story);
std::string CarSummary(const CarStory& story);
std::string LapList(const std::vector<int>& laps);
std::string GainedText(int gained); // ↑2, ↓1 or ―
// The race report: its headings, a car's row as shown (in finishing order), the columns of numbers
// (aligned right), the line over it, and the colour of a weather's cell in its strip.
std::vector<std::string> RaceReportHeadings();
std::vector<std::string> RaceReportRow(const RaceLaps& race, const CarStory& story);
inline constexpr int RaceReportNumberColumns[] = {0, 3, 4, 9};
std::string RaceReportSummary(const RaceLaps& race);
uint32_t WeatherColour(int weather); // 0xRRGGBB
// The race analysis and the points windows' own words and pages, the same in both front ends
// (Japanese, translated where shown).
struct AnalysisPage {
    const char* key; // the page's name, as tests and the page's code find it
    const char* title;
    const char* tip;
};
struct RaceAnalysisWords {
    static constexpr const char* Title = "レース分析";
    static constexpr const char* Picker = "グランプリ(&G)：";
    static constexpr const char* PickerTip = "振り返るグランプリを選びます。";
    static constexpr const char* None = "まだ振り返れるレースがありません。\n決勝を走ると、ここでレースの流れを見られます。";
    static constexpr const char* Note = "線の色はマシンのカラーで、同じチームの二人は線の種類（実線・破線）で見分けます。"
                                        "ギャップはトップとの Time の差です。";
    static constexpr AnalysisPage Pages[] = {
        {"raceLapPage", "ラップチャート", "周回ごとの順位の移り変わり（Ctrl+Tab で切替）。"},
        {"raceGapPage", "ギャップ", "周回ごとのトップとのタイム差（Ctrl+Tab で切替）。"},
        {"raceReportPage", "レースレポート", "決勝の結果とグリッド・ピット・天気のまとめ（Ctrl+Tab で切替）。"},
    };
};
struct PointsWords {
    static constexpr const char* Title = "ポイント推移";
    static constexpr const char* Note = "各ＧＰの成績（リタイアは0ポイント）から。チームは現在の所属ドライバーの合計です。"
                                        "同じチームの二人は同じ色で、線の種類と印で見分けます。";
    static constexpr AnalysisPage Pages[] = {
        {"pointsDrivers", "ドライバー（上位10人）", "ポイント上位10人のドライバーの推移（Ctrl+Tab で切替）。"},
        {"pointsTeams", "チーム", "チームのポイントの推移（Ctrl+Tab で切替）。"},
    };
};
// Laps between the ticks of a lap axis.
int LapTickInterval(int laps);
// A gap axis: five to ten steps of 1, 2 or 5 times a power of ten, the last just past `most`.
struct GapScale {
    double top = 0, step = 0;
    int steps = 1;
};
GapScale GapAxisScale(double most);

} // namespace karven
