#pragma once
// Where a window's announcements go: a notification a screen reader speaks as it appears, too
// small to be seen (the window itself already shows what it tells).

#include <QLabel>
#include <QString>

namespace karven::ui {

class Announcer : public QLabel {
public:
    explicit Announcer(QWidget* window);
    // Shown afresh with this text, so that a screen reader speaks it even when it repeats.
    void Say(const QString& text);
    const QString& Last() const { return last_; }

private:
    QString last_;
};

// Once, before the first window: screen readers see an Announcer as a notification.
void InstallAnnouncerAccessibility();

} // namespace karven::ui
