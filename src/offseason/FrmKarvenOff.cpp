#include "offseason/FrmKarvenOff.h"

#include "offseason/Market.h"
#include "offseason/Negotiation.h"
#include "season/Translate.h"

namespace karven {

namespace {
constexpr int Margin = 12;
constexpr int HeadTop = 10;
constexpr int RowTop = 36;
constexpr int RowHeight = 24;
constexpr int SwatchWidth = 32;
constexpr int SwatchHeight = 14;
constexpr int TeamLeft = Margin + SwatchWidth + 8;
constexpr int TeamWidth = 236;
constexpr int SeatLeft = TeamLeft + TeamWidth + 8;
constexpr int SeatWidth = 184;
constexpr int SeatGap = 6;
constexpr int Width = SeatLeft + 2 * SeatWidth + SeatGap + Margin;
constexpr int ButtonsTop = RowTop + FrmKarvenOff::Teams * RowHeight + 12;
constexpr int ButtonWidth = 100;
constexpr int ButtonHeight = 30;
constexpr uint32_t StripeColor = 0xEEF2F8; // every other team, so a row reads across
} // namespace

FrmKarvenOff::FrmKarvenOff(Shell& shell) : Form(FormName, "ストーブリーグ"), shell_(shell) {
    geometry = {0, 0, Width, ButtonsTop + ButtonHeight + Margin};

    Control& team = Add(ControlKind::Label, "lblT3", {TeamLeft, HeadTop, TeamWidth, 20}, "チーム");
    team.style.bold = true;
    Control& seats =
        Add(ControlKind::Label, "lblT2", {SeatLeft, HeadTop, 2 * SeatWidth + SeatGap, 20}, "ドライバー");
    seats.style.bold = true;

    for (int i = 1; i <= Teams; ++i) {
        int top = RowTop + (i - 1) * RowHeight;
        uint32_t back = i % 2 == 0 ? StripeColor : DefaultColor;
        Add(ControlKind::Picture, "imgCo", i,
            {Margin, top + (RowHeight - SwatchHeight) / 2 - 1, SwatchWidth, SwatchHeight});
        Add(ControlKind::Label, "lbl3", i, {TeamLeft, top, TeamWidth, RowHeight - 2}).style.backColor = back;
        for (int s = 1; s <= 2; ++s) {
            Rect rect{SeatLeft + (s - 1) * (SeatWidth + SeatGap), top, SeatWidth, RowHeight - 2};
            Add(ControlKind::Label, "lbl2", SeatIndex(i, s), rect).style.backColor = back;
        }
    }

    // The teams and their seats, read as one table.
    LabelTable& table = labelTables.emplace_back();
    table.name = "seats";
    table.spoken = "ストーブリーグ";
    table.columns = {{.heading = &team}, {.heading = &seats}, {.heading = &seats}};
    for (int i = 1; i <= Teams; ++i)
        table.cells.push_back({&(*this)("lbl3", i), &(*this)("lbl2", SeatIndex(i, 1)), &(*this)("lbl2", SeatIndex(i, 2))});

    Add(ControlKind::Button, "cmdStart", {Margin, ButtonsTop, ButtonWidth, ButtonHeight}, "START").onClick =
        [this] {
            if (!OffStart(*this, shell_)) return;
            negotiated = true;
            // After a negotiation the market waits for its confirmation: Enter confirms.
            defaultButton = focusRequest = "cmdOK";
        };
    int right = Width - Margin;
    Add(ControlKind::Button, "cmdOK", {right - 2 * ButtonWidth - 8, ButtonsTop, ButtonWidth, ButtonHeight},
        "OK")
        .onClick = [this] {
            OffConfirm(*this, shell_);
            if (IsClosed() && watch) watch->Confirmed(*this);
        };
    Add(ControlKind::Button, "cmdCancel", {right - ButtonWidth, ButtonsTop, ButtonWidth, ButtonHeight},
        "Cancel")
        .onClick = [this] { Close(); };
    cancelButton = "cmdCancel";
}

void FrmKarvenOff::Load() {
    defaultButton = "cmdStart";
    negotiated = false;
    announced = 0;
    OffLoad(*this, shell_);
    if (watch) watch->Opened(*this);
}

void FrmKarvenOff::ShowSeat(int team, int seat) {
    if (team < 1 || team > Teams || seat < 1 || seat > 2) return;
    const int at = SeatIndex(team, seat);
    Control& label = (*this)("lbl2", at);
    const std::string& name = SeatNames[size_t(at)];
    const bool settled = team < int(OffTimTable.size()) && (seat == 1 ? OffTimTable[size_t(team)].Seat1 : OffTimTable[size_t(team)].Seat2);
    label.text = name;
    label.textColor = settled ? SettledColor : DefaultColor;
    label.mark = settled ? "✓" : ""; // not the colour alone
    label.spoken = settled ? TrF("{1}（契約済み）", name) : "";
}

void FrmKarvenOff::ShowSeats() {
    for (int team = 1; team <= Teams; ++team)
        for (int seat = 1; seat <= 2; ++seat) ShowSeat(team, seat);
}

} // namespace karven
