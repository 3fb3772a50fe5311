#include "ui/Announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace karven::ui {

namespace {
// A notification named by its text, as a screen reader expects of one.
class AccessibleAnnouncer : public QAccessibleWidget {
public:
    explicit AccessibleAnnouncer(QWidget* w) : QAccessibleWidget(w, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* MakeAccessible(const QString&, QObject* object) {
    if (auto* announcer = dynamic_cast<Announcer*>(object)) return new AccessibleAnnouncer(announcer);
    return nullptr;
}
} // namespace

Announcer::Announcer(QWidget* window) : QLabel(window) {
    setObjectName("karvenAnnouncement");
    setGeometry(0, 0, 1, 1);
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Painted nowhere: the window shows what it says.
    setStyleSheet("color: transparent; background: transparent;");
    hide();
}

void Announcer::Say(const QString& text) {
    last_ = text;
    hide();
    setText(text);
    show();
    raise();
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
}

void InstallAnnouncerAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(MakeAccessible);
}

} // namespace karven::ui
