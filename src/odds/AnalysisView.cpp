#include "odds/AnalysisView.h"

#include <algorithm>
#include <cmath>

#include "odds/FixedFinish.h"
#include "race/RaceState.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"

namespace karven {

namespace {
constexpr size_t MostBars = 12;
}

std::vector<OddsEntry> OddsShown(std::vector<OddsEntry> entries, bool drivers) {
    std::stable_sort(entries.begin(), entries.end(), [](const OddsEntry& a, const OddsEntry& b) {
        return a.title != b.title ? a.title > b.title : a.meanPoints > b.meanPoints;
    });
    size_t shown = 0;
    while (shown < entries.size() && shown < MostBars &&
           (shown < 3 || entries[shown].title > 0 || (drivers && entries[shown].crowned > 0)))
        ++shown;
    entries.resize(shown);
    return entries;
}

double OddsPercent(double chance) { return std::round(1000 * chance) / 10; }

std::vector<const TitleChance*> TitleRaceRows(const TitleRace& race) {
    std::vector<const TitleChance*> rows;
    for (const TitleChance& c : race.entries)
        if (c.status != TitleStatus::Eliminated || c.points > 0) rows.push_back(&c);
    std::stable_sort(rows.begin(), rows.end(), [](const TitleChance* a, const TitleChance* b) {
        bool ia = a->status != TitleStatus::Eliminated, ib = b->status != TitleStatus::Eliminated;
        return ia != ib ? ia : a->points > b->points;
    });
    return rows;
}

const char* TitleStatusName(TitleStatus status) {
    switch (status) {
    case TitleStatus::Champion: return "チャンピオン";
    case TitleStatus::Contender: return "可能性あり";
    default: return "可能性なし";
    }
}

std::vector<int> WhatIfGps(const Season& season) {
    std::vector<int> gps;
    int last = std::min(ReadCount(season.Sis.GpCount), int(season.GpTable.size()) - 1);
    for (int g = ReadCount(season.Sis.EndGp) + 1; g <= last; ++g) gps.push_back(g);
    return gps;
}

std::vector<int> WhatIfDrivers(const Season& season) {
    std::vector<int> drivers;
    int count = std::clamp(ReadCount(season.DrvCount), 0, int(season.DrvTable.size()) - 1);
    for (int d = 1; d <= count; ++d)
        if (TeamOf(season, season.DrvTable[d])) drivers.push_back(d);
    return drivers;
}

std::string AddWhatIf(const Season& season, std::vector<FixedResult>& fixed, const FixedResult& fix) {
    std::string problem = fix.drivers.empty() ? Tr("1位のドライバーを選んでください。") : FixProblem(season, fix);
    if (!problem.empty()) return problem;
    std::erase_if(fixed, [&](const FixedResult& f) { return f.gp == fix.gp; });
    fixed.push_back(fix);
    std::sort(fixed.begin(), fixed.end(), [](const FixedResult& a, const FixedResult& b) { return a.gp < b.gp; });
    return {};
}

const char* ListSeparator() { return CurrentLanguage() == Language::English ? ", " : "・"; }

std::string WhatIfText(const Season& season, const std::vector<FixedResult>& fixed) {
    if (fixed.empty()) return Tr("結果を決めていません（今日の予想）。");
    std::string parts;
    for (const FixedResult& f : fixed) {
        std::string names;
        for (int d : f.drivers) names += (names.empty() ? "" : ListSeparator()) + season.DrvTable[d].DrvNm;
        parts += (parts.empty() ? "" : Tr("／")) + TrF("第{1}戦: {2}", f.gp, names);
    }
    return Tr("決めた結果: ") + parts;
}

std::string CarName(const CarStory& s) { return TrF("{1}（{2}）", s.names.DrvNm, s.names.TimNm); }

std::string LapList(const std::vector<int>& laps) {
    std::string list;
    for (int lap : laps) list += (list.empty() ? "" : ListSeparator()) + std::to_string(lap);
    return list;
}

std::string CarSummary(const CarStory& s) {
    std::string text = TrF("{1}　グリッド {2}位 → ", CarName(s), s.car);
    text += s.retiredLap ? TrF("{1}周目にリタイア（{2}位）", s.retiredLap, s.finish) : TrF("{1}位", s.finish);
    if (!s.pitLaps.empty()) text += TrF("　ピットイン {1}周目", LapList(s.pitLaps));
    if (!s.penaltyLaps.empty()) text += TrF("　ペナルティ {1}周目", LapList(s.penaltyLaps));
    if (s.fastestLap) text += Tr("　ファステストラップ");
    return text;
}

std::vector<std::string> RaceReportHeadings() {
    std::vector<std::string> headings;
    for (const ReportColumn& column : RaceReportColumns) headings.push_back(Tr(column.heading));
    return headings;
}

std::vector<std::string> RaceReportRow(const RaceLaps& race, const CarStory& s) {
    return {std::to_string(s.finish),
            s.names.DrvNm,
            s.names.TimNm,
            std::to_string(s.car),
            GainedText(s.Gained()),
            LapList(s.pitLaps),
            LapList(s.penaltyLaps),
            s.fastestLap ? TrF("{1}秒（{2}周目）", TimeText(race.fastestTime), race.fastestLap) : std::string(),
            s.retiredLap ? TrF("{1}周目", s.retiredLap) : std::string(),
            std::to_string(s.points)};
}

std::string RaceReportSummary(const RaceLaps& race) {
    std::string summary = TrF("決勝 {1}周　スタート時の天気 {2}", race.Laps(), WeatherText(race.startWeather));
    if (race.fastestCar >= 1 && race.fastestCar <= race.Cars())
        summary += TrF("　ファステストラップ {1} {2}秒（{3}周目）", race.grid[size_t(race.fastestCar - 1)].DrvNm,
                       TimeText(race.fastestTime), race.fastestLap);
    return summary;
}

uint32_t WeatherColour(int weather) {
    switch (weather) {
    case 1: return 0xFFC446; // fine
    case 2: return 0xAAB0BC; // cloudy
    default: return 0x2F5FC4; // rain, dark enough for its white letter
    }
}

std::string GainedText(int gained) {
    if (gained > 0) return "↑" + std::to_string(gained);
    if (gained < 0) return "↓" + std::to_string(-gained);
    return "―";
}

int LapTickInterval(int laps) { return laps <= 10 ? 1 : laps <= 20 ? 2 : laps <= 50 ? 5 : 10; }

GapScale GapAxisScale(double most) {
    most = std::max(most, 0.5);
    const double unit = std::pow(10.0, std::floor(std::log10(most / 5)));
    double step = unit;
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (most / (m * unit) <= 10) {
            step = m * unit;
            break;
        }
    GapScale scale;
    scale.steps = std::max(1, int(std::ceil(most * 1.02 / step)));
    scale.step = step;
    scale.top = scale.steps * step;
    return scale;
}

} // namespace karven
