#include "ui/FormWidgets.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "ui/PixmapCache.h"
#include "ui/TextFit.h"

namespace karven::ui {

void FormList::focusInEvent(QFocusEvent* e) {
    if (currentRow() >= 0) return QListWidget::focusInEvent(e);
    // Qt makes the first entry current on taking the focus, which would read as a click.
    QSignalBlocker quiet(this);
    QListWidget::focusInEvent(e);
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

QModelIndex FormList::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // With nothing current Qt goes to the first entry whatever the key; End goes to the last.
    if (action == MoveEnd && currentRow() < 0 && count() > 0) return indexFromItem(item(count() - 1));
    return QListWidget::moveCursor(action, modifiers);
}

FormTable::FormTable(QWidget* parent) : QTableWidget(parent) {
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setTextElideMode(Qt::ElideNone);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

int FormTable::Margin() const {
    // The room the item views keep on either side of a text, and a pixel to spare.
    return 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 2;
}

void FormTable::Measure(const std::vector<bool>& share) {
    const QFontMetrics metrics = fontMetrics();
    verticalHeader()->setDefaultSectionSize(metrics.height() + 8);
    needs_.assign(size_t(columnCount()), {});
    for (int i = 0; i < columnCount(); ++i) {
        ColumnNeed& need = needs_[size_t(i)];
        need.least = horizontalHeader()->sectionSizeHint(i);
        need.share = i < int(share.size()) && share[size_t(i)];
        for (int r = 0; r < rowCount(); ++r)
            if (const QTableWidgetItem* cell = item(r, i))
                need.natural = std::max(need.natural, metrics.horizontalAdvance(cell->text()) + Margin());
    }
    FitColumns();
}

void FormTable::FitColumns() {
    if (needs_.size() != size_t(columnCount())) return;
    const std::vector<int> widths = ui::FitColumns(needs_, viewport()->width());
    const QFontMetrics metrics = fontMetrics();
    for (int i = 0; i < columnCount(); ++i) {
        if (columnWidth(i) != widths[size_t(i)]) setColumnWidth(i, widths[size_t(i)]);
        for (int r = 0; r < rowCount(); ++r) {
            QTableWidgetItem* cell = item(r, i);
            if (!cell) continue;
            QString tip = metrics.horizontalAdvance(cell->text()) + Margin() > widths[size_t(i)] ? cell->text() : QString();
            if (cell->toolTip() != tip) cell->setToolTip(tip);
        }
    }
}

bool FormTable::viewportEvent(QEvent* e) {
    bool done = QTableWidget::viewportEvent(e);
    if (e->type() == QEvent::Resize) FitColumns();
    return done;
}

FormDocument::FormDocument(PixmapCache& pictures, QWidget* parent) : QTextBrowser(parent), pictures_(pictures) {
    setOpenLinks(false);
    setFocusPolicy(Qt::StrongFocus);
}

void FormDocument::Show(const QString& html, qreal scale) {
    if (html == html_ && scale == scale_) return;
    const double at = verticalScrollBar()->maximum() > 0
                          ? double(verticalScrollBar()->value()) / verticalScrollBar()->maximum() : 0;
    html_ = html;
    scale_ = scale;
    document()->setDefaultFont(font());
    setHtml(KeepPhrasesTogether(html)); // pictures are asked for again, at the new scale
    verticalScrollBar()->setValue(int(at * verticalScrollBar()->maximum()));
}

QVariant FormDocument::loadResource(int type, const QUrl& url) {
    if (type != QTextDocument::ImageResource) return QTextBrowser::loadResource(type, url);
    QString path = url.isLocalFile() ? url.toLocalFile() : url.toString();
    QSize size = pictures_.FileSize(path);
    if (size.isEmpty()) return {};
    QPixmap pixmap = pictures_.Get(path, (QSizeF(size) * scale_).toSize(), devicePixelRatioF());
    return pixmap.isNull() ? QVariant() : QVariant(pixmap);
}

void ShowLongEntries(QListWidget& list) {
    const int room = list.viewport()->width() - 2 * list.frameWidth();
    const QFontMetrics metrics = list.fontMetrics();
    for (int i = 0; i < list.count(); ++i) {
        QListWidgetItem* item = list.item(i);
        QString tip = metrics.horizontalAdvance(item->text()) + 8 > room ? item->text() : QString();
        if (item->toolTip() != tip) item->setToolTip(tip);
    }
}

void ShowLongEntries(QComboBox& box, const QString& toolTip) {
    const QFontMetrics metrics = box.fontMetrics();
    int widest = 0;
    for (int i = 0; i < box.count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(box.itemText(i)));
    box.view()->setMinimumWidth(widest + 2 * metrics.averageCharWidth() + box.view()->verticalScrollBar()->sizeHint().width());
    QString text = box.currentText();
    int room = box.lineEdit() ? box.lineEdit()->width() - 6 : box.width() - 24;
    QString tip = metrics.horizontalAdvance(text) > room ? text : QString();
    if (!toolTip.isEmpty()) tip = tip.isEmpty() ? toolTip : tip + "\n" + toolTip;
    if (box.toolTip() != tip) box.setToolTip(tip);
}

} // namespace karven::ui
