#include "race/RaceEnd.h"

#include "race/RaceState.h"
#include "season/Numbers.h"
#include "season/Points.h"
#include "season/Season.h"
#include "shell/FrmKarvenRace.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "shell/Shell.h"

namespace karven {

namespace {
void Add(std::string& field, double amount) { field = FormatPlain(ReadNumber(field) + amount); }

// Career and result of one starter, and his team's points.
void Book(RaceState& race, int k, int gp) {
    Season& season = race.season;
    const EntryRecord& car = race.table[k];
    int points = PointsForPlace(k);
    bool retired = car.Retired != "0";
    if (car.DrvNo == race.FlDrvNo && k <= GridRows) race.main.lbl(1, k).text = "FL";
    // The season may have been replaced since qualifying: book only drivers and teams that exist.
    int d = ReadCount(car.DrvNo);
    if (d >= 1 && d < int(season.DrvTable.size())) {
        DrvRecord& driver = season.DrvTable[d];
        Add(driver.CareerGp, 1);
        if (k == 1) Add(driver.CareerWins, 1);
        if (car.DrvNo == race.FlDrvNo) Add(driver.CareerFl, 1);
        Add(driver.CareerPoints, points);
        double best = ReadNumber(driver.CareerBest);
        if (!retired && (best == 0 || best > k)) driver.CareerBest = FormatPlain(k);
        if (gp >= 1 && gp <= ResultSlots) driver.Result[gp] = retired ? "0" : FormatPlain(k);
    }
    int t = ReadCount(car.TimNo);
    if (t >= 1 && t < int(season.TimTable.size())) Add(season.TimTable[t].Points, points);
}
} // namespace

void FinishRace(RaceState& race) {
    Shell& shell = race.shell;
    Season& season = race.season;
    shell.MsgText = "レースが終了しました。";
    ShowOk(shell);
    SetRaceView(race.main, 1);
    SetMainState(race.main, 2);

    int endGp = ReadCount(season.Sis.EndGp) + 1;
    season.Sis.EndGp = FormatPlain(endGp);
    if (endGp >= ReadCount(season.Sis.GpCount)) {
        shell.MsgText = "すべての日程が終了しました。";
        ShowOk(shell);
        SetRaceView(race.main, 1);
        SetMainState(race.main, 4);
    }
    race.lblTitle->text = "第" + std::to_string(endGp) + "戦 " + race.gp.GpNm + " ＧＰ 決勝結果";
    for (int k = 1; k <= race.nin; ++k) Book(race, k, endGp);
}

} // namespace karven
