// レース分析 as a form: the race chosen drawn as a lap chart (places, marks where a car stopped,
// was penalised or broke down), a gap chart whose cars the player checks, and the report with
// the weather lap by lap in letters as well as colours.
#include <gtest/gtest.h>

#include <algorithm>

#include "RaceFixture.h"
#include "odds/AnalysisView.h"
#include "odds/FrmRaceAnalysis.h"
#include "odds/RaceStory.h"
#include "race/SilentWeekend.h"
#include "shell/Chart.h"
#include "shell/Random.h"
#include "shell/Strip.h"
#include "support/LoadSeason.h"

using namespace karven;
using namespace karven::test;

namespace {
// The default season after `gps` Grands Prix played as the game plays them.
struct PlayedSeason : RaceFixture {
    explicit PlayedSeason(int gps, uint64_t seed = 11) : RaceFixture(DefaultSeason()) {
        GameRandom dice(seed);
        for (int g = 0; g < gps; ++g) EXPECT_TRUE(PlayGrandPrix(season, dice, {}));
    }
};

double Most(const Chart& chart, const std::vector<bool>& checks) {
    double most = 0;
    for (size_t i = 0; i < chart.lines.size(); ++i)
        if (checks[i])
            for (double v : chart.lines[i].values) most = std::max(most, v);
    return most;
}
} // namespace

TEST(RaceAnalysisWindow, TheRaceJustRunHasALineAndAReportRowForEveryCarAndItsMarks) {
    PlayedSeason s(3);
    const std::vector<RaceLaps>& races = s.season.history.laps;
    ASSERT_EQ(races.size(), 3u);
    FrmRaceAnalysis form(s.shell);
    const Control& picker = form("raceGp");
    EXPECT_EQ(picker.items.size(), 3u);
    EXPECT_EQ(picker.listIndex, 2) << "the race just run";
    EXPECT_EQ(picker.text, RaceTitle(s.season, races[2]));
    EXPECT_FALSE(picker.style.typed);
    EXPECT_EQ(form("raceTabs").items.size(), 3u);

    const RaceLaps& race = races[2];
    const int laps = race.Laps();
    const std::vector<CarStory> cars = CarStories(race);
    const Chart& places = *form("raceLapChart").chart;
    const Chart& gaps = *form("raceGapChart").chart;
    ASSERT_EQ(places.lines.size(), cars.size());
    ASSERT_EQ(gaps.lines.size(), cars.size());
    EXPECT_TRUE(places.y.reversed && places.y.fitLabels) << "first place at the top, the numbers as the room allows";
    EXPECT_DOUBLE_EQ(places.y.top - places.y.from, double(cars.size()));
    EXPECT_DOUBLE_EQ(places.x.top, laps);
    size_t marks = 0, retired = 0;
    for (size_t i = 0; i < cars.size(); ++i) {
        const CarStory& car = cars[i];
        const ChartLine& line = places.lines[i];
        EXPECT_NE(line.name.find(car.names.DrvNm), std::string::npos);
        EXPECT_EQ(line.summary, CarSummary(car));
        EXPECT_EQ(line.first, 0);
        // A car that broke down: its line ends at the lap it broke in, where it stood.
        EXPECT_EQ(int(line.values.size()), car.retiredLap ? car.retiredLap + 1 : laps + 1) << line.name;
        EXPECT_EQ(line.values.back(), car.retiredLap ? car.retiredPlace : car.finish) << line.name;
        EXPECT_EQ(line.values.front(), car.car) << "from its grid place";
        EXPECT_EQ(gaps.lines[i].first, 1) << "the gaps start with the first lap";
        EXPECT_EQ(int(gaps.lines[i].values.size()), car.retiredLap ? car.retiredLap - 1 : laps);
        for (int lap : car.pitLaps) marks += lap >= 0 && lap <= laps;
        for (int lap : car.penaltyLaps) marks += lap >= 0 && lap <= laps;
        retired += car.retiredLap != 0;
    }
    EXPECT_EQ(places.marks.size(), marks + retired);
    for (const ChartMark& m : places.marks) {
        ASSERT_GE(m.line, 0);
        ASSERT_LT(m.line, int(cars.size()));
        EXPECT_EQ(m.value, places.lines[size_t(m.line)].At(m.step)) << "a mark sits on its car's line";
        if (m.kind == 2) EXPECT_EQ(cars[size_t(m.line)].retiredLap, m.step) << "✕ where it broke down";
    }
    EXPECT_EQ(places.markNames, (std::vector<std::string>{"ピットイン", "ペナルティ", "リタイア"}));

    const Control& report = form("raceReport");
    ASSERT_EQ(report.rows.size(), cars.size());
    for (size_t i = 0; i < cars.size(); ++i) EXPECT_EQ(report.rows[i], RaceReportRow(race, cars[i]));
    EXPECT_EQ(report.columns.size(), RaceReportHeadings().size());
    EXPECT_EQ(form("raceSummary").text, RaceReportSummary(race));

    const Control& weather = form("raceWeather");
    ASSERT_TRUE(weather.strip);
    ASSERT_EQ(int(weather.strip->cells.size()), laps + 1);
    EXPECT_EQ(weather.strip->cells[0].below, "S");
    EXPECT_EQ(weather.strip->cells[0].letter, WeatherLetter(race.startWeather));
    EXPECT_EQ(weather.strip->cells.back().below, std::to_string(laps));
    for (const StripCell& cell : weather.strip->cells) EXPECT_FALSE(cell.letter.empty()) << "never the colour alone";
    EXPECT_EQ(weather.spoken, WeatherStory(race));
}

TEST(RaceAnalysisWindow, ChoosingAnotherRaceDrawsItsChartsAndReport) {
    PlayedSeason s(3);
    FrmRaceAnalysis form(s.shell);
    form("raceLapChart").listIndex = 4;
    Control& picker = form("raceGp");
    picker.listIndex = 0;
    picker.onClick();
    const RaceLaps& first = s.season.history.laps[0];
    const std::vector<CarStory> cars = CarStories(first);
    EXPECT_EQ(picker.text, RaceTitle(s.season, first));
    EXPECT_EQ(form("raceReport").rows.front()[1], cars.front().names.DrvNm);
    EXPECT_EQ(form("raceLapChart").chart->lines.front().summary, CarSummary(cars.front()));
    EXPECT_EQ(form("raceLapChart").listIndex, -1) << "no line of another race stays picked";
    EXPECT_EQ(form("raceSummary").text, RaceReportSummary(first));
}

TEST(RaceAnalysisWindow, TheGapChartDrawsTheBestTenAtFirstAndItsScaleFollowsTheChecks) {
    PlayedSeason s(2);
    FrmRaceAnalysis form(s.shell);
    Control& gap = form("raceGapChart");
    const size_t cars = gap.chart->lines.size();
    ASSERT_GT(cars, size_t(RaceAnalysisWords::GapCarsAtFirst));
    ASSERT_EQ(gap.checks.size(), cars);
    for (size_t i = 0; i < cars; ++i) EXPECT_EQ(gap.checks[i], int(i) < RaceAnalysisWords::GapCarsAtFirst) << i;
    EXPECT_DOUBLE_EQ(gap.chart->y.top, GapAxisScale(Most(*gap.chart, gap.checks)).top);

    // Only the winner and the last car left: the scale fits what is drawn.
    std::fill(gap.checks.begin(), gap.checks.end(), false);
    gap.checks.front() = gap.checks.back() = true;
    const auto before = gap.chart;
    gap.onChange();
    EXPECT_NE(gap.chart, before) << "a new chart, so that the front ends draw it again";
    EXPECT_DOUBLE_EQ(gap.chart->y.top, GapAxisScale(Most(*gap.chart, gap.checks)).top);
    EXPECT_DOUBLE_EQ(gap.chart->y.step, GapAxisScale(Most(*gap.chart, gap.checks)).step);
    EXPECT_EQ(gap.chart->lines.size(), cars) << "the cars unchecked keep their entries";
}

TEST(RaceAnalysisWindow, TheWordsUnderTheChartTellOfTheLinePickedAndThePointerStep) {
    PlayedSeason s(1);
    FrmRaceAnalysis form(s.shell);
    const Chart& places = *form("raceLapChart").chart;
    const Chart& gaps = *form("raceGapChart").chart;
    const std::vector<CarStory> cars = CarStories(s.season.history.laps.back());
    EXPECT_EQ(places.Words(-1, -1), places.info);
    EXPECT_FALSE(places.info.empty());
    const CarStory& second = cars[1];
    EXPECT_EQ(places.Words(1, -1), CarSummary(second));
    EXPECT_EQ(places.Words(1, 3), CarSummary(second) + "\n3周目 " + std::to_string(second.place[3]) + "位");
    EXPECT_EQ(places.PointTip(1, 3), CarName(second) + "\n3周目 " + std::to_string(second.place[3]) + "位");
    // The gaps to the leader in hundredths; the lap before the first is the first's.
    char gap[32];
    std::snprintf(gap, sizeof gap, "%.2f", second.gap[1]);
    EXPECT_EQ(gaps.PointTip(1, 0), CarName(second) + "\n0周目 トップとの差 " + gap + " 秒");
    for (const ChartMark& m : places.marks) {
        const std::string tip = places.MarkTip(m);
        EXPECT_EQ(tip.rfind(CarName(cars[size_t(m.line)]) + "\n" + std::to_string(m.step) + "周目 ", 0), 0u) << tip;
    }
}

TEST(RaceAnalysisWindow, BeforeAnyRaceItSaysThereIsNothingToLookBackOn) {
    PlayedSeason s(0);
    FrmRaceAnalysis form(s.shell);
    EXPECT_FALSE(form("raceGp").enabled);
    EXPECT_FALSE(form("raceTabs").visible);
    EXPECT_FALSE(form("raceLapChart").visible);
    EXPECT_FALSE(form("raceReport").visible);
    EXPECT_TRUE(form("raceNone").visible);
    EXPECT_EQ(form.defaultButton, "analysisClose");
    EXPECT_EQ(form.cancelButton, "analysisClose");
}

TEST(ChartAxis, AFittedAxisWritesEveryNumberItHasRoomFor) {
    EXPECT_EQ(FittedLabelEvery(30, 24), 1);
    EXPECT_EQ(FittedLabelEvery(14, 24), 2);
    EXPECT_EQ(FittedLabelEvery(7, 24), 5);
    EXPECT_EQ(FittedLabelEvery(2, 24), 20);
    ChartLine line;
    line.first = 1;
    line.values = {4, 5, 6};
    EXPECT_EQ(line.At(0), 4) << "before the line: its first value";
    EXPECT_EQ(line.At(2), 5);
    EXPECT_EQ(line.At(9), 6) << "past its end: its last";
}
