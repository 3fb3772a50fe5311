// ポイント推移 as a form: its pages under tabs, a chart of each, the list and the legend picking
// the same line, machine colours read from the colour pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "RaceFixture.h"
#include "support/TempDir.h"
#include "odds/FrmPoints.h"
#include "odds/MachinePalette.h"
#include "shell/Bitmap.h"
#include "shell/Chart.h"

using namespace karven;
using namespace karven::test;

namespace {
// A 24-bit bitmap of `width` × 2 pixels: the first `red` pixels of each row red, the rest white.
void WriteBitmap(const std::string& path, int width, int red, uint32_t colour = 0xC81E1E) {
    const int stride = (width * 3 + 3) / 4 * 4, size = 54 + stride * 2;
    std::string b(size_t(size), '\0');
    auto put = [&b](size_t at, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) b[at + size_t(i)] = char(v >> (8 * i) & 255);
    };
    b[0] = 'B', b[1] = 'M';
    put(2, uint32_t(size), 4), put(10, 54, 4), put(14, 40, 4), put(18, uint32_t(width), 4), put(22, 2, 4);
    put(26, 1, 2), put(28, 24, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < width; ++x) put(54 + size_t(y * stride + x * 3), x < red ? colour : 0xFFFFFF, 3);
    std::ofstream(path, std::ios::binary) << b;
}

struct PointsSeason : RaceFixture {
    TempDir dir;
    PointsSeason() : RaceFixture(MakeSeason(3, 2, 4)) {
        season.Sis.EndGp = "3";
        const char* results[][4] = {{"", "1", "0", "2"}, {"", "2", "1", "1"}, {"", "3", "", "9"},
                                    {"", "", "", ""},    {"", "0", "2", ""},  {"", "5", "3", "3"}};
        for (int d = 1; d <= 6; ++d)
            for (int g = 1; g <= 3; ++g) season.DrvTable[d].Result[g] = results[d - 1][g];
        platform.appPath = dir.path().string() + "/";
        std::filesystem::create_directories(dir.path() / "img" / "color");
        WriteBitmap(dir / "img/color/0001.dat", 10, 6);                   // red over most of it
        WriteBitmap(dir / "img/color/0002.dat", 10, 6, 0x1E3CC8);         // blue
        WriteBitmap(dir / "img/color/0003.dat", 10, 6, 0xC81E1E);         // red again: another shade
    }
};

const Chart& ChartOf(Form& form, const char* name) { return *form(name).chart; }
} // namespace

TEST(PointsWindow, PagesUnderTabsEachShowItsOwnControls) {
    PointsSeason s;
    FrmPoints form(s.shell);
    Control& tabs = form("pointsTabs");
    ASSERT_EQ(tabs.kind, ControlKind::Tabs);
    EXPECT_EQ(tabs.items, (std::vector<std::string>{"ドライバー（上位10人）", "チーム"}));
    EXPECT_EQ(tabs.itemTips.size(), 2u);
    EXPECT_EQ(tabs.listIndex, 0);
    EXPECT_TRUE(form("pointsDriversChart").visible && form("pointsHighlight", 0).visible);
    EXPECT_FALSE(form("pointsTeamsChart").visible || form("pointsHighlight", 1).visible);
    tabs.listIndex = 1;
    form.Click("pointsTabs");
    EXPECT_FALSE(form("pointsDriversChart").visible || form("lblHighlight", 0).visible);
    EXPECT_TRUE(form("pointsTeamsChart").visible && form("lblHighlight", 1).visible);
    EXPECT_TRUE(form("analysisNote").visible) << "beside the pages, on every page";
    form.Click("analysisClose");
    EXPECT_TRUE(form.IsClosed());
    EXPECT_EQ(form.cancelButton, "analysisClose");
}

TEST(PointsWindow, ChartsAddUpTheGrandsPrixAndTeamMatesShareAColourByLook) {
    PointsSeason s;
    FrmPoints form(s.shell);
    const Chart& drivers = ChartOf(form, "pointsDriversChart");
    ASSERT_EQ(drivers.lines.size(), 5u) << "drivers without points are left out";
    EXPECT_EQ(drivers.lines[0].name, "ドライバー2");
    EXPECT_EQ(drivers.lines[0].values, (std::vector<double>{0, 8, 18, 28}));
    EXPECT_EQ(drivers.x.top, 3);
    EXPECT_GE(drivers.y.top, 28 + 2);
    EXPECT_EQ(drivers.PointTip(0, 2), "ドライバー2\n第2戦まで 18 ポイント");
    // Drivers 1 and 2 drive for team 1: one colour, two looks; team 3's red is another shade.
    const ChartLine &d2 = drivers.lines[0], &d1 = drivers.lines[1];
    ASSERT_EQ(d1.name, "ドライバー1");
    EXPECT_EQ(d1.colour, d2.colour);
    EXPECT_NE(d1.look, d2.look);
    EXPECT_EQ(d2.colour, 0xC81E1Eu) << "the machine's own colour, read from its picture";
    for (const ChartLine& line : drivers.lines) {
        const bool mate = line.name == "ドライバー1" || line.name == "ドライバー2";
        if (!mate) {
            EXPECT_NE(line.colour, d2.colour) << line.name;
        }
    }
    const Chart& teams = ChartOf(form, "pointsTeamsChart");
    ASSERT_EQ(teams.lines.size(), 3u);
    EXPECT_EQ(teams.lines[0].values, (std::vector<double>{0, 18, 28, 46}));
    EXPECT_NE(teams.lines[0].colour, teams.lines[1].colour);
    EXPECT_NE(teams.lines[0].colour, teams.lines[2].colour);
}

TEST(PointsWindow, TheListAndTheLegendPickTheSameLine) {
    PointsSeason s;
    FrmPoints form(s.shell);
    Control& picker = form("pointsHighlight", 0);
    Control& chart = form("pointsDriversChart");
    EXPECT_FALSE(picker.style.typed);
    EXPECT_EQ(picker.labelledBy, "lblHighlight(0)");
    EXPECT_EQ(form("lblHighlight", 0).accessKey, 'H');
    EXPECT_EQ(form("lblHighlight", 0).text, "強調表示(H)：");
    ASSERT_EQ(picker.items.size(), 6u);
    EXPECT_EQ(picker.items[0], "なし");
    EXPECT_EQ(chart.listIndex, -1);
    picker.listIndex = 2;
    form.Click("pointsHighlight", 0);
    EXPECT_EQ(chart.listIndex, 1);
    chart.listIndex = 3; // a legend entry
    form.Click("pointsDriversChart");
    EXPECT_EQ(picker.listIndex, 4);
    EXPECT_EQ(picker.text, picker.items[4]);
    chart.listIndex = -1; // the same entry again
    form.Click("pointsDriversChart");
    EXPECT_EQ(picker.listIndex, 0);
    EXPECT_EQ(picker.text, "なし");
    EXPECT_EQ(form("pointsTeamsChart").listIndex, -1) << "each page picks on its own";
}

TEST(PointsWindow, BeforeAnyGrandPrixEachPageSaysSoInsteadOfAChart) {
    PointsSeason s;
    s.season.Sis.EndGp = "0";
    FrmPoints form(s.shell);
    EXPECT_EQ(form.Find("pointsDriversChart"), nullptr);
    EXPECT_EQ(form("pointsDrivers").text, "まだポイントを獲得したドライバーがいません。");
    EXPECT_FALSE(form("pointsTeams").visible);
}

TEST(PointsWindow, ChartAxesEndOnANiceStep) {
    struct Case {
        double most, top, step;
    } cases[] = {{10, 10, 2}, {50, 50, 10}, {57, 60, 10}, {112, 120, 20}, {140, 150, 25}, {6, 6, 1}, {0, 1, 0.2}};
    for (const Case& c : cases) {
        const ChartAxis axis = NiceAxis("t", c.most);
        EXPECT_DOUBLE_EQ(axis.top, c.top) << c.most;
        EXPECT_DOUBLE_EQ(axis.step, c.step) << c.most;
        EXPECT_LE(axis.top / axis.step, 6 + 1e-9) << c.most;
    }
    EXPECT_EQ(StepLabelEvery(17), 1);
    EXPECT_EQ(StepLabelEvery(60), 2);
    EXPECT_EQ(ChartNumber(18), "18");
    EXPECT_EQ(ChartNumber(2.5), "2.5");
}

TEST(MachineColour, TheCommonestColourThatShowsOnWhiteFromTheBitmap) {
    TempDir dir;
    WriteBitmap(dir / "red.dat", 10, 6);
    const std::vector<uint32_t> pixels = ReadBitmapPixels(dir / "red.dat");
    ASSERT_EQ(pixels.size(), 20u);
    EXPECT_EQ(MachineColour(pixels, 0), 0xC81E1Eu);
    // A white machine is drawn a shade darker, so that it shows.
    WriteBitmap(dir / "white.dat", 10, 0);
    const uint32_t white = MachineColour(ReadBitmapPixels(dir / "white.dat"), 0);
    EXPECT_LT(white & 0xFF, 0xC0u);
    EXPECT_EQ(MachineColour({}, 0x123456), 0x123456u) << "no picture";
    std::ofstream(dir / "broken.dat", std::ios::binary) << "BM not a bitmap";
    EXPECT_TRUE(ReadBitmapPixels(dir / "broken.dat").empty());
    EXPECT_TRUE(ReadBitmapPixels(dir / "none.dat").empty());
}
