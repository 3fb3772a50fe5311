#pragma once
// What the analysis windows share: a tab widget the keyboard switches from anywhere, and the
// 閉じる row.

#include <QDialog>

class QTabWidget;
class QVBoxLayout;

namespace karven::ui {

class AnalysisWindow : public QDialog {
public:
    AnalysisWindow(const char* name, const char* title, QSize size, QWidget* parent);

protected:
    // Tabs that Ctrl+Tab and Ctrl+Shift+Tab switch wherever the focus is in the window.
    QTabWidget* AddTabs(const char* name);
    // A note under the tabs and 閉じる, the window's default button, at the bottom right.
    void AddNoteAndClose(const QString& note);

    QVBoxLayout* layout_;
};

} // namespace karven::ui
