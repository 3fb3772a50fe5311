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
// The race report: its columns (heading in Japanese, width in pixels with 0 sharing what is left,
// numbers aligned right), their headings as shown, a car's row as shown (in finishing order), the
// line over it, and the colour of a weather's cell in its strip.
struct ReportColumn {
    const char* heading;
    int width;
    bool number;
};
inline constexpr ReportColumn RaceReportColumns[] = {
    {"順位", 44, true},         {"ドライバー", 0, false},   {"チーム", 0, false}, {"グリッド", 64, true},
    {"増減", 52, true},         {"ピット（周）", 100, false}, {"ペナルティ（周）", 120, false},
    {"ＦＬ", 130, false},        {"リタイア", 72, false},     {"ポイント", 64, true},
};
std::vector<std::string> RaceReportHeadings();
std::vector<std::string> RaceReportRow(const RaceLaps& race, const CarStory& story);
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
    // The lap chart (places) and the gap chart: their axes, tips, the words under them and of a point.
    static constexpr const char* LapAxis = "周回（0 はスタート）";
    static constexpr const char* GapLapAxis = "周回";
    static constexpr const char* PlaceAxis = "順位";
    static constexpr const char* GapAxis = "トップとの差（秒）";
    static constexpr const char* LapChartTip = "周回ごとの順位。線にマウスを置くとドライバーを表示します。クリックでその線を強調します。";
    static constexpr const char* GapChartTip = "周回ごとのトップとのタイム差。右の一覧のチェックで表示するドライバーを選びます。";
    static constexpr const char* LapLegendTip = "順位はゴール時。選んだドライバーの線を強調します（↑↓ で移動）。";
    static constexpr const char* GapLegendTip = "チェックしたドライバーを表示します（Space で切替、↑↓ で移動）。最初は上位10人です。";
    static constexpr const char* Info = "線にマウスを置くか、右の一覧でドライバーを選ぶと、その線を強調して表示します。";
    static constexpr const char* AtPlace = "{1}周目 {2}位";
    static constexpr const char* AtGap = "{1}周目 トップとの差 {2} 秒";
    static constexpr const char* AtMark = "{1}\n{2}周目 {3}";
    static constexpr const char* Marks[] = {"ピットイン", "ペナルティ", "リタイア"}; // ○ ▲ ✕
    static constexpr int GapCarsAtFirst = 10; // the gap chart draws the best ten until the player chooses
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
// チャンピオン予想's own words, the same in both front ends (Japanese, translated where shown).
struct OddsWords {
    static constexpr const char* Title = "チャンピオン予想";
    static constexpr const char* HeadingDecided = "第{1}戦終了　全日程終了";
    static constexpr const char* HeadingOpen = "第{1}戦終了時点　残り {2} 戦";
    static constexpr const char* StatusDecided = "タイトルは決定しました。最終のランキングです。";
    static constexpr const char* StatusCounting = "残りのレースを試算しています…";
    static constexpr const char* Counting = "試算中… {1} 回";
    static constexpr const char* Counted = "{1} 回の試算による予想";
    static constexpr const char* NoteDecided = "ストーブリーグを確定すると、ドライバーズランキング首位がチャンピオンになります。";
    static constexpr const char* NoteOpen = "ゲームと同じルールで残りの全ＧＰ（予選・決勝）を繰り返し走らせた結果です。"
                                            "王座はストーブリーグの評価ポイントによるものです。";
    static constexpr const char* BarTip = "試算は約2秒で終わります。";
    static constexpr const char* Stop = "中止";
    static constexpr const char* StopTip = "試算を打ち切り、ここまでの結果で予想します。";
    // Why the odds could not be counted (to the end).
    static constexpr const char* NoSeason = "シーズンを試算用に書き出せません";
    static constexpr const char* NoCounter = "試算用のプログラムを読み込めません";
    static constexpr const char* TitleSet = "タイトル";
    static constexpr const char* CrownSet = "ストーブリーグ王座";
    static constexpr const char* DriversTip = "タイトル：最終戦のあとポイント首位になる確率。\nストーブリーグ王座：ストーブリーグの評価で王座に就く確率。";
    static constexpr const char* TeamsTip = "最終戦のあとコンストラクターズポイント首位になる確率。";
    static constexpr const char* BarName = "試算の進み具合";
    static constexpr AnalysisPage Pages[] = {
        {"oddsDrivers", "ドライバー", "ドライバーズタイトルの予想（Ctrl+Tab で切替）。"},
        {"oddsTeams", "コンストラクター", "コンストラクターズタイトルの予想（Ctrl+Tab で切替）。"},
        {"oddsTitleRace", "チャンピオン争い", "残りのレースで誰がまだタイトルを取れるか（Ctrl+Tab で切替）。"},
    };
    static constexpr const char* FinalTip = "最終のランキングです。1行目がチャンピオンです。";
    // The title race's three tables, by Title, and their columns.
    static constexpr const char* TitleRaceNames[] = {"ドライバー", "王座", "コンストラクター"};
    static constexpr const char* TitleRaceHeadings[] = {"名前", "ポイント", "状況", "マジック", "条件・理由"};
    static constexpr int TitleRaceNumberColumns[] = {1, 3};
    static constexpr const char* TitleRacePicker = "タイトル(&T)：";
    static constexpr const char* TitleRacePickerTip = "表に示すタイトルを選びます。";
    static constexpr const char* TitleRaceTip = "決めた結果を含めた、残りのレースでのタイトルの行方です。マジックは首位がタイトルを決めるのに必要なポイントです。";
    // The final standings once the title is decided.
    static constexpr const char* DriverHeadings[] = {"順位", "ドライバー", "チーム", "ポイント"};
    static constexpr const char* TeamHeadings[] = {"順位", "チーム", "ポイント"};
    // もしも: the row that fixes the first places of a coming Grand Prix.
    static constexpr const char* WhatIf = "もしも:";
    static constexpr const char* WhatIfGp = "第{1}戦 {2}";
    static constexpr const char* WhatIfGpTip = "結果を決めるＧＰ（これから行われるもの）";
    static constexpr const char* WhatIfPlaceNone = "{1}位 —";
    static constexpr const char* WhatIfPlaceTip = "{1}位のドライバー（シートのあるドライバーだけ）";
    static constexpr const char* Fix = "固定(&F)";
    static constexpr const char* FixTip = "このＧＰの結果を決めて、予想を計算し直します。";
    static constexpr const char* Clear = "解除(&C)";
    static constexpr const char* ClearTip = "決めた結果をすべて消して、今日の予想に戻ります。";
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
