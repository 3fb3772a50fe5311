#include "ui/Binder.h"
#include "ui/FocusStyle.h"

#include <QApplication>
#include <QFont>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "shell/Form.h"
#include "ui/FormView.h"
#include "ui/LetterKeys.h"
#include "ui/WindowSize.h"

namespace karven::ui {

namespace {
bool IsEnter(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }

// Alt and a command's letter, where letters need Alt, is the command's before it is a menu's
// mnemonic (Alt+A is レース分析, not the 分析 menu: Alt alone and the arrows still reach it).
bool TakesLetterFromShortcut(FormView* view, QEvent* e) {
    if (!view || e->type() != QEvent::ShortcutOverride) return false;
    auto* key = static_cast<QKeyEvent*>(e);
    if (!LettersNeedAlt() || !(key->modifiers() & Qt::AltModifier)) return false;
    const QString name = KeyName(key);
    if (name.size() != 1) return false;
    for (const auto& [bound, button] : view->form().keyButtons)
        if (QString::fromStdString(bound) == name) {
            e->accept();
            return true;
        }
    return false;
}

class FormDialog : public QDialog {
public:
    FormDialog() { setWindowFlag(Qt::WindowContextHelpButtonHint, false); }
    FormView* view = nullptr;
    bool touched = false; // the player pressed a key or clicked: a window closing by itself waits

protected:
    void keyPressEvent(QKeyEvent* e) override {
        touched = true;
        const bool plain = !(e->modifiers() & ~Qt::KeypadModifier);
        if (plain && IsEnter(e)) view->PressDefault();
        else if (plain && e->key() == Qt::Key_Escape) view->PressCancel();
        else if (!view->PressKey(KeyName(e))) QDialog::keyPressEvent(e);
    }
    bool event(QEvent* e) override {
        if (TakesLetterFromShortcut(view, e)) return true;
        return QDialog::event(e);
    }
    void mousePressEvent(QMouseEvent* e) override {
        touched = true;
        QDialog::mousePressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override {
        e->ignore(); // the form decides, and the binder closes the dialog when it has
        view->QueryClose();
    }
    void reject() override { view->QueryClose(); }
};

const char* const SizeKey = "window/size";
const char* const TextSizeKey = "view/textSize";
const char* const MaximizedKey = "window/maximized";

// The area a form's controls are drawn in: whatever its size, the form is fitted into it.
class FormContent : public QWidget {
public:
    FormContent(const Form& form, QWidget* parent) : QWidget(parent), natural_(form.geometry.width, form.geometry.height) {
        setObjectName("content");
        setMinimumSize((QSizeF(natural_) * SmallestScale).toSize());
    }
    FormView* view = nullptr;
    std::function<void()> fitted; // after the controls followed a new size
    QSize sizeHint() const override { return natural_; }

protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        if (view) view->Fit(size());
        if (fitted) fitted();
    }

private:
    QSize natural_;
};

class FormMainWindow : public QMainWindow {
public:
    explicit FormMainWindow(Form& form) : form_(form) {}
    FormView* view = nullptr;
    bool sizedByPlayer = false;
    QSize asked; // the size the game last gave the window
    // Position in screen pixels; size in the form's units, as the placement of the other windows
    // reckons with it.
    void KeepGeometry() {
        QRect frame = frameGeometry();
        double scale = view ? view->Scale() : 1;
        form_.geometry = {frame.left(), frame.top(), int(std::lround(frame.width() / scale)),
                          int(std::lround(frame.height() / scale))};
    }

protected:
    void moveEvent(QMoveEvent* e) override {
        QMainWindow::moveEvent(e);
        KeepGeometry();
    }
    void resizeEvent(QResizeEvent* e) override {
        QMainWindow::resizeEvent(e);
        KeepGeometry();
        // Only the sizes the player gives the window are kept for the next start: the window
        // system also reports the sizes the game asked for.
        if (e->spontaneous() && isVisible() && windowState() == Qt::WindowNoState && size() != asked) {
            sizedByPlayer = true;
            QSettings().setValue(SizeKey, size());
        }
    }
    void changeEvent(QEvent* e) override {
        QMainWindow::changeEvent(e);
        if (e->type() == QEvent::WindowStateChange && isVisible())
            QSettings().setValue(MaximizedKey, bool(windowState() & Qt::WindowMaximized));
    }
    void showEvent(QShowEvent* e) override {
        QMainWindow::showEvent(e);
        KeepGeometry();
    }
    void keyPressEvent(QKeyEvent* e) override {
        // The commands' letters and N, wherever the focus is in the window.
        if (!view->PressKey(KeyName(e))) QMainWindow::keyPressEvent(e);
    }
    bool event(QEvent* e) override {
        if (TakesLetterFromShortcut(view, e)) return true;
        return QMainWindow::event(e);
    }
    void closeEvent(QCloseEvent* e) override {
        view->QueryClose();
        if (form_.IsClosed()) e->accept();
        else e->ignore();
    }

private:
    Form& form_;
};
} // namespace

Binder::Binder() {
    UseFocusStyle();
    textScale_ = std::clamp(QSettings().value(TextSizeKey, 100).toInt(), 100, 200) / 100.0;
}

void Binder::SetTextScale(double scale) {
    scale = std::clamp(scale, 1.0, 2.0);
    QSettings().setValue(TextSizeKey, int(std::lround(scale * 100)));
    if (scale == textScale_) return;
    textScale_ = scale;
    ApplyTextScale();
}

void Binder::ApplyTextScale() {
    // The menus grow with the windows (their own font, so that the forms' fonts are not scaled twice).
    QFont menus = QApplication::font();
    menus.setPointSizeF(menus.pointSizeF() * textScale_);
    QApplication::setFont(menus, "QMenuBar");
    QApplication::setFont(menus, "QMenu");
    auto* window = static_cast<FormMainWindow*>(main_.get());
    if (!window) return;
    auto* content = window->findChild<FormContent*>("content");
    auto* scroll = qobject_cast<QScrollArea*>(window->centralWidget());
    if (textScale_ > 1 && !scroll) {
        window->takeCentralWidget();
        scroll = new QScrollArea;
        scroll->setObjectName("scrollMain");
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(content);
        window->setCentralWidget(scroll);
    } else if (textScale_ == 1 && scroll) {
        scroll->takeWidget();
        window->takeCentralWidget();
        delete scroll;
        window->setCentralWidget(content);
    }
    const QSize natural = window->view->NaturalSize();
    content->setMinimumSize((QSizeF(natural) * (textScale_ > 1 ? textScale_ : SmallestScale)).toSize());
    if (!window->isVisible() || window->windowState() != Qt::WindowNoState) return;
    // The new fonts and the area around the form laid out first, so that the window may take any size.
    QApplication::sendPostedEvents(nullptr, QEvent::ApplicationFontChange);
    window->layout()->activate();
    // Larger where the screen has room for it; what it has not, scrolls.
    const QRect free = FreeArea(*window);
    const QMargins frame = frame_.isNull() ? AssumedFrame : frame_;
    const QSize chrome(0, window->menuBar()->sizeHint().height() + window->statusBar()->sizeHint().height());
    const QSize wanted = (QSizeF(natural) * textScale_).toSize() + chrome;
    const QSize size = wanted.expandedTo(window->size()).boundedTo(free.size().shrunkBy(frame));
    if (size != window->size()) {
        window->asked = size;
        window->resize(size);
    }
    KeepOnScreen(*window, free, frame);
}

void Binder::CentreOverMain(QWidget& window) {
    QRect over = main_ && main_->isVisible() ? main_->frameGeometry() : QRect();
    if (over.isNull() && window.screen()) over = window.screen()->availableGeometry();
    if (over.isNull()) return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(over.center());
    window.move(frame.topLeft());
}

Binder::~Binder() {
    main_.reset();
}

QMainWindow& Binder::BindMain(Form& form) {
    auto window = std::make_unique<FormMainWindow>(form);
    auto* content = new FormContent(form, window.get());
    window->setCentralWidget(content);
    window->view = new FormView(*this, form, window.get(), content, window->menuBar());
    window->view->setParent(window.get());
    content->view = window->view;
    content->fitted = [w = window.get()] { w->KeepGeometry(); };
    window->view->Refresh();
    window->statusBar()->setSizeGripEnabled(false); // there from the start, so the window never grows
    window->resize(window->sizeHint());
    window->move(form.geometry.left, form.geometry.top);
    window->KeepGeometry();
    main_ = std::move(window);
    if (textScale_ != 1) ApplyTextScale();
    return *main_;
}

FormView* Binder::MainView() {
    return main_ ? static_cast<FormMainWindow*>(main_.get())->view : nullptr;
}

double Binder::MainScale() {
    FormView* view = MainView();
    return view ? view->Scale() : 1;
}

namespace {
// What the window manager puts around the window; null while it is not known (or there is none).
QMargins FrameOf(const QWidget& window) {
    const QRect frame = window.frameGeometry(), inner = window.geometry();
    return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                    frame.bottom() - inner.bottom());
}
} // namespace

void Binder::ShowMain(QRect given) {
    auto* window = static_cast<FormMainWindow*>(main_.get());
    if (!window) return;
    // The screen's free area (without the desktop's panels), as it is when asked.
    auto available = [window, given] {
        QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        return given.isEmpty() && screen ? screen->availableGeometry() : given;
    };
    const QSize natural = window->view->NaturalSize();
    const QSize chrome(0, window->menuBar()->sizeHint().height() + window->statusBar()->sizeHint().height());
    QSettings settings;
    // At a larger text size the window starts as large as the screen allows for it.
    const QSize shown = (QSizeF(natural) * textScale_).toSize();
    auto place = [=](QMargins frame, QSize remembered) {
        QRect at = StartGeometry(shown, chrome, frame, available(), remembered);
        // A screen smaller than the smallest readable size still shows the whole window.
        double scale = std::min(SmallestScale, double(at.height() - chrome.height()) / natural.height());
        window->centralWidget()->setMinimumSize((QSizeF(natural) * std::max(0.1, scale)).toSize());
        window->asked = at.size();
        window->resize(at.size());
        window->move(at.topLeft() - QPoint(frame.left(), frame.top()));
    };
    // The frame of a window shown before (the title window) tells the frame this one will get,
    // but for the grip some window managers put below a window that can be resized.
    const QMargins guess = frame_.isNull() ? AssumedFrame
                                           : QMargins(frame_.left(), frame_.top(), frame_.right(),
                                                      std::max(frame_.bottom(), AssumedFrame.bottom()));
    place(guess, settings.value(SizeKey).toSize());
    if (settings.value(MaximizedKey).toBool()) window->showMaximized();
    else window->show();
    // The window manager's own frame is known once it has framed the window, which may take it a
    // while: fit again by it when the framed window leaves the screen's free area, or when its
    // size is more than a few pixels off what that frame leaves room for.
    auto* watch = new QTimer(window);
    watch->setInterval(50);
    QObject::connect(watch, &QTimer::timeout, window, [=, this, tries = 0]() mutable {
        const QMargins real = FrameOf(*window);
        if (real.isNull() && ++tries < 100) return;
        watch->stop();
        watch->deleteLater();
        if (real.isNull() || window->windowState() != Qt::WindowNoState) return;
        frame_ = real;
        const QSize remembered = QSettings().value(SizeKey).toSize();
        const QSize off = StartGeometry(shown, chrome, real, available(), remembered).size() - window->size();
        const bool outside = !available().contains(window->frameGeometry());
        if (outside || (!window->sizedByPlayer && (std::abs(off.width()) > 4 || std::abs(off.height()) > 4)))
            place(real, window->sizedByPlayer ? window->size() : remembered);
    });
    watch->start();
}

QPoint Binder::OnScreen(const Rect& geometry) {
    FormView* view = MainView();
    if (!view) return {geometry.left, geometry.top};
    const Rect& main = view->form().geometry;
    double scale = view->Scale();
    return {main.left + int(std::lround((geometry.left - main.left) * scale)),
            main.top + int(std::lround((geometry.top - main.top) * scale))};
}

QRect Binder::FreeArea(const QWidget& window) const {
    QScreen* screen = main_ && main_->screen() ? main_->screen() : window.screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void Binder::KeepOnScreen(QWidget& window, const QRect& free, const QMargins& frame) {
    if (free.isEmpty()) return;
    // A window's position is its frame's.
    const QRect outer(window.pos(), window.size() + QSize(frame.left() + frame.right(), frame.top() + frame.bottom()));
    QPoint at = outer.topLeft();
    at.setX(std::max(free.left(), std::min(at.x(), free.right() + 1 - outer.width())));
    at.setY(std::max(free.top(), std::min(at.y(), free.bottom() + 1 - outer.height())));
    if (at != outer.topLeft()) window.move(at);
}

void Binder::RunDialog(Form& form) {
    if (shutdown_ || form.IsClosed()) return;
    FormDialog dialog;
    // Message windows keep their size and offer no maximising; the others may be resized.
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint;
    if (form.resizable) flags |= Qt::WindowMaximizeButtonHint;
    dialog.setParent(main_ && main_->isVisible() ? main_.get() : nullptr, flags);
    auto* content = new FormContent(form, &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    FormView view(*this, form, &dialog, content, nullptr);
    dialog.view = &view;
    content->view = &view;
    const double scale = MainScale();
    const QSize size = (QSizeF(view.NaturalSize()) * scale).toSize();
    // A window taller or wider than the screen's free area keeps its natural size and scrolls
    // inside a window that fits: every control stays within reach.
    const QRect free = FreeArea(dialog);
    const QMargins frame = frame_.isNull() ? AssumedFrame : frame_;
    const QSize room(free.width() - frame.left() - frame.right(), free.height() - frame.top() - frame.bottom());
    const bool scrolls = !free.isEmpty() && (size.width() > room.width() || size.height() > room.height());
    QSize shown = size;
    if (scrolls) {
        auto* scroll = new QScrollArea(&dialog);
        scroll->setObjectName("scrollContent");
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(content);
        layout->addWidget(scroll);
        content->setMinimumSize(size);
        // Room for the scroll bars the smaller side brings.
        const int bar = dialog.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        shown = QSize(std::min(size.width() + (size.height() > room.height() ? bar : 0), room.width()),
                      std::min(size.height() + (size.width() > room.width() ? bar : 0), room.height()));
    } else {
        layout->addWidget(content);
    }
    if (form.resizable && !scrolls) {
        content->setMinimumSize((QSizeF(view.NaturalSize()) * std::min(scale, SmallestScale)).toSize());
        dialog.resize(size);
    } else if (form.resizable) {
        dialog.resize(shown);
    } else {
        if (!scrolls) content->setMinimumSize(size);
        dialog.setFixedSize(shown);
    }
    view.Fit(size);
    if (form.IsPlaced()) dialog.move(OnScreen(form.geometry));
    else CentreOverMain(dialog);
    // Placed against the main window, a window that fits stays there; one the screen cannot hold
    // whole starts where all of it that shows is on the screen.
    if (scrolls) KeepOnScreen(dialog, free, frame);
    RefreshAll(); // the windows behind show the latest state while this one waits
    if (form.autoCloseMs > 0)
        QTimer::singleShot(form.autoCloseMs, &dialog, [&dialog, &view] {
            if (!dialog.touched) view.PressDefault();
        });
    running_.push_back(&dialog);
    dialog.exec();
    running_.pop_back();
    if (QMargins frame = FrameOf(dialog); !frame.isNull()) frame_ = frame;
    dialog.view = nullptr;
    content->view = nullptr;
    // Back to the main window: the keyboard is there again, on the command the season expects.
    if (running_.empty() && MainView() && !shutdown_) MainView()->ReturnFocus();
}

void Binder::Unregister(FormView* view) {
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void Binder::PullAll() {
    for (FormView* v : views_) v->Pull();
}

void Binder::RefreshAll() {
    std::vector<FormView*> views = views_;
    for (FormView* v : views)
        if (std::find(views_.begin(), views_.end(), v) != views_.end()) v->Refresh();
}

void Binder::Fire(const std::function<void()>& handler) {
    PullAll();
    if (handler) handler();
    RefreshAll();
    CloseFinishedDialogs();
}

void Binder::CloseFinishedDialogs() {
    for (FormView* v : views_) {
        auto* dialog = qobject_cast<QDialog*>(v->window());
        if (dialog && (shutdown_ || v->form().IsClosed()) && dialog->isVisible()) dialog->done(0);
    }
}

void Binder::Shutdown() {
    shutdown_ = true;
    CloseFinishedDialogs();
}

} // namespace karven::ui
