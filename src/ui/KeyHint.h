#pragma once
// The key that presses a button, drawn small inside the button's right end, so the caption keeps
// its own text.

#include <QLabel>

class QPushButton;

namespace karven::ui {

class KeyHint : public QLabel {
public:
    KeyHint(const QString& key, QPushButton* button);
    // Draws the key again as the player now presses it (with Alt or without).
    void Retell();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Follow(); // the button's size and font
    QPushButton* button_;
    QString key_;
};

} // namespace karven::ui
