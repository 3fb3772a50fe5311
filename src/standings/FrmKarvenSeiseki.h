#pragma once
// The season results table (成績表): two rows per team, one column per Grand Prix, then the points.

#include <optional>

#include "shell/Form.h"
#include "standings/Seiseki.h"

namespace karven {

class Shell;

class FrmKarvenSeiseki : public Form {
public:
    explicit FrmKarvenSeiseki(Shell& shell);
    // The same table for a season of the history: its rows and number of Grands Prix as they closed.
    FrmKarvenSeiseki(Shell& shell, std::string caption, SeisekiTable archived, int gps);
    void Load() override;

    static constexpr int Teams = 16;
    static constexpr int Rows = 32;
    static constexpr int Gps = 17;
    static constexpr int PointsBase = Gps * Rows; // lbl6(PointsBase + r): points of row r

    // lbl6((g - 1) * 32 + r): the result of row r in Grand Prix g.
    static int CellIndex(int gp, int row) { return (gp - 1) * Rows + row; }

private:
    Shell& shell_;
    std::optional<SeisekiTable> archived_;
    int archivedGps_ = 0;
};

} // namespace karven
