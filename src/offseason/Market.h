#pragma once
// The transfer market's opening, evaluation and confirmation.

namespace karven {

class Shell;
class FrmKarvenOff;
class MarketWatch;
class MarketCalls;

// cmdOffSis: opens the market window; what runs beside the rules' market watches it, and the
// player's team makes its choices through `calls`.
void ShowOff(Shell& shell, MarketWatch* watch = nullptr, MarketCalls* calls = nullptr);

// Window opening: reseed, place against the main window, build and show the tables.
void OffLoad(FrmKarvenOff& form, Shell& shell);
// Team ranks by constructors' points, driver scores, evaluation points and both driver ranks.
void OffPrepare(FrmKarvenOff& form, Shell& shell);
// Team names, colours and this season's two seats of every team.
void OffShow(FrmKarvenOff& form, Shell& shell);
// cmdOK: writes the line-up, crowns the champion and opens the next season.
void OffConfirm(FrmKarvenOff& form, Shell& shell);

} // namespace karven
