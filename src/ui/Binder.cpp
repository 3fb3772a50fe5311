#include "ui/Binder.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

#include "shell/Form.h"
#include "ui/FormView.h"

namespace karven::ui {

namespace {
bool IsEnter(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }

class FormDialog : public QDialog {
public:
    FormDialog() { setWindowFlag(Qt::WindowContextHelpButtonHint, false); }
    FormView* view = nullptr;
    bool touched = false; // the player pressed a key or clicked: a window closing by itself waits

protected:
    void keyPressEvent(QKeyEvent* e) override {
        touched = true;
        if (e->modifiers() & ~(Qt::KeypadModifier)) return QDialog::keyPressEvent(e);
        if (IsEnter(e)) view->PressDefault();
        else if (e->key() == Qt::Key_Escape) view->PressCancel();
        else if (!view->PressKey(KeyName(e))) QDialog::keyPressEvent(e);
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

class FormMainWindow : public QMainWindow {
public:
    explicit FormMainWindow(Form& form) : form_(form) {}
    FormView* view = nullptr;
    void KeepGeometry() {
        QRect frame = frameGeometry();
        form_.geometry = {frame.left(), frame.top(), frame.width(), frame.height()};
    }

protected:
    void moveEvent(QMoveEvent* e) override {
        QMainWindow::moveEvent(e);
        KeepGeometry();
    }
    void resizeEvent(QResizeEvent* e) override {
        QMainWindow::resizeEvent(e);
        KeepGeometry();
    }
    void showEvent(QShowEvent* e) override {
        QMainWindow::showEvent(e);
        KeepGeometry();
    }
    void closeEvent(QCloseEvent* e) override {
        view->QueryClose();
        if (form_.IsClosed()) e->accept();
        else e->ignore();
    }

private:
    Form& form_;
};

QWidget* MakeContent(const Form& form, QWidget* parent) {
    auto* content = new QWidget(parent);
    content->setObjectName("content");
    content->setFixedSize(form.geometry.width, form.geometry.height);
    return content;
}
} // namespace

Binder::Binder() = default;

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
    QWidget* content = MakeContent(form, window.get());
    window->setCentralWidget(content);
    window->view = new FormView(*this, form, window.get(), content, window->menuBar());
    window->view->setParent(window.get());
    window->view->Refresh();
    window->statusBar()->setSizeGripEnabled(false); // there from the start, so the window never grows
    window->adjustSize();
    window->move(form.geometry.left, form.geometry.top);
    window->KeepGeometry();
    main_ = std::move(window);
    return *main_;
}

void Binder::RunDialog(Form& form) {
    if (shutdown_ || form.IsClosed()) return;
    FormDialog dialog;
    dialog.setParent(main_ && main_->isVisible() ? main_.get() : nullptr, dialog.windowFlags());
    QWidget* content = MakeContent(form, &dialog);
    dialog.setFixedSize(form.geometry.width, form.geometry.height);
    FormView view(*this, form, &dialog, content, nullptr);
    dialog.view = &view;
    if (form.geometry.left == 0 && form.geometry.top == 0) CentreOverMain(dialog); // a form that does not place itself
    else dialog.move(form.geometry.left, form.geometry.top);
    RefreshAll(); // the windows behind show the latest state while this one waits
    if (form.autoCloseMs > 0)
        QTimer::singleShot(form.autoCloseMs, &dialog, [&dialog, &view] {
            if (!dialog.touched) view.PressDefault();
        });
    running_.push_back(&dialog);
    dialog.exec();
    running_.pop_back();
    dialog.view = nullptr;
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
