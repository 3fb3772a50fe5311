#include "odds/FrmPoints.h"

#include <algorithm>
#include <iterator>

#include "odds/AnalysisView.h"
#include "odds/MachinePalette.h"
#include "odds/PointsHistory.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Chart.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

namespace {
constexpr int TopDrivers = 10;
constexpr int Width = 820, Height = 580;
constexpr Rect PageArea{8, 44, Width - 16, 440};
} // namespace

FrmPoints::FrmPoints(Shell& shell) : Form("frmPoints", PointsWords::Title), pages_(*this, "pointsTabs", {8, 8, Width - 16, 30}) {
    geometry = {0, 0, Width, Height};
    for (const AnalysisPage& page : PointsWords::Pages) pages_.AddPage(page.title, page.tip);
    for (int p = 0; p < int(std::size(PointsWords::Pages)); ++p) AddPage(shell, p);
    Control& note = Add(ControlKind::Label, "analysisNote", {12, 490, Width - 24, 40}, PointsWords::Note);
    note.style.wrap = true;
    Control& close = Add(ControlKind::Button, "analysisClose", {Width - 108, 540, 96, 30}, "閉じる");
    close.toolTip = "ウィンドウを閉じます（Esc）。";
    close.onClick = [this] { Close(); };
    defaultButton = cancelButton = "analysisClose";
}

void FrmPoints::AddPage(Shell& shell, int p) {
    const Season& season = shell.season;
    const AnalysisPage& page = PointsWords::Pages[p];
    const int gps = std::clamp(ReadCount(season.Sis.EndGp), 0, ResultSlots);
    const std::vector<PointsLine> lines = p == 0 ? DriverPointsLines(season, TopDrivers) : TeamPointsLines(season);
    if (gps < 1 || lines.empty()) {
        Control& none = pages_.Put(p, Add(ControlKind::Label, page.key, PageArea, "まだポイントを獲得したドライバーがいません。"));
        none.style.align = Align::Center;
        return;
    }
    auto chart = std::make_shared<Chart>();
    MachinePalette palette(shell);
    double most = 0;
    for (const PointsLine& line : lines) {
        ChartLine& shown = chart->lines.emplace_back();
        shown.name = line.name;
        shown.colour = palette.Of(line.colorNo);
        shown.look = palette.NextLook(line.colorNo);
        for (int g = 0; g <= gps && g < int(line.points.size()); ++g) shown.values.push_back(line.points[size_t(g)]);
        most = std::max<double>(most, shown.values.back());
    }
    chart->x.title = Tr("グランプリ");
    chart->x.top = gps;
    chart->x.labelEvery = StepLabelEvery(gps);
    chart->y = NiceAxis(Tr("ポイント"), std::max(10.0, most + double(int(most) / 10)));
    chart->pointTip = "{1}\n第{2}戦まで {3} ポイント";
    chart->legendTip = Tr("クリックすると、その線を強調します。");

    auto [caption, key] = SplitAccessKey(Tr("強調表示(&H)："));
    Control& label = pages_.Put(p, Add(ControlKind::Label, "lblHighlight", p, {16, 48, 124, 26}, caption));
    label.accessKey = key;
    Control& picker = pages_.Put(p, Add(ControlKind::ComboBox, "pointsHighlight", p, {144, 46, 260, 28}));
    picker.style.typed = false;
    picker.labelledBy = label.Key();
    picker.toolTip = "選んだ線を太く表示し、ほかの線を薄くします。";
    picker.items.push_back(Tr("なし"));
    for (const ChartLine& line : chart->lines) picker.items.push_back(line.name);
    picker.listIndex = 0;
    picker.text = picker.items[0];
    Control& drawn = pages_.Put(p, Add(ControlKind::Chart, std::string(page.key) + "Chart", {8, 82, Width - 16, 402}));
    drawn.toolTip = "線の上にマウスを置くと、その時点のポイントを表示します。凡例をクリックすると、その線を強調します。";
    drawn.spoken = Tr(page.title);
    drawn.chart = std::move(chart);
    // The list and the legend pick the same line: なし is the list's first entry.
    picker.onClick = [&picker, &drawn] { drawn.listIndex = picker.listIndex - 1; };
    drawn.onClick = [&picker, &drawn] {
        picker.listIndex = drawn.listIndex + 1;
        picker.text = picker.items[size_t(std::clamp(picker.listIndex, 0, int(picker.items.size()) - 1))];
    };
}

void ShowPoints(Shell& shell) {
    FrmPoints form(shell);
    shell.platform.ShowModal(form);
}

} // namespace karven
