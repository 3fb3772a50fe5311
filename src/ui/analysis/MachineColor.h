#pragma once
// The colour a team's machine is painted in, read from its colour picture.

#include <QColor>
#include <QString>

namespace karven::ui {

// The colour most of the picture shows that stands out on white; `fallback` without a picture.
QColor MachineColor(const QString& picturePath, QColor fallback);

} // namespace karven::ui
