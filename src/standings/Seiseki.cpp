#include "standings/Seiseki.h"

#include <algorithm>

#include "season/Numbers.h"
#include "season/Points.h"
#include "shell/Grid.h"
#include "shell/Platform.h"
#include "shell/Shell.h"
#include "standings/FrmKarvenSeiseki.h"

namespace karven {

namespace {
int Bounded(const std::string& count, size_t tableSize, int most) {
    return std::clamp(ReadCount(count), 0, std::min(int(tableSize) - 1, most));
}

// The first driver in table order sitting in the team, skipping the number `other`.
const DrvRecord* SeatDriver(const Season& season, const std::string& timNo, const std::string* other) {
    int drivers = Bounded(season.DrvCount, season.DrvTable.size(), MaxDrvCount);
    for (int d = 1; d <= drivers; ++d) {
        const DrvRecord& driver = season.DrvTable[d];
        if (driver.TimNo.empty() || driver.TimNo != timNo) continue;
        if (other && driver.DrvNo == *other) continue;
        return &driver;
    }
    return nullptr;
}

void FillSeat(SeisekiRecord& row, const DrvRecord& driver) {
    row.DrvNo = driver.DrvNo;
    row.DrvNm = driver.DrvNm;
    int total = 0;
    for (int g = 1; g <= ResultSlots; ++g) {
        row.Cell[g] = SeisekiCell(driver.Result[g]);
        int points = PointsForResult(driver.Result[g]);
        total += points;
        if (points > 0) row.Points = FormatPlain(total);
    }
}
} // namespace

std::string SeisekiCell(const std::string& result) {
    static constexpr const char* Circled[] = {"", "①", "②", "③", "④", "⑤", "⑥", "⑦", "⑧"};
    if (result.empty()) return "";
    // Scoring places are exactly the circled ones, so the cells and the points agree.
    if (PointsForResult(result) > 0) return Circled[ReadCount(result)];
    if (ReadNumber(result) == 0) return "R";
    return result;
}

std::vector<TeamSeats> SeatsOf(const Season& season) {
    int teams = Bounded(season.TimCount, season.TimTable.size(), MaxTimCount);
    std::vector<TeamSeats> seats(size_t(teams) + 1);
    for (int i = 1; i <= teams; ++i) {
        const TimRecord& team = season.TimTable[i];
        const DrvRecord* first = SeatDriver(season, team.TimNo, nullptr);
        const DrvRecord* second = first ? SeatDriver(season, team.TimNo, &first->DrvNo) : nullptr;
        seats[size_t(i)] = {&team, {first, second}};
    }
    return seats;
}

SeisekiTable SeisekiBuild(const Season& season) {
    const std::vector<TeamSeats> teams = SeatsOf(season);
    SeisekiTable table(2 * (teams.size() - 1) + 1);
    for (size_t i = 1; i < teams.size(); ++i) {
        for (int s = 0; s < 2; ++s) {
            SeisekiRecord& row = table[2 * i - 1 + size_t(s)];
            row.TimNo = teams[i].team->TimNo;
            row.TimNm = teams[i].team->TimNm;
            row.ColorNo = teams[i].team->ColorNo;
            if (const DrvRecord* driver = teams[i].drivers[size_t(s)]) FillSeat(row, *driver);
        }
    }
    return table;
}

void SeisekiShow(FrmKarvenSeiseki& form, Shell& shell, const SeisekiTable& table) {
    int teams = int(table.size() - 1) / 2;
    for (int i = 1; i <= teams; ++i) {
        form("lbl3", i).text = table[2 * i - 1].TimNm;
        form("imgCo", i).picture = ColorFilePath(shell, table[2 * i - 1].ColorNo, 1);
    }
    for (int r = 1; r <= 2 * teams; ++r) {
        form("lbl2", r).text = table[r].DrvNm;
        for (int g = 1; g <= FrmKarvenSeiseki::Gps; ++g)
            form("lbl6", FrmKarvenSeiseki::CellIndex(g, r)).text = table[r].Cell[g];
        form("lbl6", FrmKarvenSeiseki::PointsBase + r).text = table[r].Points;
    }
}

void SeisekiLoad(FrmKarvenSeiseki& form, Shell& shell) {
    int gps = std::clamp(ReadCount(shell.season.Sis.GpCount), 0, FrmKarvenSeiseki::Gps);
    for (int g = 1; g <= gps; ++g) form("lblT6", g - 1).text = std::to_string(g);
    SeisekiShow(form, shell, SeisekiBuild(shell.season));
}

void ShowSeiseki(Shell& shell) {
    // A fresh window each time: every label starts empty.
    FrmKarvenSeiseki form(shell);
    shell.platform.ShowModal(form);
}

} // namespace karven
