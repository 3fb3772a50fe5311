#include "weekend/Qualifying.h"

#include <algorithm>

#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/Grid.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "shell/Random.h"
#include "shell/Shell.h"
#include "weekend/CourseFactor.h"
#include "weekend/EntryTables.h"

namespace karven {

namespace {

EntryRecord EntryOf(const DrvRecord& d, const TimRecord& t) {
    EntryRecord e;
    e.TimNo = d.TimNo;
    e.TimNm = t.TimNm;
    e.ColorNo = t.ColorNo;
    e.Speed = t.Speed;
    e.Aero = t.Aero;
    e.TimStability = t.Stability;
    e.DrvNo = d.DrvNo;
    e.DrvNm = d.DrvNm;
    e.Technique = d.Technique;
    e.Roughness = d.Roughness;
    e.Block = d.Block;
    e.DrvStability = d.Stability;
    e.Retired = e.PitCount = e.RainTyre = e.TyreLaps = e.Time = e.PenLap = "0";
    return e;
}

// The better of an attempt on the circuit's base and one on the plain speed rating.
std::string QualifyingTime(Random& random, const std::string& courseType, const EntryRecord& e) {
    double aero = ReadNumber(e.Aero);
    double technique = ReadNumber(e.Technique);
    double a = CourseFactor(courseType, e.Speed);
    a += random.Next() * aero;
    a += random.Next() * technique;
    double b = ReadNumber(e.Speed);
    b += random.Next() * aero;
    b += random.Next() * technique;
    return Format0_00(b < a ? b : a);
}

std::string ConfirmationText(int g, const GpRecord& gp) {
    std::string text = "第" + std::to_string(g) + "戦" + CrLf;
    std::string caption = CourseCaption(gp.CourseType);
    if (!caption.empty()) text += caption + CrLf;
    text += gp.GpNm + " ＧＰ" + CrLf + CrLf + "予選をスタートしてよろしいですか？";
    return text;
}

// Fastest first; equal times (at two decimals) keep driver order.
void OrderByTime(RaceWeekend& w) {
    int n = w.EntryCount;
    std::vector<double> times(n + 1);
    for (int i = 1; i <= n; ++i) times[i] = ReadNumber(w.YosenWorkTable[i].Time);
    for (int i = 1; i <= n; ++i) {
        int place = 1;
        for (int j = 1; j <= n; ++j)
            if (times[j] < times[i] || (j < i && times[j] == times[i])) ++place;
        w.YosenResultTable[place] = w.YosenWorkTable[i];
    }
}

void Announce(Shell& shell, int k, const EntryRecord& e) {
    if (k == 1) {
        shell.MsgText = std::string("ＰＰ") + CrLf + e.DrvNm + CrLf + "（" + e.TimNm + "）" + CrLf;
        int d = ReadCount(e.DrvNo);
        if (d >= 1 && d < int(shell.season.DrvTable.size())) {
            std::string& pp = shell.season.DrvTable[d].CareerPp;
            pp = FormatPlain(ReadNumber(pp) + 1);
        }
    } else {
        shell.MsgText = "予選 " + std::to_string(k) + "位" + CrLf + e.DrvNm + CrLf + "（" + e.TimNm + "）";
    }
    ShowOk(shell);
}

void FillRow(Shell& shell, int k, const EntryRecord& e) {
    if (k > GridRows) return; // the grid has 32 rows
    FrmKarvenRace& main = shell.main;
    main.lbl(1, k).text = k <= ReadNumber(shell.season.Sis.NinCount) ? std::to_string(k) : "落";
    main.lbl(2, k).text = e.DrvNm;
    main.lbl(3, k).text = e.TimNm;
    main.lbl(4, k).text = e.Time;
    main.lbl(5, k).text.clear();
    main.lbl(6, k).text.clear();
    main.imgCo(k).picture = ColorFilePath(shell, e.ColorNo, 1);
}

} // namespace

bool RunQualifying(Shell& shell, RaceWeekend& weekend) {
    Season& season = shell.season;
    int g = ReadCount(season.Sis.EndGp) + 1;
    // Past the last Grand Prix of the calendar there is nothing to qualify for.
    if (g < 1 || g > ReadCount(season.Sis.GpCount) || g >= int(season.GpTable.size())) return false;
    const GpRecord& gp = season.GpTable[g];

    shell.random.Reseed();
    shell.MsgText = ConfirmationText(g, gp);
    if (AskOkCancel(shell) == 0) return false;

    ClearGrid(shell);

    // Only a seat in an existing team enters; a TimNo that names no team counts as no seat.
    int driverCount = std::min(ReadCount(season.DrvCount), int(season.DrvTable.size()) - 1);
    weekend.YosenWorkTable.assign(1, EntryRecord{});
    for (int d = 1; d <= driverCount; ++d) {
        const DrvRecord& driver = season.DrvTable[d];
        if (const TimRecord* team = TeamOf(season, driver)) weekend.YosenWorkTable.push_back(EntryOf(driver, *team));
    }
    weekend.EntryCount = int(weekend.YosenWorkTable.size()) - 1;
    weekend.YosenResultTable.assign(weekend.EntryCount + 1, EntryRecord{});

    for (int i = 1; i <= weekend.EntryCount; ++i) {
        EntryRecord& e = weekend.YosenWorkTable[i];
        e.Time = QualifyingTime(shell.random, gp.CourseType, e);
    }
    OrderByTime(weekend);

    shell.main("lblTitle").text = "第" + std::to_string(g) + "戦 " + gp.GpNm + " ＧＰ 予選結果";
    SetGridHeader(shell.main, 2);
    for (int k = 1; k <= weekend.EntryCount; ++k) {
        const EntryRecord& e = weekend.YosenResultTable[k];
        Announce(shell, k, e);
        FillRow(shell, k, e);
    }
    SetMainState(shell.main, 3);
    return true;
}

} // namespace karven
