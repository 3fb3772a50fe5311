#pragma once
// The transfer market window (ストーブリーグ): sixteen team rows of colour, name and two seats.

#include "offseason/OffTables.h"
#include "shell/Form.h"

namespace karven {

class Shell;
class FrmKarvenOff;
class MarketCalls;

// What runs beside the rules' market (the living world): told when the market has opened and
// judged the season, and when it has been confirmed, the season closed and the next prepared.
class MarketWatch {
public:
    virtual ~MarketWatch() = default;
    virtual void Opened(FrmKarvenOff& form) = 0;
    virtual void Confirmed(FrmKarvenOff& form) = 0;
};

class FrmKarvenOff : public Form {
public:
    explicit FrmKarvenOff(Shell& shell);
    void Load() override;

    static constexpr const char* FormName = "frmkarvenoff";

    static constexpr int Teams = 16;
    // Seat labels of team i: lbl2(2i - 1) and lbl2(2i).
    static int SeatIndex(int team, int seat) { return 2 * team - 2 + seat; }

    // The working tables; index 0 exists and is not used.
    std::vector<OffTimRecord> OffTimTable{1};
    std::vector<OffDrvRecord> OffDrvTable{1};
    // Who each seat shows, by SeatIndex ([0] unused): the market reads and writes these, and the
    // seat labels show them (ShowSeat).
    std::vector<std::string> SeatNames = std::vector<std::string>(2 * Teams + 1);
    // Whether a negotiation ran since the window opened: without one, confirming empties every seat.
    bool negotiated = false;
    // The negotiation's announcements since the window opened, those skipped included.
    int announced = 0;
    MarketWatch* watch = nullptr;
    // Who makes the choices of the team the player runs; none when the rules make every one.
    MarketCalls* calls = nullptr;

    // The seat's label as the tables have it: its name, and a settled seat in its colour and mark.
    void ShowSeat(int team, int seat);
    void ShowSeats();

private:
    Shell& shell_;
};

// Text colour of a settled seat.
constexpr uint32_t SettledColor = 0xFF0000;

} // namespace karven
