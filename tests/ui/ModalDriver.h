#pragma once
// Answers the next modal window from inside its event loop: optionally grabs it, then sends a key.

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
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

// Offscreen windows become active a little after they show; focus events need an active window.
inline void Activate(QWidget& window) {
    window.activateWindow();
    for (int i = 0; i < 200 && !window.isActiveWindow(); ++i) QApplication::processEvents();
}

// Types text into the focused control, one character at a time as a keyboard would.
inline void TypeText(QWidget& window, const QString& text) {
    QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
    for (char32_t ch : text.toUcs4()) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&ch, 1));
        QApplication::sendEvent(target, &press);
    }
}

inline void PressKey(QWidget& window, int key) {
    QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

inline void AnswerWithKey(int key) {
    WhenModal([key](QWidget& w) { PressKey(w, key); });
}

// Presses Enter on every modal window while it lives; a hook may look at a window first.
// The key is sent from a timer of its own, so a window that opens another one (a question
// behind a button) is answered in turn.
class AutoAnswer {
public:
    std::function<void(QWidget&)> look;
    int answered = 0;

    AutoAnswer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (pending_ || !modal || !modal->isVisible()) return;
            pending_ = true;
            QPointer<QWidget> target = modal;
            QTimer::singleShot(0, &timer_, [this, target] {
                pending_ = false;
                // A window that was closing when it was seen has given way to the next one.
                if (!target || QApplication::activeModalWidget() != target || !target->isVisible()) return;
                if (look) look(*target);
                ++answered;
                PressKey(*target, Qt::Key_Return);
            });
        });
        timer_.start(1);
    }

private:
    QTimer timer_;
    bool pending_ = false;
};

} // namespace karven::test
