#pragma once
// Answers the next modal window from inside its event loop: optionally grabs it, then sends a key.

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace karven::test {

inline void WhenModal(std::function<void(QWidget&)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(*modal);
    });
    timer->start();
}

inline void PressKey(QWidget& window, int key) {
    QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

inline void AnswerWithKey(int key) {
    WhenModal([key](QWidget& w) { PressKey(w, key); });
}

} // namespace karven::test
