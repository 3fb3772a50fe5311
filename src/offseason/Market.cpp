#include "offseason/Market.h"

#include <algorithm>
#include <vector>

#include "history/Archive.h"
#include "offseason/FrmKarvenOff.h"
#include "offseason/NewSeason.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Grid.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "shell/Platform.h"
#include "shell/Random.h"
#include "shell/Shell.h"

namespace karven {

namespace {
// A count never reaches past its table, whatever a file said.
int Bounded(const std::string& count, size_t tableSize, int most) {
    return std::clamp(ReadCount(count), 0, std::min(int(tableSize) - 1, most));
}

// Each driver's team name, "" without a seat.
std::vector<std::string> SeatNames(const Season& season) {
    std::vector<std::string> names(season.DrvTable.size());
    for (size_t k = 1; k < season.DrvTable.size(); ++k)
        if (const TimRecord* team = TeamOf(season, season.DrvTable[k])) names[k] = team->TimNm;
    return names;
}

void PrepareTeams(FrmKarvenOff& form, const Season& season) {
    int teams = Bounded(season.TimCount, season.TimTable.size(), FrmKarvenOff::Teams);
    std::vector<OffTimRecord>& table = form.OffTimTable;
    table.assign(teams + 1, {});
    std::vector<double> points(teams + 1), numbers(teams + 1);
    for (int i = 1; i <= teams; ++i) {
        const TimRecord& t = season.TimTable[i];
        table[i] = {t.TimNo, t.TimNm, t.ColorNo};
        points[i] = ReadNumber(t.Points);
        numbers[i] = ReadNumber(t.TimNo);
    }
    // Equal points: the higher team number ranks ahead.
    for (int i = 1; i <= teams; ++i) {
        int rank = 0;
        for (int j = 1; j <= teams; ++j)
            if (points[j] > points[i] || (points[j] == points[i] && numbers[j] >= numbers[i])) ++rank;
        table[i].TimRank = rank;
    }
}

void PrepareDrivers(FrmKarvenOff& form, Shell& shell) {
    const Season& season = shell.season;
    int drivers = Bounded(season.DrvCount, season.DrvTable.size(), MaxDrvCount);
    double gpCount = ReadNumber(season.Sis.GpCount);
    std::vector<OffDrvRecord>& table = form.OffDrvTable;
    table.assign(drivers + 1, {});
    std::vector<double> score(drivers + 1), eval(drivers + 1), numbers(drivers + 1);
    for (int d = 1; d <= drivers; ++d) {
        const DrvRecord& driver = season.DrvTable[d];
        OffDrvRecord& o = table[d];
        o = {driver.TimNo, driver.DrvNo, driver.DrvNm};
        if (!driver.TimNo.empty()) {
            for (int g = 1; g <= ResultSlots; ++g) {
                double place = ReadNumber(driver.Result[g]);
                if (place > 0) score[d] += drivers - place + 1;
            }
            eval[d] = EvalPointsOf(driver);
        } else {
            // Without a seat there is nothing to judge by: a guess that may rank him above racers.
            score[d] = shell.random.Roll(20) * gpCount;
        }
        o.Score = PlainValue(score[d]);
        o.EvalPoints = eval[d];
        numbers[d] = ReadNumber(driver.DrvNo);
    }
    for (int d = 1; d <= drivers; ++d) {
        table[d].ScoreRank = RankOf(d, score, eval, numbers);
        table[d].PointsRank = RankOf(d, eval, score, numbers);
    }
}
} // namespace

void ShowOff(Shell& shell, MarketWatch* watch, MarketCalls* calls) {
    FrmKarvenOff form(shell);
    form.watch = watch;
    form.calls = calls;
    shell.platform.ShowModal(form);
}

void OffLoad(FrmKarvenOff& form, Shell& shell) {
    shell.random.Reseed();
    form.Place(shell.main.geometry.left, shell.main.geometry.top);
    OffPrepare(form, shell);
    OffShow(form, shell);
}

void OffPrepare(FrmKarvenOff& form, Shell& shell) {
    PrepareTeams(form, shell.season);
    PrepareDrivers(form, shell);
}

void OffShow(FrmKarvenOff& form, Shell& shell) {
    for (int i = 1; i < int(form.OffTimTable.size()); ++i) {
        const OffTimRecord& team = form.OffTimTable[i];
        form("lbl3", i).text = team.TimNm;
        form("imgCo", i).picture = ColorFilePath(shell, team.ColorNo, 1);
        const OffDrvRecord* seats[2] = {};
        for (size_t d = 1; d < form.OffDrvTable.size() && !seats[1]; ++d) {
            const OffDrvRecord& driver = form.OffDrvTable[d];
            if (driver.TimNo.empty() || driver.TimNo != team.TimNo) continue;
            if (!seats[0])
                seats[0] = &driver;
            else if (driver.DrvNo != seats[0]->DrvNo)
                seats[1] = &driver;
        }
        for (int s = 1; s <= 2; ++s) {
            form.SeatNames[size_t(FrmKarvenOff::SeatIndex(i, s))] = seats[s - 1] ? seats[s - 1]->DrvNm : "";
            form.ShowSeat(i, s);
        }
    }
}

void OffConfirm(FrmKarvenOff& form, Shell& shell) {
    shell.MsgText = Tr("ストーブリーグを\r\n確定してよろしいですか？");
    if (AskOkCancel(shell) == 0) return;
    if (!form.negotiated) {
        shell.MsgText = Tr("まだ交渉が行われていません。\r\n全ドライバーが所属なしになります。\r\nよろしいですか？");
        if (AskOkCancel(shell) == 0) return;
    }

    Season& season = shell.season;
    // The season as it closes, with the seats it was raced in, for the history.
    ArchivedSeason closed = SeasonSoFar(season);
    std::vector<std::string> before = SeatNames(season);
    int drivers = std::min(form.OffDrvTable.size(), season.DrvTable.size()) - 1;
    for (int k = 1; k <= drivers; ++k) {
        const OffDrvRecord& o = form.OffDrvTable[k];
        season.DrvTable[k].TimNo = o.Settled() ? o.TimNo : "";
    }
    // The champion by his place in the table, which his number should equal but may not in a loaded file.
    int champion = ChampionIndex(form.OffDrvTable);
    if (champion >= 1 && champion <= drivers) {
        std::string& titles = season.DrvTable[champion].CareerWc;
        titles = FormatPlain(ReadNumber(titles) + 1);
        closed.crowned = true;
        closed.champion = closed.Ref(season.DrvTable[champion].DrvNm);
        closed.championTeam = closed.Ref(before[champion]);
    }
    std::vector<std::string> after = SeatNames(season);
    for (size_t k = 1; k < after.size(); ++k)
        if (before[k] != after[k])
            closed.moves.push_back({closed.Ref(season.DrvTable[k].DrvNm), closed.Ref(before[k]), closed.Ref(after[k])});
    ArchiveSeason(season, std::move(closed));
    ResetSeason(season, 0);
    SetMainState(shell.main, CommandState::BetweenGps);
    form.Close();
}

} // namespace karven
