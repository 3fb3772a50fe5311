#pragma once
// The generic binder: draws core forms as Qt windows and keeps every live window in step
// with its form.

#include <QMainWindow>
#include <QMargins>
#include <functional>
#include <memory>
#include <vector>

#include "ui/PixmapCache.h"

namespace karven {
class Form;
struct Rect;
}

namespace karven::ui {

class FormView;

class Binder {
public:
    Binder();
    ~Binder();

    // The main window: menus from the form's menu controls; its geometry kept in the form, its
    // size in the form's own units (the window's size divided by its scale).
    QMainWindow& BindMain(Form& form);
    QMainWindow* MainWindow() { return main_.get(); }
    FormView* MainView();
    // Shows the main window at start: as large as the player left it, else the largest scale up
    // to 1 that `available` holds (the screen's free area when empty); centred.
    void ShowMain(QRect available = {});

    // Shows the form as a modal dialog until its form is closed (Load has run already).
    void RunDialog(Form& form);

    // Handler plumbing: widget state into every form, the handler, then every window refreshed
    // and finished dialogs closed.
    void Fire(const std::function<void()>& handler);
    void RefreshAll();
    void PullAll();

    // Only the topmost running dialog, or the main window when none runs, takes the player's
    // clicks and keys: a window behind a modal one may catch a key while the modal one closes.
    bool TakesInput(const QWidget* window) const { return running_.empty() || running_.back() == window; }

    // Ends every dialog and keeps new ones from opening.
    void Shutdown();
    bool IsShutDown() const { return shutdown_; }

    // Over the main window when it is shown, else in the middle of the screen.
    void CentreOverMain(QWidget& window);
    // The free area of the screen the main window is on (without the desktop's panels).
    QRect FreeArea(const QWidget& window) const;
    // Moves a window, framed so, back into the free area where it reaches out of it.
    static void KeepOnScreen(QWidget& window, const QRect& free, const QMargins& frame);
    // The factor the main window is drawn at; secondary windows open at it too.
    double MainScale();
    // The player's text size as a factor, 1 to 2, remembered for the next start: the main window
    // draws its form at least this large (scrolling where the screen is smaller), and so every
    // window opened over it; the menus grow with it.
    double TextScale() const { return textScale_; }
    void SetTextScale(double scale);

    PixmapCache& Pixmaps() { return pixmaps_; }

    // Windows in the order they were opened; tests look through them.
    const std::vector<FormView*>& Views() const { return views_; }
    void Register(FormView* view) { views_.push_back(view); }
    void Unregister(FormView* view);

private:
    void CloseFinishedDialogs();
    // The main window's form at the text scale: within a scrolling area when larger than 1.
    void ApplyTextScale();
    // A form's placement in screen pixels: its offset from the main window scaled like the window.
    QPoint OnScreen(const Rect& geometry);

    PixmapCache pixmaps_;
    std::vector<FormView*> views_;
    std::vector<const QWidget*> running_; // dialogs in exec(), innermost last
    std::unique_ptr<QMainWindow> main_;
    bool shutdown_ = false;
    double textScale_ = 1;
    QMargins frame_; // the window manager's frame, once a window has shown it
};

} // namespace karven::ui
