#include "ui/FormView.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeySequence>
#include <QCompleter>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QActionGroup>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>
#include <cmath>
#include <map>

#include "ui/Announcer.h"
#include "ui/Binder.h"
#include "ui/FormWidgets.h"
#include "ui/KeyHint.h"
#include "ui/TextFit.h"

namespace karven::ui {

QString ToQt(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace("\r\n", "\n");
    return s;
}

std::string FromQt(const QString& text) { return text.toStdString(); }

QString KeyName(const QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Up: return "Up";
    case Qt::Key_Down: return "Down";
    case Qt::Key_Left: return "Left";
    case Qt::Key_Right: return "Right";
    case Qt::Key_PageUp: return "PageUp";
    case Qt::Key_PageDown: return "PageDown";
    default: return e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z ? QString(QChar(e->key())) : QString();
    }
}

namespace {
// The mnemonic underlines its letter where the caption has it ("&File"); a caption without it, as
// the Japanese ones, shows the letter after it ("ﾌｧｲﾙ(&F)").
QString Caption(const Control& c) {
    QString text = ToQt(c.text);
    if (c.accessKey == 0) return text;
    int at = text.indexOf(QChar(c.accessKey), 0, Qt::CaseInsensitive);
    if (at >= 0) return text.insert(at, '&');
    return text + QString("(&%1)").arg(QChar(c.accessKey));
}

Qt::Alignment ToQt(Align align, bool wrap) {
    Qt::Alignment vertical = wrap ? Qt::AlignTop : Qt::AlignVCenter;
    switch (align) {
    case Align::Center: return Qt::AlignHCenter | vertical;
    case Align::Right: return Qt::AlignRight | vertical;
    default: return Qt::AlignLeft | vertical;
    }
}

QColor ToColor(uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

QStringList ToQt(const std::vector<std::string>& items) {
    QStringList list;
    for (const std::string& item : items) list << QString::fromStdString(item);
    return list;
}

void ApplyStyle(QWidget* w, const Style& style) {
    QFont font = w->font();
    if (style.fontSize > 0) font.setPointSize(style.fontSize);
    font.setBold(style.bold);
    w->setFont(font);
    if (style.backColor != DefaultColor) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, ToColor(style.backColor));
        w->setPalette(p);
        w->setAutoFillBackground(true);
    }
}

const char* const PictureProperty = "karvenPicture";
const char* const PictureSizeProperty = "karvenPictureSize";
const char* const ColorProperty = "karvenTextColor";

// The letter key the form binds to this button, shown beside its caption; none where the caption
// carries its own mnemonic.
QString LetterKeyOf(const Form& form, const Control& c) {
    if (c.accessKey != 0) return {};
    for (const auto& [key, button] : form.keyButtons)
        if (button == c.name && key.size() == 1 && key[0] >= 'A' && key[0] <= 'Z') return QString::fromStdString(key);
    return {};
}
} // namespace

FormView::FormView(Binder& binder, Form& form, QWidget* window, QWidget* content, QMenuBar* menuBar)
    : binder_(binder), form_(form), window_(window), menuBar_(menuBar) {
    window_->setObjectName(QString::fromStdString(form.Name()));
    natural_ = QSize(form.geometry.width, form.geometry.height);
    for (Control& c : form.Controls()) {
        if (c.kind == ControlKind::Menu || c.kind == ControlKind::MenuItem || c.kind == ControlKind::Separator) {
            if (menuBar_) MakeMenuEntry(c);
            continue;
        }
        QWidget* w = MakeWidget(c, content);
        w->setObjectName(QString::fromStdString(c.Key()));
        w->setGeometry(c.rect.left, c.rect.top, c.rect.width, c.rect.height);
        ApplyStyle(w, c.style);
        Bound& b = bound_.emplace_back();
        b.control = &c;
        b.widget = w;
        b.action = nullptr;
        b.points = w->font().pointSizeF();
        if (QString key = LetterKeyOf(form, c); !key.isEmpty()) new KeyHint(key, static_cast<QPushButton*>(w));
    }
    // Boxes drawn first must stay behind what lies on them.
    for (const Bound& b : bound_)
        if (b.control->style.border) b.widget->lower();
    // A field is named by its label, as a screen reader reads it and as the label's letter reaches it.
    for (const Bound& b : bound_) {
        if (!b.widget || b.control->labelledBy.empty()) continue;
        for (const Bound& label : bound_)
            if (auto* l = qobject_cast<QLabel*>(label.widget); l && label.control->Key() == b.control->labelledBy)
                l->setBuddy(b.widget);
    }
    InstallAnnouncerAccessibility();
    announcer_ = new Announcer(window_);
    binder_.Register(this);
}

FormView::~FormView() { binder_.Unregister(this); }

QString FormView::LastAnnouncement() const { return announcer_->Last(); }

QWidget* FormView::MakeWidget(Control& c, QWidget* content) {
    switch (c.kind) {
    case ControlKind::Button: {
        auto* b = new QPushButton(content);
        // A focused button is the one Enter presses, and is drawn so; elsewhere the form's default is.
        b->setAutoDefault(IsDialog());
        b->installEventFilter(this); // the form's keys before the button's own (arrows move the focus)
        connect(b, &QPushButton::clicked, this, [this, &c] { Fire(c, &Control::onClick); });
        return b;
    }
    case ControlKind::ListBox: {
        auto* l = new FormList(content);
        connect(l, &QListWidget::currentRowChanged, this, [this, &c] { Fire(c, &Control::onClick); });
        l->installEventFilter(this);
        return l;
    }
    case ControlKind::TextBox: {
        auto* t = new QLineEdit(content);
        connect(t, &QLineEdit::textEdited, this, [this, &c] { Fire(c, &Control::onChange); });
        t->installEventFilter(this);
        return t;
    }
    case ControlKind::ComboBox: {
        auto* box = new QComboBox(content);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        // Names are compared exactly, so the completion offers only what matches exactly.
        if (box->completer()) box->completer()->setCaseSensitivity(Qt::CaseSensitive);
        connect(box, &QComboBox::editTextChanged, this, [this, &c] { Fire(c, &Control::onChange); });
        connect(box, &QComboBox::activated, this, [this, &c] { Fire(c, &Control::onClick); });
        box->installEventFilter(this);
        return box;
    }
    case ControlKind::Table: {
        auto* t = new FormTable(content);
        t->setEditTriggers(QAbstractItemView::NoEditTriggers);
        t->setSelectionBehavior(QAbstractItemView::SelectRows);
        t->setSelectionMode(QAbstractItemView::SingleSelection);
        t->setAlternatingRowColors(true);
        t->verticalHeader()->hide();
        t->setTabKeyNavigation(false); // Tab leaves the table for the buttons
        connect(t, &QTableWidget::currentCellChanged, this, [this, &c](int row, int, int previous) {
            if (row != previous) Fire(c, &Control::onClick);
        });
        // A double click does what Enter does: the window's default button.
        connect(t, &QTableWidget::cellDoubleClicked, this, [this] { PressDefault(); });
        t->installEventFilter(this);
        return t;
    }
    case ControlKind::Picture: {
        auto* p = new QLabel(content);
        p->setScaledContents(c.style.stretch);
        p->setAlignment(Qt::AlignCenter);
        return p;
    }
    case ControlKind::Document: {
        auto* d = new FormDocument(binder_.Pixmaps(), content);
        d->installEventFilter(this);
        return d;
    }
    default: {
        auto* l = new QLabel(content);
        l->setWordWrap(c.style.wrap);
        l->setAlignment(ToQt(c.style.align, c.style.wrap));
        l->setTextFormat(Qt::PlainText);
        if (c.style.border) l->setFrameStyle(QFrame::Box | QFrame::Plain);
        return l;
    }
    }
}

void FormView::MakeMenuEntry(Control& c) {
    QAction* action = nullptr;
    if (c.kind == ControlKind::Menu) {
        // A menu inside another opens from it.
        QMenu* parent = c.parent.empty() ? nullptr : menuBar_->findChild<QMenu*>(QString::fromStdString(c.parent));
        QMenu* menu = parent ? parent->addMenu(Caption(c)) : menuBar_->addMenu(Caption(c));
        menu->setObjectName(QString::fromStdString(c.Key()));
        menu->setToolTipsVisible(true);
        action = menu->menuAction();
    } else {
        auto* menu = menuBar_->findChild<QMenu*>(QString::fromStdString(c.parent));
        if (!menu) return;
        if (c.kind == ControlKind::Separator) {
            action = menu->addSeparator();
        } else {
            action = menu->addAction(Caption(c));
            connect(action, &QAction::triggered, this, [this, &c] { Fire(c, &Control::onClick); });
            // "Ctrl+S" and the like press the item from anywhere in the window.
            if (!c.shortcut.empty()) action->setShortcut(QKeySequence(QString::fromStdString(c.shortcut)));
            if (!c.group.empty()) {
                // One of the group is chosen, drawn as a radio item.
                auto* group = menuBar_->findChild<QActionGroup*>(QString::fromStdString(c.group));
                if (!group) {
                    group = new QActionGroup(menuBar_);
                    group->setObjectName(QString::fromStdString(c.group));
                }
                action->setCheckable(true);
                group->addAction(action);
            }
        }
    }
    action->setObjectName(QString::fromStdString(c.Key()));
    Bound& b = bound_.emplace_back();
    b.control = &c;
    b.widget = nullptr;
    b.action = action;
}

void FormView::Fire(Control& c, std::function<void()> Control::*handler) {
    // A window whose form has closed is going away: the focus it hands back on the way is no event.
    if (form_.IsClosed() || !c.enabled || !(c.*handler)) return;
    bool focus = handler == &Control::onGotFocus || handler == &Control::onLostFocus;
    if (!focus && !binder_.TakesInput(window_)) return;
    std::function<void()> h = c.*handler; // the handler may rewire the control
    binder_.Fire(h);
}

void FormView::PressButton(const std::string& name) {
    Control* c = form_.Find(name);
    if (!c || !c->enabled) return;
    // As with a click, the button takes the focus first, so a name typed in a text box is taken
    // by its lost-focus handler before the button acts on it.
    for (const Bound& b : bound_)
        if (b.control == c && b.widget && c->visible) b.widget->setFocus(Qt::OtherFocusReason);
    Fire(*c, &Control::onClick);
}

void FormView::PressDefault() {
    if (!form_.defaultButton.empty()) PressButton(form_.defaultButton);
}

void FormView::PressCancel() {
    if (!form_.cancelButton.empty()) PressButton(form_.cancelButton);
    else QueryClose();
}

void FormView::QueryClose() {
    if (!binder_.TakesInput(window_)) return;
    binder_.Fire([this] { form_.QueryClose(); });
}

Control* FormView::ControlOf(QWidget* widget) {
    for (const Bound& b : bound_)
        if (b.widget == widget) return b.control;
    return nullptr;
}

// Each control gains and loses the focus once per visit, whatever Qt reports in between.
void FormView::FocusMoved(QWidget* widget, bool in) {
    if (in) {
        if (focused_ == widget) return; // back from another window or a popup
        if (focused_) FocusMoved(focused_, false);
        focused_ = widget;
        if (Control* c = ControlOf(widget)) Fire(*c, &Control::onGotFocus);
    } else {
        if (focused_ != widget) return;
        focused_ = nullptr;
        if (Control* c = ControlOf(widget)) Fire(*c, &Control::onLostFocus);
    }
}

bool FormView::PressKey(const QString& key) {
    if (key.isEmpty()) return false;
    for (const auto& [name, button] : form_.keyButtons) {
        if (QString::fromStdString(name) != key) continue;
        // A button out of sight (the commands during a race) takes no key.
        if (Control* c = form_.Find(button); c && c->visible) PressButton(button);
        return true;
    }
    return false;
}

void FormView::ReturnFocus() {
    if (!window_->isVisible()) return;
    window_->activateWindow();
    QWidget* focus = window_->focusWidget();
    if (focus && focus->isVisible() && focus->isEnabled()) return;
    for (const Bound& b : bound_)
        if (b.widget && b.control->Key() == lastFocusRequest_ && b.widget->isVisibleTo(window_) && b.widget->isEnabled())
            b.widget->setFocus(Qt::OtherFocusReason);
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* button = qobject_cast<QPushButton*>(watched);
        bool plain = !(key->modifiers() & ~Qt::KeypadModifier);
        // Enter presses the focused button; with the focus elsewhere the window's default button.
        if (button && plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            if (button->isEnabled() && button->isVisible()) button->click();
            return true;
        }
        if (button && plain && PressKey(KeyName(key))) return true;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        auto reason = static_cast<QFocusEvent*>(event)->reason();
        bool in = event->type() == QEvent::FocusIn;
        bool away = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        // A drop-down's list takes the focus a second time as it opens, for another reason;
        // the focus is still the drop-down's.
        QWidget* next = QApplication::focusWidget();
        if (!in && next && next->window()->windowType() == Qt::Popup) away = true;
        if (auto* w = qobject_cast<QWidget*>(watched); w && (in || !away)) FocusMoved(w, in);
    }
    return QObject::eventFilter(watched, event);
}

void FormView::Pull() {
    for (const Bound& b : bound_) {
        Control& c = *b.control;
        if (auto* t = qobject_cast<QLineEdit*>(b.widget)) {
            c.text = FromQt(t->text());
        } else if (auto* box = qobject_cast<QComboBox*>(b.widget)) {
            c.text = FromQt(box->currentText());
            c.listIndex = box->currentIndex();
        } else if (auto* l = qobject_cast<QListWidget*>(b.widget)) {
            c.listIndex = l->currentRow();
        } else if (auto* t = qobject_cast<QTableWidget*>(b.widget)) {
            c.listIndex = t->currentRow();
        }
    }
}

void FormView::Refresh() {
    // A window without a caption shows an empty title bar, not the program's file name.
    QString title = form_.caption.empty() ? QStringLiteral(" ") : ToQt(form_.caption);
    if (window_->windowTitle() != title) window_->setWindowTitle(title);
    if (QString spoken = ToQt(form_.spokenCaption); window_->accessibleName() != spoken) window_->setAccessibleName(spoken);
    for (Bound& b : bound_) RefreshControl(b);
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
        if (box->currentText() != ToQt(c.text)) box->setEditText(ToQt(c.text));
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
    QString tip = fitted.elided ? text : QString();
    if (!c.toolTip.empty()) tip = tip.isEmpty() ? ToQt(c.toolTip) : tip + "\n" + ToQt(c.toolTip);
    if (label.toolTip() != tip) label.setToolTip(tip);
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
}

} // namespace karven::ui
