#include "standings/FrmKarvenSeiseki.h"

#include <algorithm>

#include "standings/Seiseki.h"

namespace karven {

namespace {
constexpr int Margin = 8;
constexpr int HeadTop = 8;
constexpr int HeadHeight = 18;
constexpr int GridTop = HeadTop + HeadHeight + 4;
constexpr int RowHeight = 19;
constexpr int SwatchLeft = Margin;
constexpr int SwatchWidth = 24;
constexpr int SwatchHeight = 12;
constexpr int TeamLeft = SwatchLeft + SwatchWidth + 4;
constexpr int TeamWidth = 164; // the longest team of the default season on one line
constexpr int DriverLeft = TeamLeft + TeamWidth + 6;
constexpr int DriverWidth = 156;
constexpr int CellLeft = DriverLeft + DriverWidth + 4;
constexpr int CellWidth = 30;
constexpr int PointsLeft = CellLeft + FrmKarvenSeiseki::Gps * CellWidth + 6;
constexpr int PointsWidth = 44;
constexpr int FontSize = 9;
constexpr uint32_t StripeColor = 0xEEF2F8; // every other team, so the two rows of a team read as one
constexpr uint32_t LineColor = 0xFFFFFF;

Control& AddText(Form& form, const char* name, int index, Rect rect, Align align, uint32_t back) {
    Control& c = form.Add(ControlKind::Label, name, index, rect);
    c.style.fontSize = FontSize;
    c.style.align = align;
    c.style.backColor = back;
    return c;
}
} // namespace

FrmKarvenSeiseki::FrmKarvenSeiseki(Shell& shell) : Form("frmkarvenseiseki", "成績表"), shell_(shell) {
    const int gridBottom = GridTop + Rows * RowHeight;
    geometry = {0, 0, PointsLeft + PointsWidth + Margin, gridBottom + 50};

    // Headings: lblT6(g - 1) over Grand Prix g, lblT6(19) over the points.
    for (int g = 1; g <= Gps; ++g) {
        Rect rect{CellLeft + (g - 1) * CellWidth, HeadTop, CellWidth, HeadHeight};
        Control& h = AddText(*this, "lblT6", g - 1, rect, Align::Center, DefaultColor);
        h.style.bold = true;
    }
    Control& pin = AddText(*this, "lblT6", 19, {PointsLeft, HeadTop, PointsWidth, HeadHeight}, Align::Right,
                           DefaultColor);
    pin.text = "PIN";
    pin.style.bold = true;

    for (int i = 1; i <= Teams; ++i) {
        int top = GridTop + (2 * i - 2) * RowHeight;
        uint32_t back = i % 2 == 0 ? StripeColor : LineColor;
        // The team spans both of its rows, its colour beside it.
        Add(ControlKind::Picture, "imgCo", i,
            {SwatchLeft, top + RowHeight - SwatchHeight / 2, SwatchWidth, SwatchHeight});
        Rect rect{TeamLeft, top, TeamWidth, 2 * RowHeight - 1};
        Control& team = AddText(*this, "lbl3", i, rect, Align::Left, back);
        team.style.wrap = true;
        team.style.breakAfter = "・"; // team on one line, engine on the next
    }
    for (int r = 1; r <= Rows; ++r) {
        int top = GridTop + (r - 1) * RowHeight;
        uint32_t back = ((r + 1) / 2) % 2 == 0 ? StripeColor : LineColor;
        AddText(*this, "lbl2", r, {DriverLeft, top, DriverWidth, RowHeight - 1}, Align::Left, back);
        for (int g = 1; g <= Gps; ++g)
            AddText(*this, "lbl6", CellIndex(g, r),
                    {CellLeft + (g - 1) * CellWidth, top, CellWidth - 1, RowHeight - 1}, Align::Center, back);
        AddText(*this, "lbl6", PointsBase + r, {PointsLeft, top, PointsWidth, RowHeight - 1}, Align::Right,
                back);
    }

    // Read as one table: team, driver, a column per Grand Prix, the points.
    LabelTable& table = labelTables.emplace_back();
    table.name = "results";
    table.spoken = "成績表";
    table.columns.emplace_back().spoken = "チーム";
    table.columns.emplace_back().spoken = "ドライバー";
    for (int g = 1; g <= Gps; ++g) table.columns.emplace_back().heading = &(*this)("lblT6", g - 1);
    table.columns.emplace_back().heading = &pin;
    for (int r = 1; r <= Rows; ++r) {
        auto& row = table.cells.emplace_back();
        row.push_back(&(*this)("lbl3", (r + 1) / 2));
        row.push_back(&(*this)("lbl2", r));
        for (int g = 1; g <= Gps; ++g) row.push_back(&(*this)("lbl6", CellIndex(g, r)));
        row.push_back(&(*this)("lbl6", PointsBase + r));
    }

    Rect ok{geometry.width - Margin - 100, gridBottom + 12, 100, 30};
    Add(ControlKind::Button, "cmdOK", ok, "OK").onClick = [this] { Close(); };
    defaultButton = cancelButton = "cmdOK";
}

FrmKarvenSeiseki::FrmKarvenSeiseki(Shell& shell, std::string caption, SeisekiTable archived, int gps)
    : FrmKarvenSeiseki(shell) {
    this->caption = std::move(caption);
    archived_ = std::move(archived);
    archivedGps_ = gps;
}

void FrmKarvenSeiseki::Load() {
    if (!archived_) return SeisekiLoad(*this, shell_);
    for (int g = 1; g <= std::min(archivedGps_, Gps); ++g) (*this)("lblT6", g - 1).text = std::to_string(g);
    SeisekiShow(*this, shell_, *archived_);
}

} // namespace karven
