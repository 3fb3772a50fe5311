#pragma once
// The analysis windows: title odds computed in the background, points by Grand Prix, and how each
// race of the season unfolded.

class QWidget;

namespace karven {
class Shell;
}

namespace karven::ui {

// Both modal over `parent`; they read the season and never change it.
void ShowOddsWindow(Shell& shell, QWidget* parent);
// On the race run last, with the others of the season a choice away.
void ShowRaceWindow(Shell& shell, QWidget* parent);

} // namespace karven::ui
