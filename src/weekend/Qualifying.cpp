#include "weekend/Qualifying.h"

#include <algorithm>

#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Grid.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "shell/Random.h"
#include "shell/Shell.h"
#include "weekend/CourseFactor.h"

namespace karven {

void AssignEntry(EntryRecord& e, const DrvRecord& d, const TimRecord& t) {
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
}

EntryRecord EntryOf(const DrvRecord& d, const TimRecord& t) {
    EntryRecord e;
    AssignEntry(e, d, t);
    return e;
}

namespace {

std::string ConfirmationText(int g, const GpRecord& gp) {
    std::string text = TrF("第{1}戦", g) + CrLf;
    std::string caption = CourseCaption(gp.CourseType);
    if (!caption.empty()) text += caption + CrLf;
    text += TrF("{1} ＧＰ", gp.GpNm) + CrLf + CrLf + Tr("予選をスタートしてよろしいですか？");
    return text;
}

void Announce(Shell& shell, int k, const EntryRecord& e) {
    if (k == 1) shell.MsgText = TrF("ＰＰ\r\n{1}\r\n（{2}）\r\n", e.DrvNm, e.TimNm);
    else shell.MsgText = TrF("予選 {1}位\r\n{2}\r\n（{3}）", k, e.DrvNm, e.TimNm);
    ShowOk(shell);
}

void FillRow(Shell& shell, int k, const EntryRecord& e, const std::string& colorFolder) {
    if (k > GridRows) return; // the grid has 32 rows
    FrmKarvenRace& main = shell.main;
    main.lbl(1, k).text = k <= ReadCount(shell.season.Sis.NinCount) ? std::to_string(k) : Tr("落");
    main.lbl(2, k).text = e.DrvNm;
    main.lbl(3, k).text = e.TimNm;
    main.lbl(4, k).text = e.Time;
    main.lbl(5, k).text.clear();
    main.lbl(6, k).text.clear();
    MarkRow(main, k, shell.season.history.principal.Runs(e.TimNo));
    WriteColorPath(main.imgCo(k).picture, colorFolder, e.ColorNo);
}

} // namespace

std::vector<Entrant> QualifyingEntrants(const Season& season, int gp) {
    const std::string& courseType = season.GpTable[gp].CourseType;
    // Only a seat in an existing team enters; a TimNo that names no team counts as no seat.
    int driverCount = std::min(ReadCount(season.DrvCount), int(season.DrvTable.size()) - 1);
    std::vector<Entrant> entrants(1);
    // Room for two seats a team: reserving for every driver asks for a block large enough that
    // the allocator tidies its whole heap first.
    entrants.reserve(2 * season.TimTable.size() + 1);
    for (int d = 1; d <= driverCount; ++d) {
        const DrvRecord& driver = season.DrvTable[d];
        const TimRecord* team = TeamOf(season, driver);
        if (!team) continue;
        Entrant& e = entrants.emplace_back();
        e.position = d;
        e.driver = ReadCount(driver.DrvNo);
        e.team = ReadCount(driver.TimNo);
        e.courseFactor = CourseFactor(courseType, team->Speed);
        e.speed = ReadNumber(team->Speed);
        e.aero = ReadNumber(team->Aero);
        e.technique = ReadNumber(driver.Technique);
        e.roughness = ReadNumber(driver.Roughness);
        e.block = ReadNumber(driver.Block);
        e.drvStability = ReadNumber(driver.Stability);
        e.timStability = ReadNumber(team->Stability);
    }
    return entrants;
}

void QualifyingTimes(std::vector<Entrant>& entrants, Random& random) {
    // The better of an attempt on the circuit's base and one on the plain speed rating.
    for (size_t i = 1; i < entrants.size(); ++i) {
        Entrant& e = entrants[i];
        double a = e.courseFactor;
        a += random.Next() * e.aero;
        a += random.Next() * e.technique;
        double b = e.speed;
        b += random.Next() * e.aero;
        b += random.Next() * e.technique;
        e.time = Round0_00(b < a ? b : a);
    }
}

TimeRange QualifyingRange(const Entrant& e) {
    // The sums grow with each term and each term with its draw, so the extremes lie at the ends.
    auto low = [](double rating) { return std::min(0 * rating, Random::LargestDraw * rating); };
    auto high = [](double rating) { return std::max(0 * rating, Random::LargestDraw * rating); };
    double a = e.courseFactor, b = e.speed;
    double fastA = a + low(e.aero), fastB = b + low(e.aero);
    fastA += low(e.technique);
    fastB += low(e.technique);
    double slowA = a + high(e.aero), slowB = b + high(e.aero);
    slowA += high(e.technique);
    slowB += high(e.technique);
    return {Round0_00(fastB < fastA ? fastB : fastA), Round0_00(slowB < slowA ? slowB : slowA)};
}

std::vector<int> QualifyingOrder(const std::vector<Entrant>& entrants) {
    int n = int(entrants.size()) - 1;
    std::vector<int> order(n + 1);
    // The times side by side, so that the counting runs over them in vector registers.
    std::vector<double> times(size_t(n) + 1);
    for (int i = 1; i <= n; ++i) times[i] = entrants[i].time;
    for (int i = 1; i <= n; ++i) {
        const double time = times[i];
        int place = 1;
        // Counted without branches: the comparisons of random times mispredict half the time.
        // Before him an equal time places ahead, after him only a faster one.
        for (int j = 1; j < i; ++j) place += times[j] <= time;
        for (int j = i; j <= n; ++j) place += times[j] < time;
        order[place] = i;
    }
    return order;
}

void CreditPole(Season& season, const Entrant& pole) {
    if (pole.driver < 1 || pole.driver >= int(season.DrvTable.size())) return;
    std::string& pp = season.DrvTable[pole.driver].CareerPp;
    pp = FormatPlain(ReadNumber(pp) + 1);
}

bool RunQualifying(Shell& shell, RaceWeekend& weekend) {
    Season& season = shell.season;
    int g = ReadCount(season.Sis.EndGp) + 1;
    // Past the last Grand Prix of the calendar there is nothing to qualify for; nor without drivers.
    // A command that cannot act says why, rather than doing nothing.
    if (g < 1 || g > ReadCount(season.Sis.GpCount) || g >= int(season.GpTable.size())) {
        shell.MsgText = Tr("開催できるグランプリがありません。") + std::string(CrLf) +
                        Tr("シーズン設定でグランプリを追加してください。");
        ShowOk(shell);
        return false;
    }
    std::vector<Entrant> entrants = QualifyingEntrants(season, g);
    if (entrants.size() < 2) {
        shell.MsgText = Tr("予選に出走できるドライバーがいません。") + std::string(CrLf) +
                        Tr("チーム設定でドライバーを登録してください。");
        ShowOk(shell);
        return false;
    }
    const GpRecord& gp = season.GpTable[g];

    shell.random.Reseed();
    shell.MsgText = ConfirmationText(g, gp);
    if (AskOkCancel(shell) == 0) return false;

    ClearGrid(shell);

    QualifyingTimes(entrants, shell.random);
    std::vector<int> order = QualifyingOrder(entrants);
    weekend.EntryCount = int(entrants.size()) - 1;
    // The grid, and its entries as the windows list them.
    weekend.grid.assign(weekend.EntryCount + 1, Entrant{});
    // Written over the last weekend's entries: their texts keep the room they had.
    weekend.YosenResultTable.resize(size_t(weekend.EntryCount) + 1);
    for (int k = 1; k <= weekend.EntryCount; ++k) {
        const Entrant& entrant = weekend.grid[k] = entrants[order[k]];
        const DrvRecord& driver = season.DrvTable[entrant.position];
        EntryRecord& e = weekend.YosenResultTable[size_t(k)];
        AssignEntry(e, driver, *TeamOf(season, driver));
        WriteFormat0_00(e.Time, entrant.time);
    }

    SetTitle(shell.main, [g, name = gp.GpNm] { return TrF("第{1}戦 {2} ＧＰ 予選結果", g, name); });
    SetGridHeader(shell.main, 2);
    // スキップ fills the rest of the grid without its announcements.
    shell.SkipOffered = true;
    shell.SkipRequested = shell.PlayToDecision = false;
    const std::string colorFolder = ColorFolder(shell);
    for (int k = 1; k <= weekend.EntryCount; ++k) {
        const EntryRecord& e = weekend.YosenResultTable[k];
        if (k == 1) CreditPole(season, entrants[order[1]]);
        if (!shell.SkipRequested) Announce(shell, k, e);
        FillRow(shell, k, e, colorFolder);
    }
    shell.SkipOffered = shell.SkipRequested = shell.PlayToDecision = false;
    SetMainState(shell.main, CommandState::QualifyingDone);
    return true;
}

} // namespace karven
