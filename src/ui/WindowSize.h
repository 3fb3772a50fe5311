#pragma once
// How large the game's windows open: the main window at the largest scale up to 1 that the
// screen holds, or as the player left it last time.

#include <QMargins>
#include <QRect>
#include <QSize>

namespace karven::ui {

// Below this share of its own size a window's texts get hard to read; a screen too small for even
// that opens the main window smaller all the same.
constexpr double SmallestScale = 0.7;

// The frame a window manager puts around a window, until the real one is known.
constexpr QMargins AssumedFrame{6, 32, 6, 6};

// The largest factor up to 1 at which content of natural size, with `chrome` around it (menu and
// status bars) and the window frame, fits into `available`.
double FittingScale(QSize natural, QSize chrome, QMargins frame, QSize available);

// The main window's geometry at start, without its frame: the size the player chose last time
// (`remembered`, empty for none) while it fits, else the fitting scale; centred in `available`.
QRect StartGeometry(QSize natural, QSize chrome, QMargins frame, QRect available, QSize remembered);

} // namespace karven::ui
