#pragma once
// One window drawn from a form: a widget per control, named by the control's key, kept in step
// with the control's state in both directions.

#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "shell/Form.h"

class QAction;
class QKeyEvent;
class QLabel;
class QMenuBar;
class QTabBar;
class QTableWidget;
class QWidget;

namespace karven::ui {

class Announcer;
class Binder;
class LabelTableView;

QString ToQt(const std::string& text); // UTF-8, CR LF shown as a line break
std::string FromQt(const QString& text);
// The form's own name of a key a form may bind to a button: "Up", "PageDown", "S"; "" for others,
// and for a letter without Alt where the player chose that letters need it (or with it where not).
QString KeyName(const QKeyEvent* e);

class FormView : public QObject {
public:
    // Builds the controls into content and, when given, the menus into menuBar.
    FormView(Binder& binder, Form& form, QWidget* window, QWidget* content, QMenuBar* menuBar);
    ~FormView() override;

    Form& form() { return form_; }
    QWidget* window() { return window_; }
    bool IsDialog() const { return menuBar_ == nullptr; }
    // What the window last announced, "" none yet.
    QString LastAnnouncement() const;

    // Lays the controls out for a content area of this size: one factor for rectangles, fonts
    // and pictures keeps the form's proportions, and the spare space is shared evenly.
    void Fit(QSize area);
    double Scale() const { return scale_; }
    // The form's own size, at factor 1.
    QSize NaturalSize() const { return natural_; }

    // Form state into the widgets.
    void Refresh();
    // What the player typed or chose, into the form.
    void Pull();
    // Enter and Esc: the default and cancel buttons; the close box asks the form.
    void PressDefault();
    void PressCancel();
    // A key the form binds to a button ("Up", "PageDown", "S"): pressed; false when unbound.
    bool PressKey(const QString& key);
    void QueryClose();
    // After a dialog over it has gone: the window takes the keyboard again, on the control the
    // form last asked for when nothing in the window holds the focus.
    void ReturnFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Bound {
        Control* control = nullptr;
        QWidget* widget = nullptr; // null for menu entries
        QAction* action = nullptr; // menus, menu items and separators
        qreal points = 0; // the font's size at factor 1
        // What a label was last fitted to, so that an unchanged label is not measured again.
        QString fittedText;
        QSize fittedSize;
        qreal fittedPoints = 0;
    };

    QWidget* MakeWidget(Control& c, QWidget* content);
    void MakeMenuEntry(Control& c);
    void RefreshControl(Bound& b);
    void RefreshPicture(const Control& c, QWidget* widget);
    void RefreshTable(const Control& c, QTableWidget& table);
    void RefreshTabs(const Control& c, QTabBar& tabs);
    void AddTabKeys(QTabBar& tabs);
    // What a label shows of its text: wrapped between phrases, ended with "…" what does not fit,
    // the whole text then in its tooltip.
    void ShowLabel(Bound& b, QLabel& label);
    QRect Place(const Rect& r) const;
    void ScaleFont(Bound& b);
    void Fire(Control& c, std::function<void()> Control::*handler);
    void PressButton(const std::string& name);
    void FocusMoved(QWidget* widget, bool in);
    Control* ControlOf(QWidget* widget);

    Binder& binder_;
    Form& form_;
    QWidget* window_;
    QMenuBar* menuBar_;
    std::vector<Bound> bound_;
    Announcer* announcer_ = nullptr; // what the form announces, for screen readers
    std::unordered_map<const Control*, QWidget*> widgets_;
    std::vector<LabelTableView*> tables_; // the form's label tables, read by rows and columns
    // The text box, list or drop-down that holds the focus within this window, as the form sees it:
    // switching to another window or opening a popup does not leave it.
    QWidget* focused_ = nullptr;
    // The default button drawn as such, so that a change of the form's default is drawn once.
    std::string shownDefault_;
    std::string lastFocusRequest_;
    QSize natural_;
    double scale_ = 1;
    QPoint offset_;
};

} // namespace karven::ui
