#pragma once
// The analysis windows: title odds computed in the background, and points by Grand Prix.

class QWidget;

namespace karven {
class Shell;
}

namespace karven::ui {

// Both modal over `parent`; they read the season and never change it.
void ShowOddsWindow(Shell& shell, QWidget* parent);
void ShowPointsWindow(Shell& shell, QWidget* parent);

} // namespace karven::ui
