#include "offseason/Negotiation.h"

#include <algorithm>

#include "offseason/FrmKarvenOff.h"
#include "offseason/MarketCalls.h"
#include "season/Numbers.h"
#include "season/Translate.h"
#include "shell/MessageWindows.h"
#include "shell/Random.h"
#include "shell/Shell.h"

namespace karven {

namespace {
// Every condition that holds R is met once R passes the largest rank (999 drivers, 16 teams);
// from then on each cycle settles a seat with a fair chance, so a sound generator ends the
// negotiation long before this many cycles. It stops one that never would.
constexpr int MaxCycles = 10000;

int Percent(Random& random) {
    return random.Roll(100);
}

// After スキップ the rest of the negotiation runs without its announcements, their texts unwritten;
// the draws stay the same and every announcement is counted, shown or not.
template <class... A>
void Announce(FrmKarvenOff& form, Shell& shell, const char* message, const A&... values) {
    ++form.announced;
    if (shell.SkipRequested) return;
    TrFInto(shell.MsgText, message, values...);
    ShowOk(shell);
}

bool AllTeamsFull(const FrmKarvenOff& form) {
    for (size_t i = 1; i < form.OffTimTable.size(); ++i)
        if (!form.OffTimTable[i].Full()) return false;
    return true;
}

bool AllDriversSettled(const FrmKarvenOff& form) {
    for (size_t d = 1; d < form.OffDrvTable.size(); ++d)
        if (!form.OffDrvTable[d].Settled()) return false;
    return true;
}

bool Finished(const FrmKarvenOff& form) {
    return AllTeamsFull(form) || AllDriversSettled(form);
}

std::string& SeatName(FrmKarvenOff& form, int team, int seat) {
    return form.SeatNames[size_t(FrmKarvenOff::SeatIndex(team, seat))];
}

bool& SeatFlag(FrmKarvenOff& form, int team, int seat) {
    OffTimRecord& t = form.OffTimTable[team];
    return seat == 1 ? t.Seat1 : t.Seat2;
}

void Settle(FrmKarvenOff& form, int team, int seat, const std::string& name) {
    SeatName(form, team, seat) = name;
    SeatFlag(form, team, seat) = true;
    form.ShowSeat(team, seat);
}

// A retained driver keeps the seat label that shows him; a settled seat is never his, even
// when a namesake sits in it.
void TakeOwnSeat(FrmKarvenOff& form, int team, const std::string& name) {
    for (int seat = 1; seat <= 2; ++seat) {
        if (!SeatFlag(form, team, seat) && SeatName(form, team, seat) == name) {
            Settle(form, team, seat, name);
            return;
        }
    }
    Settle(form, team, !SeatFlag(form, team, 1) ? 1 : 2, name);
}

// A transferring driver's old label shows empty; settled labels are left to whoever settled them.
void LeaveOldSeat(FrmKarvenOff& form, const std::string& name) {
    for (int team = 1; team < int(form.OffTimTable.size()); ++team)
        for (int seat = 1; seat <= 2; ++seat)
            if (!SeatFlag(form, team, seat) && SeatName(form, team, seat) == name) {
                SeatName(form, team, seat).clear();
                form.ShowSeat(team, seat);
            }
}
} // namespace

bool TeamRetains(Random& random, int pointsRank, int scoreRank, int timRank, int R) {
    if (pointsRank <= 4) return true;
    int p = Percent(random);
    return p <= 80 && scoreRank <= timRank + 3 + R;
}

bool DriverStays(Random& random, int pointsRank, int scoreRank, int timRank, int R) {
    if (pointsRank <= 4) return Percent(random) <= 90;
    if (Percent(random) <= 70) {
        int p2 = Percent(random);
        return scoreRank + R >= timRank && p2 <= 80;
    }
    return Percent(random) <= 10;
}

bool TeamOffers(Random& random, int scoreRank, int position, int timRank, int R) {
    int p = Percent(random);
    if (p <= 20 && scoreRank <= timRank + R) return true;
    return p <= 80 && scoreRank <= position;
}

bool DriverAccepts(Random& random, int scoreRank, int timRank, int R) {
    if (Percent(random) <= 80) {
        bool coin = random.Roll(2) == 1;
        return scoreRank + R >= 2 * timRank && coin;
    }
    return random.Roll(20) == 1;
}

bool OffStart(FrmKarvenOff& form, Shell& shell) {
    shell.MsgText = Tr("ストーブリーグを\r\n開始してよろしいですか？");
    if (AskOkCancel(shell) == 0) return false;
    // The announcements offer スキップ and close by themselves under オート実況, as in a race.
    shell.SkipOffered = true;
    shell.SkipRequested = shell.PlayToDecision = false;
    int R = 0;
    for (int cycle = 0; cycle < MaxCycles; ++cycle) {
        OffRetainCycle(form, shell, R);
        if (Finished(form)) break;
        OffOfferCycle(form, shell, R);
        if (Finished(form)) break;
        R = R < MaxCycleNumber ? R + 1 : MaxCycleNumber;
    }
    shell.SkipOffered = shell.SkipRequested = shell.PlayToDecision = false;
    return true;
}

void OffRetainCycle(FrmKarvenOff& form, Shell& shell, int R) {
    Random& random = shell.random;
    random.Reseed();
    for (int i = 1; i < int(form.OffTimTable.size()); ++i) {
        OffTimRecord& team = form.OffTimTable[i];
        if (team.Full()) continue;
        for (size_t j = 1; j < form.OffDrvTable.size(); ++j) {
            OffDrvRecord& driver = form.OffDrvTable[j];
            // A driver without a seat has no team to stay with.
            if (driver.Settled() || driver.TimNo.empty() || driver.TimNo != team.TimNo) continue;
            int pointsRank = driver.PointsRank, scoreRank = driver.ScoreRank;
            int timRank = team.TimRank;
            bool retains = TeamRetains(random, pointsRank, scoreRank, timRank, R);
            if (form.calls && form.calls->Runs(form, i)) retains = form.calls->Keep(form, i, int(j), retains);
            if (!retains) continue;
            Announce(form, shell, "{1} が\r\n{2}\r\nに残留を提示しました！", team.TimNm, driver.DrvNm);
            if (!DriverStays(random, pointsRank, scoreRank, timRank, R)) {
                Announce(form, shell, "{1} が\r\n{2}\r\nの提示を保留しました！", driver.DrvNm, team.TimNm);
                continue;
            }
            Announce(form, shell, "{1} に\r\n{2}\r\n残留決定！！", team.TimNm, driver.DrvNm);
            driver.Decided = true;
            TakeOwnSeat(form, i, driver.DrvNm);
            if (team.Full()) break;
        }
    }
}

namespace {
bool Available(const OffDrvRecord& driver, const OffTimRecord& team) {
    return !driver.Settled() && (driver.TimNo.empty() || driver.TimNo != team.TimNo);
}

// Team i's offer to OffDrvTable[j], and his answer.
void MakeOffer(FrmKarvenOff& form, Shell& shell, int i, size_t j, int R) {
    OffTimRecord& team = form.OffTimTable[i];
    OffDrvRecord& driver = form.OffDrvTable[j];
    int scoreRank = driver.ScoreRank, timRank = team.TimRank;
    Announce(form, shell, "{1} が\r\n{2}\r\nにオファーを提示しました！", team.TimNm, driver.DrvNm);
    bool accepted = DriverAccepts(shell.random, scoreRank, timRank, R);
    if (form.calls && form.calls->Runs(form, i)) accepted = form.calls->Answer(form, i, int(j), accepted);
    if (accepted) {
        Announce(form, shell, "{1} に\r\n{2}\r\nが移籍決定！！", team.TimNm, driver.DrvNm);
        driver.Decided = true;
        const std::string from = driver.TimNo;
        driver.TimNo = team.TimNo;
        LeaveOldSeat(form, driver.DrvNm);
        Settle(form, i, !team.Seat1 ? 1 : 2, driver.DrvNm);
        if (form.calls) form.calls->Moved(form, i, int(j), from);
    } else {
        Announce(form, shell, "{1}\r\n{2}\r\nの提示を保留しました！", driver.DrvNm, team.TimNm);
    }
    if (form.calls && form.calls->Runs(form, i)) form.calls->Answered(form, i, int(j), accepted);
}
} // namespace

void OffOfferCycle(FrmKarvenOff& form, Shell& shell, int R) {
    Random& random = shell.random;
    random.Reseed();
    for (int i = 1; i < int(form.OffTimTable.size()); ++i) {
        OffTimRecord& team = form.OffTimTable[i];
        if (team.Full()) continue;
        // The evaluation picks the first driver it would make an offer to: one offer a team a
        // cycle, taken or not.
        size_t pick = 0;
        for (size_t j = 1; j < form.OffDrvTable.size() && pick == 0; ++j) {
            const OffDrvRecord& driver = form.OffDrvTable[j];
            if (Available(driver, team) && TeamOffers(random, driver.ScoreRank, int(j), team.TimRank, R))
                pick = j;
        }
        if (form.calls && form.calls->Runs(form, i)) {
            std::vector<int> available;
            for (size_t j = 1; j < form.OffDrvTable.size(); ++j)
                if (Available(form.OffDrvTable[j], team)) available.push_back(int(j));
            form.calls->R = R;
            int chosen = form.calls->Approach(form, i, available, int(pick));
            pick = std::find(available.begin(), available.end(), chosen) != available.end() ? size_t(chosen) : 0;
        }
        if (pick != 0) MakeOffer(form, shell, i, pick, R);
    }
}

} // namespace karven
