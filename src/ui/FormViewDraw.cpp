// The form's state drawn into its widgets, at the window's scale.
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <algorithm>
#include <cmath>

#include "ui/Announcer.h"
#include "ui/Binder.h"
#include "ui/FormChart.h"
#include "ui/FormStrip.h"
#include "ui/FormView.h"
#include "ui/FormViewParts.h"
#include "ui/FormWidgets.h"
#include "ui/LabelTableView.h"
#include "ui/PixmapCache.h"
#include "ui/TextFit.h"

namespace karven::ui {

using namespace detail;

namespace {
const char* const PictureProperty = "karvenPicture";
const char* const PictureSizeProperty = "karvenPictureSize";
const char* const ColorProperty = "karvenTextColor";
} // namespace

void FormView::Refresh() {
    // A window without a caption shows an empty title bar, not the program's file name.
    QString title = form_.caption.empty() ? QStringLiteral(" ") : ToQt(form_.caption);
    if (window_->windowTitle() != title) window_->setWindowTitle(title);
    if (QString spoken = ToQt(form_.spokenCaption); window_->accessibleName() != spoken) window_->setAccessibleName(spoken);
    for (Bound& b : bound_) RefreshControl(b);
    for (LabelTableView* table : tables_) table->Refresh();
    if (!form_.announcements.empty()) {
        QStringList said;
        for (const std::string& text : form_.announcements) said << ToQt(text);
        form_.announcements.clear();
        announcer_->Say(said.join('\n'));
    }
    if (!form_.focusRequest.empty()) {
        lastFocusRequest_ = form_.focusRequest;
        for (const Bound& b : bound_) {
            if (!b.widget || b.control->Key() != form_.focusRequest) continue;
            // A hidden or disabled control cannot take it; the request waits for it.
            if (!b.widget->isVisibleTo(window_) || !b.widget->isEnabled()) return;
            b.widget->setFocus(Qt::OtherFocusReason);
        }
        form_.focusRequest.clear();
    }
}

void FormView::RefreshControl(Bound& b) {
    const Control& c = *b.control;
    if (b.action) {
        QAction* a = b.action;
        if (c.kind != ControlKind::Separator && a->text() != Caption(c)) a->setText(Caption(c));
        a->setVisible(c.visible);
        a->setEnabled(c.enabled);
        if (c.checked && !a->isCheckable()) a->setCheckable(true);
        if (a->isCheckable()) a->setChecked(c.checked);
        if (a->toolTip() != ToQt(c.toolTip) && !c.toolTip.empty()) a->setToolTip(ToQt(c.toolTip));
        return;
    }
    QWidget* w = b.widget;
    QSignalBlocker quiet(w); // programmatic changes are not the player's events
    if (QString spoken = ToQt(c.spoken); w->accessibleName() != spoken) w->setAccessibleName(spoken);
    QRect rect = Place(c.rect);
    if (w->geometry() != rect) w->setGeometry(rect); // a column that widens for what it shows
    if (w->isHidden() == c.visible) w->setVisible(c.visible);
    if (w->isEnabled() != c.enabled) w->setEnabled(c.enabled);

    if (c.kind == ControlKind::Label && w->font().bold() != (c.style.bold || c.highlight)) {
        QFont font = w->font();
        font.setBold(c.style.bold || c.highlight);
        w->setFont(font);
    }
    if (c.kind != ControlKind::Picture && w->property(ColorProperty).toUInt() != c.ShownColor()) {
        const uint32_t color = c.ShownColor();
        w->setProperty(ColorProperty, color);
        // Only the active colours: a disabled control keeps the style's greyed text.
        QPalette p = w->palette();
        const QPalette base = window_->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
                bool own = color != DefaultColor && group != QPalette::Disabled;
                p.setColor(group, role, own ? ToColor(color) : base.color(group, role));
            }
        w->setPalette(p);
    }

    // Labels and drop-downs add the whole of a text they cannot show to their tooltips; a table's
    // entries have their own, and its tooltip tells what its headings mean.
    QWidget* tipped = c.kind == ControlKind::Table ? static_cast<QTableWidget*>(w)->horizontalHeader() : w;
    if (c.kind != ControlKind::Label && c.kind != ControlKind::ComboBox && tipped->toolTip() != ToQt(c.toolTip))
        tipped->setToolTip(ToQt(c.toolTip));

    if (auto* button = qobject_cast<QPushButton*>(w)) {
        if (button->text() != Caption(c)) button->setText(Caption(c));
        // The form's default button; Qt itself draws a focused button as the default meanwhile.
        if (IsDialog() && c.Key() == form_.defaultButton && shownDefault_ != form_.defaultButton) {
            button->setDefault(true);
            shownDefault_ = form_.defaultButton;
        }
    } else if (auto* t = qobject_cast<QLineEdit*>(w)) {
        QString text = ToQt(c.text);
        // Typing stops at the limit; a longer text put there by the logic stays whole (Qt would
        // cut it), and can only be shortened. Without one, Qt's own default.
        const int limit = c.maxLength > 0 ? std::max(c.maxLength, int(text.size())) : 32767;
        if (t->maxLength() != limit) t->setMaxLength(limit);
        if (t->text() != text) {
            // A handler that tidies the text as it is typed keeps the cursor where the player was.
            int fromEnd = t->text().size() - t->cursorPosition();
            t->setText(text);
            t->setCursorPosition(std::max(0, int(text.size()) - fromEnd));
        }
    } else if (auto* box = qobject_cast<QComboBox*>(w)) {
        QStringList items = ToQt(c.items);
        QStringList shown;
        for (int i = 0; i < box->count(); ++i) shown << box->itemText(i);
        if (shown != items) {
            box->clear();
            box->addItems(items);
        }
        if (box->currentIndex() != c.listIndex) box->setCurrentIndex(c.listIndex);
        if (box->isEditable() && box->currentText() != ToQt(c.text)) box->setEditText(ToQt(c.text));
        ShowLongEntries(*box, ToQt(c.toolTip));
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        QStringList items = ToQt(c.items);
        if (list->count() == items.size()) {
            // Entries rewritten in place keep the selection and the scroll position.
            for (int i = 0; i < items.size(); ++i)
                if (list->item(i)->text() != items[i]) list->item(i)->setText(items[i]);
        } else {
            list->clear();
            list->addItems(items);
        }
        // The form's entry shows selected, also when the list made it current on taking the focus.
        QListWidgetItem* current = c.listIndex >= 0 ? list->item(c.listIndex) : nullptr;
        if (list->currentRow() != c.listIndex || (current && !current->isSelected()))
            list->setCurrentRow(c.listIndex);
        ShowLongEntries(*list);
    } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
        RefreshTable(c, *table);
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
        RefreshTabs(c, *tabs);
    } else if (auto* chart = dynamic_cast<FormChart*>(w)) {
        chart->Show(c.chart, c.listIndex, c.checks);
    } else if (auto* strip = dynamic_cast<FormStrip*>(w)) {
        strip->Show(c.strip);
    } else if (auto* bar = qobject_cast<QProgressBar*>(w)) {
        if (bar->maximum() != std::max(c.maximum, 1)) bar->setRange(0, std::max(c.maximum, 1));
        if (bar->value() != std::clamp(c.value, 0, bar->maximum())) bar->setValue(std::clamp(c.value, 0, bar->maximum()));
    } else if (auto* document = dynamic_cast<FormDocument*>(w)) {
        document->Show(ToQt(c.text), scale_);
    } else if (c.kind == ControlKind::Picture) {
        RefreshPicture(c, w);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        ShowLabel(b, *label);
    }
}

void FormView::ShowLabel(Bound& b, QLabel& label) {
    const Control& c = *b.control;
    QString text = c.mark.empty() ? ToQt(c.text) : ToQt(c.mark + " " + c.text);
    QSize box = label.contentsRect().size();
    qreal points = label.font().pointSizeF();
    if (text == b.fittedText && box == b.fittedSize && points == b.fittedPoints) return;
    b.fittedText = text;
    b.fittedSize = box;
    b.fittedPoints = points;
    // A framed label keeps half an "x" of room on either side.
    int room = box.width() - (label.frameWidth() > 0 ? label.fontMetrics().horizontalAdvance('x') : 0);
    FittedText fitted = FitText(text, label.fontMetrics(), room, box.height(), c.style.wrap,
                                QString::fromStdString(c.style.breakAfter));
    if (label.text() != fitted.text) label.setText(fitted.text);
    label.setProperty("elided", fitted.elided); // a text of its own may end in "…" too
    QString tip = fitted.elided ? text : QString();
    if (!c.toolTip.empty()) tip = tip.isEmpty() ? ToQt(c.toolTip) : tip + "\n" + ToQt(c.toolTip);
    if (label.toolTip() != tip) label.setToolTip(tip);
}

void FormView::RefreshTabs(const Control& c, QTabBar& tabs) {
    for (int i = 0; i < int(c.items.size()); ++i) {
        if (i >= tabs.count()) tabs.addTab(QString());
        if (tabs.tabText(i) != ToQt(c.items[size_t(i)])) tabs.setTabText(i, ToQt(c.items[size_t(i)]));
        QString tip = i < int(c.itemTips.size()) ? ToQt(c.itemTips[size_t(i)]) : QString();
        if (tabs.tabToolTip(i) != tip) tabs.setTabToolTip(i, tip);
    }
    while (tabs.count() > int(c.items.size())) tabs.removeTab(tabs.count() - 1);
    if (c.listIndex >= 0 && c.listIndex < tabs.count() && tabs.currentIndex() != c.listIndex) tabs.setCurrentIndex(c.listIndex);
}

void FormView::RefreshTable(const Control& c, QTableWidget& shown) {
    auto& table = static_cast<FormTable&>(shown);
    QStringList headings;
    for (const Control::Column& column : c.columns) headings << ToQt(column.heading);
    bool changed = table.columnCount() != headings.size();
    if (changed) table.setColumnCount(int(headings.size()));
    for (int i = 0; i < int(headings.size()); ++i) {
        QTableWidgetItem* head = table.horizontalHeaderItem(i);
        if (head && head->text() == headings[i]) continue;
        table.setHorizontalHeaderItem(i, new QTableWidgetItem(headings[i]));
        changed = true;
    }
    // Measured again at a new scale, since the font follows it.
    if (table.property("karvenScale").toDouble() != scale_) {
        table.setProperty("karvenScale", scale_);
        changed = true;
    }
    bool replaced = table.rowCount() != int(c.rows.size());
    table.setRowCount(int(c.rows.size()));
    for (int r = 0; r < int(c.rows.size()); ++r) {
        for (int i = 0; i < int(c.columns.size()); ++i) {
            QString text = i < int(c.rows[r].size()) ? ToQt(c.rows[r][i]) : QString();
            const Qt::Alignment align = ToQt(c.columns[i].align, false);
            QTableWidgetItem* item = table.item(r, i);
            if (!item) {
                item = new QTableWidgetItem;
                table.setItem(r, i, item);
            }
            // The same cell may have held another view's column.
            if (item->textAlignment() != int(align)) item->setTextAlignment(align);
            if (item->text() == text) continue;
            item->setText(text);
            replaced = true;
        }
    }
    if (changed || replaced) {
        std::vector<bool> share;
        for (const Control::Column& column : c.columns) share.push_back(column.width == 0);
        table.Measure(share);
    }
    if (table.currentRow() != c.listIndex) table.setCurrentCell(c.listIndex, 0);
    // Other contents with nothing chosen: they are read from the top.
    if (replaced && c.listIndex < 0) table.scrollToTop();
}

void FormView::RefreshPicture(const Control& c, QWidget* w) {
    QString path = QString::fromStdString(c.picture);
    auto* label = static_cast<QLabel*>(w);
    // A framed picture shows inside its frame; the picture is made for that room and this screen.
    const QSize room = label->contentsRect().size();
    const QString shownAs = QString("%1x%2@%3").arg(room.width()).arg(room.height()).arg(w->devicePixelRatioF());
    if (w->property(PictureProperty).toString() == path && w->property(PictureProperty).isValid() &&
        w->property(PictureSizeProperty).toString() == shownAs)
        return;
    QPixmap pixmap = binder_.Pixmaps().Get(path, room, w->devicePixelRatioF());
    if (pixmap.isNull()) {
        label->clear();
        w->setProperty(PictureProperty, QVariant()); // a file that appears later is looked for again
        return;
    }
    label->setPixmap(pixmap);
    w->setProperty(PictureProperty, path);
    w->setProperty(PictureSizeProperty, shownAs);
}

QRect FormView::Place(const Rect& r) const {
    // Edges are scaled rather than sizes, so that controls side by side stay side by side.
    auto x = [this](int v) { return offset_.x() + int(std::lround(v * scale_)); };
    auto y = [this](int v) { return offset_.y() + int(std::lround(v * scale_)); };
    return QRect(QPoint(x(r.left), y(r.top)), QPoint(x(r.left + r.width) - 1, y(r.top + r.height) - 1));
}

void FormView::ScaleFont(Bound& b) {
    if (!b.widget || b.points <= 0) return;
    QFont font = b.widget->font();
    qreal points = b.points * scale_;
    if (std::abs(font.pointSizeF() - points) < 0.01) return;
    font.setPointSizeF(points);
    b.widget->setFont(font);
}

void FormView::Fit(QSize area) {
    if (natural_.isEmpty() || area.isEmpty()) return;
    scale_ = std::min(double(area.width()) / natural_.width(), double(area.height()) / natural_.height());
    offset_ = QPoint(int(std::lround((area.width() - natural_.width() * scale_) / 2)),
                     int(std::lround((area.height() - natural_.height() * scale_) / 2)));
    for (Bound& b : bound_) {
        if (!b.widget) continue;
        ScaleFont(b);
        RefreshControl(b);
    }
    for (LabelTableView* table : tables_) table->Refresh();
}

} // namespace karven::ui
