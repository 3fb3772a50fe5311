#pragma once
// What the analysis windows share: a tab widget the keyboard switches from anywhere, and the
// 閉じる row.

#include <QDialog>

#include "odds/AnalysisView.h"
#include "season/Translate.h"
#include "ui/FormView.h"

class QTabWidget;
class QVBoxLayout;

namespace karven::ui {

// The text in the language of the day; a template's {1}, {2}… filled (numbers as Qt writes them).
inline QString Text(const char* japanese) { return QString::fromUtf8(Tr(japanese)); }
template <class... A> QString TextF(const char* japanese, const A&... values) {
    return ToQt(TrF(japanese, values...));
}

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
