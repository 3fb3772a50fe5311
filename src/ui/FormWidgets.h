#pragma once
// Widgets of our own for some controls: lists that wait for the player's choice, the scrolling
// document with pictures, and how lists and drop-downs show entries too long for them.

#include <QListWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <vector>

#include "ui/TextFit.h"

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

// A table whose columns follow what they hold: every entry on one line, whole where there is room,
// else ended with "…" and whole in its tooltip; the headings always whole.
class FormTable : public QTableWidget {
public:
    explicit FormTable(QWidget* parent);
    // After the texts or the font changed: measures the columns again, then fits them. `share`:
    // the columns that take the room to spare.
    void Measure(const std::vector<bool>& share);
    // The widths for the room there is now.
    void FitColumns();

protected:
    bool viewportEvent(QEvent* e) override;

private:
    int Margin() const;
    std::vector<ColumnNeed> needs_;
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
