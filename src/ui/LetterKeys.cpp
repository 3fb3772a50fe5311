#include "ui/LetterKeys.h"

#include <QApplication>
#include <QSettings>
#include <optional>

#include "ui/KeyHint.h"

namespace karven::ui {

namespace {
constexpr const char* Key = "keys/lettersNeedAlt";
std::optional<bool> needAlt; // read once: keys are taken often
} // namespace

bool LettersNeedAlt() {
    if (!needAlt) needAlt = QSettings().value(Key, false).toBool();
    return *needAlt;
}

void SetLettersNeedAlt(bool on) {
    needAlt = on;
    QSettings().setValue(Key, on);
    for (QWidget* w : QApplication::allWidgets())
        if (auto* hint = dynamic_cast<KeyHint*>(w)) hint->Retell();
}

} // namespace karven::ui
