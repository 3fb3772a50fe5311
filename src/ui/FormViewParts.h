#pragma once
// What the two halves of FormView share: building it (FormView.cpp) and drawing the form's state
// into it (FormViewDraw.cpp).

#include <QColor>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/Form.h"

namespace karven::ui::detail {

// A caption with its mnemonic: "&File", or "ﾌｧｲﾙ(&F)" where the text has no such letter.
QString Caption(const Control& c);
Qt::Alignment ToQt(Align align, bool wrap);
QColor ToColor(uint32_t rgb);
QStringList ToQt(const std::vector<std::string>& items);

} // namespace karven::ui::detail
