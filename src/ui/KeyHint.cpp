#include "ui/KeyHint.h"

#include <QEvent>
#include <QPushButton>

#include "ui/LetterKeys.h"

namespace karven::ui {

KeyHint::KeyHint(const QString& key, QPushButton* button) : QLabel(button), button_(button), key_(key) {
    setObjectName(button->objectName() + "_key");
    setAttribute(Qt::WA_TransparentForMouseEvents); // a click on the letter is a click on the button
    setAlignment(Qt::AlignCenter);
    setStyleSheet("color: #6b7385; border: 1px solid #b8bfcc; border-radius: 3px; background: transparent;");
    button->installEventFilter(this);
    Retell();
}

void KeyHint::Retell() {
    setText(LettersNeedAlt() ? "Alt+" + key_ : key_);
    Follow();
}

bool KeyHint::eventFilter(QObject* watched, QEvent* event) {
    if (watched == button_ && (event->type() == QEvent::Resize || event->type() == QEvent::FontChange)) Follow();
    return QLabel::eventFilter(watched, event);
}

void KeyHint::Follow() {
    QFont font = button_->font();
    font.setPointSizeF(font.pointSizeF() * 0.8);
    font.setBold(false);
    setFont(font);
    QFontMetrics metrics(font);
    int side = metrics.height() + 2;
    int width = std::max(side, metrics.horizontalAdvance(text()) + 6);
    int margin = std::max(4, button_->height() / 5);
    setGeometry(button_->width() - width - margin, (button_->height() - side) / 2, width, side);
}

} // namespace karven::ui
