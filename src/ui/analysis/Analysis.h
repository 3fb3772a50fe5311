#pragma once
// The analysis window the desktop draws itself: title odds computed in the background.

class QWidget;

namespace karven {
class Shell;
}

namespace karven::ui {

// Modal over `parent`; it reads the season and never changes it.
void ShowOddsWindow(Shell& shell, QWidget* parent);

} // namespace karven::ui
