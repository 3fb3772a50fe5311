#include "odds/FrmRaceAnalysis.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "odds/AnalysisView.h"
#include "odds/MachinePalette.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Chart.h"
#include "shell/Platform.h"
#include "shell/Shell.h"
#include "shell/Strip.h"

namespace karven {

namespace {
using Words = RaceAnalysisWords;
constexpr int Width = 980, Height = 700;
constexpr int PageTop = 84, PageHeight = 532;
enum Mark { PitMark, PenaltyMark, RetiredMark };

// A car's line: its places from the grid (ending where it broke down) or its gaps from lap 1.
ChartLine CarLine(const CarStory& s, int laps, bool places) {
    ChartLine line;
    char entry[16];
    std::snprintf(entry, sizeof entry, "%2d  ", s.finish);
    line.name = entry + s.names.DrvNm;
    line.who = CarName(s);
    line.summary = CarSummary(s);
    line.first = places ? 0 : 1;
    for (int lap = line.first; lap <= laps && s.Ran(lap); ++lap)
        line.values.push_back(places ? s.place[size_t(lap)] : s.gap[size_t(lap)]);
    if (places && s.retiredLap) line.values.push_back(s.retiredPlace);
    return line;
}

// ○ at each stop, ▲ at each penalty, ✕ where it broke down.
void AddMarks(Chart& chart, const std::vector<CarStory>& stories, int laps) {
    for (int kind : {PitMark, PenaltyMark, RetiredMark})
        for (int row = 0; row < int(stories.size()); ++row) {
            const CarStory& s = stories[size_t(row)];
            if (kind == RetiredMark) {
                if (s.retiredLap) chart.marks.push_back({row, s.retiredLap, double(s.retiredPlace), kind});
                continue;
            }
            for (int lap : kind == PitMark ? s.pitLaps : s.penaltyLaps) {
                if (lap < 0 || lap > laps) continue;
                // A car that broke in the lap it stopped stands where it broke.
                const int place = s.Ran(lap) ? s.place[size_t(lap)] : s.retiredPlace;
                chart.marks.push_back({row, lap, double(place), kind});
            }
        }
    for (const char* name : Words::Marks) chart.markNames.push_back(Tr(name));
    chart.markTip = Words::AtMark;
}

std::shared_ptr<Chart> RaceChart(Shell& shell, const std::vector<CarStory>& stories, int laps, bool places) {
    auto chart = std::make_shared<Chart>();
    MachinePalette palette(shell);
    for (const CarStory& s : stories) {
        ChartLine& line = chart->lines.emplace_back(CarLine(s, laps, places));
        line.colour = palette.Of(s.names.ColorNo);
        line.look = palette.NextLook(s.names.ColorNo);
    }
    chart->x.title = Tr(places ? Words::LapAxis : Words::GapLapAxis);
    chart->x.top = std::max(laps, 1);
    chart->x.step = LapTickInterval(laps);
    chart->y.reversed = true; // first place, and the leader, at the top
    if (places) {
        chart->y.title = Tr(Words::PlaceAxis);
        chart->y.from = 0.5;
        chart->y.top = std::max(int(stories.size()), 1) + 0.5;
        chart->y.fitLabels = true;
        chart->stepWords = Words::AtPlace;
        AddMarks(*chart, stories, laps);
    } else {
        chart->y.title = Tr(Words::GapAxis);
        chart->y.decimals = 2;
        chart->stepWords = Words::AtGap;
    }
    chart->legendList = true;
    chart->markers = false; // too many laps for a marker on each
    chart->legendTip = Tr(places ? Words::LapLegendTip : Words::GapLegendTip);
    chart->info = Tr(Words::Info);
    return chart;
}

std::shared_ptr<Strip> WeatherStrip(const RaceLaps& race) {
    auto strip = std::make_shared<Strip>();
    strip->caption = Tr("天気");
    std::vector<int> weather{race.startWeather};
    weather.insert(weather.end(), race.weather.begin(), race.weather.end());
    const int n = int(weather.size());
    for (int i = 0; i < n; ++i) {
        StripCell& cell = strip->cells.emplace_back();
        cell.letter = WeatherLetter(weather[size_t(i)]);
        cell.colour = WeatherColour(weather[size_t(i)]);
        cell.letterColour = weather[size_t(i)] == 3 ? 0xFFFFFF : 0x202020;
        if (i == 0) cell.below = "S";
        else if (i % 5 == 0 || i == n - 1) cell.below = std::to_string(i);
    }
    return strip;
}
} // namespace

FrmRaceAnalysis::FrmRaceAnalysis(Shell& shell)
    : Form("frmRaceAna", Words::Title), shell_(shell), pages_(*this, "raceTabs", {8, 46, Width - 16, 30}) {
    geometry = {0, 0, Width, Height};
    const auto& races = shell.season.history.laps;
    auto [caption, key] = SplitAccessKey(Tr(Words::Picker));
    Control& label = Add(ControlKind::Label, "lblRaceGp", {12, 12, 120, 26}, caption);
    label.accessKey = key;
    Control& picker = Add(ControlKind::ComboBox, "raceGp", {136, 10, 340, 28});
    picker.style.typed = false;
    picker.labelledBy = label.Key();
    picker.toolTip = Words::PickerTip;
    for (const RaceLaps& race : races) picker.items.push_back(RaceTitle(shell.season, race));

    for (const AnalysisPage& page : Words::Pages) pages_.AddPage(page.title, page.tip);
    const Rect area{8, PageTop, Width - 16, PageHeight};
    for (int p = 0; p < 2; ++p) {
        Control& chart = pages_.Put(p, Add(ControlKind::Chart, p == 0 ? "raceLapChart" : "raceGapChart", area));
        chart.toolTip = p == 0 ? Words::LapChartTip : Words::GapChartTip;
        chart.spoken = Words::Pages[p].title;
    }
    Control& strip = pages_.Put(2, Add(ControlKind::Strip, "raceWeather", {12, PageTop + 4, Width - 24, 36}));
    strip.toolTip = "スタート（S）と周回ごとの天気：晴（黄）晴れ、曇（灰）くもり、雨（青）雨。";
    pages_.Put(2, Add(ControlKind::Label, "raceSummary", {12, PageTop + 44, Width - 24, 24}));
    Control& report = pages_.Put(2, Add(ControlKind::Table, "raceReport", {12, PageTop + 72, Width - 24, PageHeight - 76}));
    report.toolTip = "ゴール時の順位です。増減はグリッドからの順位の上下、ピットとペナルティは入った周回です。";
    report.spoken = Words::Pages[2].title;
    for (const ReportColumn& column : RaceReportColumns) // the names take what the numbers leave
        report.columns.push_back({column.heading, column.width, column.number ? Align::Right : Align::Left});

    Control& note = Add(ControlKind::Label, "analysisNote", {12, PageTop + PageHeight + 6, Width - 140, 48}, Words::Note);
    note.style.wrap = true;
    Control& close = Add(ControlKind::Button, "analysisClose", {Width - 108, Height - 42, 96, 30}, "閉じる");
    close.toolTip = "ウィンドウを閉じます（Esc）。";
    close.onClick = [this] { Close(); };
    defaultButton = cancelButton = "analysisClose";

    if (races.empty()) {
        picker.enabled = false;
        pages_.Tabs().visible = false;
        for (Control* c : {&(*this)("raceLapChart"), &(*this)("raceGapChart"), &strip, &(*this)("raceSummary"), &report})
            c->visible = false;
        Control& none = Add(ControlKind::Label, "raceNone", area, Words::None);
        none.style.align = Align::Center;
        return;
    }
    focusRequest = "raceGp"; // the race first; Tab goes on to the page's list
    picker.onClick = [this] { ShowRace((*this)("raceGp").listIndex); };
    // The line picked out is kept in the form, so that it stays picked when the window is drawn again.
    (*this)("raceLapChart").onClick = [] {};
    Control& gap = (*this)("raceGapChart");
    gap.onClick = [] {};
    gap.onChange = [this] { FitGaps(); };
    ShowRace(int(races.size()) - 1); // the race just run
}

void FrmRaceAnalysis::ShowRace(int index) {
    const auto& races = shell_.season.history.laps;
    if (index < 0 || index >= int(races.size()) || index == shown_) return;
    shown_ = index;
    const RaceLaps& race = races[size_t(index)];
    Control& picker = (*this)("raceGp");
    picker.listIndex = index;
    picker.text = picker.items[size_t(index)];
    const std::vector<CarStory> stories = CarStories(race);
    const int laps = race.Laps();

    Control& lap = (*this)("raceLapChart");
    lap.chart = RaceChart(shell_, stories, laps, true);
    lap.listIndex = -1;
    Control& gap = (*this)("raceGapChart");
    gap.chart = RaceChart(shell_, stories, laps, false);
    gap.listIndex = -1;
    gap.checks.assign(stories.size(), false);
    for (size_t row = 0; row < gap.checks.size() && int(row) < Words::GapCarsAtFirst; ++row) gap.checks[row] = true;
    FitGaps();

    Control& strip = (*this)("raceWeather");
    strip.strip = WeatherStrip(race);
    strip.spoken = WeatherStory(race);
    (*this)("raceSummary").text = RaceReportSummary(race);
    Control& report = (*this)("raceReport");
    report.rows.clear();
    for (const CarStory& s : stories) report.rows.push_back(RaceReportRow(race, s));
    report.listIndex = -1;
}

void FrmRaceAnalysis::FitGaps() {
    Control& gap = (*this)("raceGapChart");
    if (!gap.chart) return;
    double most = 0;
    for (size_t row = 0; row < gap.chart->lines.size(); ++row)
        if (row < gap.checks.size() && gap.checks[row])
            for (double v : gap.chart->lines[row].values) most = std::max(most, v);
    // Five to ten steps: the toolkits' own nice numbers keep to four and can leave a third empty.
    const GapScale scale = GapAxisScale(most);
    auto fitted = std::make_shared<Chart>(*gap.chart);
    fitted->y.top = scale.top;
    fitted->y.step = scale.step;
    gap.chart = std::move(fitted);
}

void ShowRaceAnalysis(Shell& shell) {
    FrmRaceAnalysis form(shell);
    shell.platform.ShowModal(form);
}

} // namespace karven
