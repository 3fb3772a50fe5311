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
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTableWidget>
#include <algorithm>
#include <cmath>
#include <map>

#include "ui/Announcer.h"
#include "ui/Binder.h"
#include "ui/FormChart.h"
#include "ui/FormStrip.h"
#include "ui/FormViewParts.h"
#include "ui/FormWidgets.h"
#include "ui/KeyHint.h"
#include "ui/LabelTableView.h"
#include "ui/LetterKeys.h"
#include "ui/TextFit.h"

namespace karven::ui {

QString ToQt(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace("\r\n", "\n");
    return s;
}

std::string FromQt(const QString& text) { return text.toStdString(); }

QString KeyName(const QKeyEvent* e) {
    const Qt::KeyboardModifiers held = e->modifiers() & ~Qt::KeypadModifier;
    const bool plain = held == Qt::NoModifier;
    switch (e->key()) {
    case Qt::Key_Up: return plain ? "Up" : "";
    case Qt::Key_Down: return plain ? "Down" : "";
    case Qt::Key_Left: return plain ? "Left" : "";
    case Qt::Key_Right: return plain ? "Right" : "";
    case Qt::Key_PageUp: return plain ? "PageUp" : "";
    case Qt::Key_PageDown: return plain ? "PageDown" : "";
    default:
        if (e->key() < Qt::Key_A || e->key() > Qt::Key_Z) return {};
        // A letter alone, or with Alt alone where the player chose so.
        if (held != (LettersNeedAlt() ? Qt::AltModifier : Qt::NoModifier)) return {};
        return QString(QChar(e->key()));
    }
}

namespace detail {
// The mnemonic underlines its letter where the caption has it ("&File"); a caption without it, as
// the Japanese ones, shows the letter after it ("ﾌｧｲﾙ(&F)").
QString Caption(const Control& c) {
    QString text = ui::ToQt(c.text);
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

} // namespace detail

using namespace detail;

namespace {
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
    std::map<char, std::vector<QWidget*>> fieldsByKey;
    for (const Bound& b : bound_) {
        if (!b.widget || b.control->labelledBy.empty()) continue;
        for (const Bound& label : bound_) {
            auto* l = qobject_cast<QLabel*>(label.widget);
            if (!l || label.control->Key() != b.control->labelledBy) continue;
            l->setBuddy(b.widget);
            if (char key = label.control->accessKey; key >= 'A' && key <= 'Z') fieldsByKey[key].push_back(b.widget);
        }
    }
    // Alt and a label's letter: the field it names, the one in sight where pages share the letter.
    for (const auto& [key, fields] : fieldsByKey) {
        auto* reach = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_A + (key - 'A'))), window_);
        connect(reach, &QShortcut::activated, this, [fields] {
            for (QWidget* field : fields)
                if (field->isVisible() && field->isEnabled()) return field->setFocus(Qt::ShortcutFocusReason);
        });
    }
    for (const Bound& b : bound_)
        if (b.control->kind == ControlKind::Tabs) AddTabKeys(*static_cast<QTabBar*>(b.widget));
    for (const Bound& b : bound_)
        if (b.widget) widgets_[b.control] = b.widget;
    for (const LabelTable& table : form.labelTables) {
        auto* view = new LabelTableView(table, [this](const Control* c) {
            auto it = widgets_.find(c);
            return it == widgets_.end() ? nullptr : it->second;
        }, content);
        tables_.push_back(view);
        auto* jump = new QShortcut(QKeySequence(QString::fromStdString(table.shortcut)), window_);
        connect(jump, &QShortcut::activated, view, [view] {
            if (view->focusPolicy() != Qt::NoFocus) view->setFocus(Qt::ShortcutFocusReason);
        });
    }
    // A window whose tables are lists of their own (the records, the headquarters): the same key
    // puts the keyboard in the first one shown.
    if (form.labelTables.empty()) {
        std::vector<QWidget*> lists;
        for (const Bound& b : bound_)
            if (b.widget && b.control->kind == ControlKind::Table) lists.push_back(b.widget);
        if (!lists.empty()) {
            auto* jump = new QShortcut(QKeySequence(QString::fromStdString(LabelTable().shortcut)), window_);
            connect(jump, &QShortcut::activated, this, [this, lists] {
                for (QWidget* list : lists)
                    if (list->isVisibleTo(window_) && list->isEnabled()) return list->setFocus(Qt::ShortcutFocusReason);
            });
        }
    }
    InstallAnnouncerAccessibility();
    announcer_ = new Announcer(window_);
    binder_.Register(this);
}

void FormView::AddTabKeys(QTabBar& tabs) {
    // Ctrl+Tab and Ctrl+Shift+Tab turn the pages wherever the focus is in the window.
    auto step = [&tabs](int by) {
        if (tabs.count() > 0 && tabs.isVisible() && tabs.isEnabled())
            tabs.setCurrentIndex((tabs.currentIndex() + by + tabs.count()) % tabs.count());
    };
    for (auto [keys, by] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                            std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
                            std::pair{QKeySequence(Qt::CTRL | Qt::Key_Backtab), -1}}) {
        auto* shortcut = new QShortcut(keys, window_);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, &tabs, [step, by] { step(by); });
    }
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
        if (!c.style.typed) { // the form's own changes come with the signals blocked
            connect(box, &QComboBox::currentIndexChanged, this, [this, &c] { Fire(c, &Control::onClick); });
            box->installEventFilter(this);
            return box;
        }
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
    case ControlKind::Chart:
        return new FormChart(content, [this, &c](int) { Fire(c, &Control::onClick); },
                             [this, &c] { Fire(c, &Control::onChange); });
    case ControlKind::Strip: return new FormStrip(content);
    case ControlKind::Progress: {
        auto* bar = new QProgressBar(content);
        bar->setTextVisible(false);
        return bar;
    }
    case ControlKind::Tabs: {
        auto* tabs = new QTabBar(content);
        tabs->setExpanding(false);
        tabs->installEventFilter(this);
        connect(tabs, &QTabBar::currentChanged, this, [this, &c] { Fire(c, &Control::onClick); });
        return tabs;
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
    if (focus && focus != window_ && focus->isVisible() && focus->isEnabled()) return;
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
        if (button && PressKey(KeyName(key))) return true;
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
        } else if (auto* tabs = qobject_cast<QTabBar*>(b.widget)) {
            c.listIndex = tabs->currentIndex();
        } else if (auto* chart = dynamic_cast<FormChart*>(b.widget)) {
            c.listIndex = chart->Picked();
            c.checks = chart->Checks();
        }
    }
}

} // namespace karven::ui
