#pragma once
// Widgets of our own for some controls: lists that wait for the player's choice, the scrolling
// document with pictures, and how lists and drop-downs show entries too long for them.

#include <QListWidget>
#include <QTextBrowser>

class QComboBox;

namespace karven::ui {

class PixmapCache;

// A list where nothing is chosen stays so until the player chooses.
class FormList : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    void focusInEvent(QFocusEvent* e) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
};

// A read-only text that scrolls, with pictures named by file path, drawn at the window's scale.
class FormDocument : public QTextBrowser {
public:
    FormDocument(PixmapCache& pictures, QWidget* parent);
    // Shows the text; pictures at their files' size times `scale`.
    void Show(const QString& html, qreal scale);
    const QString& Html() const { return html_; }

protected:
    QVariant loadResource(int type, const QUrl& url) override;

private:
    PixmapCache& pictures_;
    QString html_;
    qreal scale_ = 1;
};

// Entries wider than the list show whole in their tooltips.
void ShowLongEntries(QListWidget& list);
// A drop-down: its list as wide as its longest entry, and a text too long for the box in its tooltip.
void ShowLongEntries(QComboBox& box, const QString& toolTip);

} // namespace karven::ui
