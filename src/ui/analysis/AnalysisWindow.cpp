#include "ui/analysis/AnalysisWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace karven::ui {

AnalysisWindow::AnalysisWindow(const char* name, const char* title, QSize size, QWidget* parent)
    : QDialog(parent), layout_(new QVBoxLayout(this)) {
    setObjectName(name);
    setWindowTitle(Text(title));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(size);
}

QTabWidget* AnalysisWindow::AddTabs(const char* name) {
    auto* tabs = new QTabWidget;
    tabs->setObjectName(name);
    layout_->addWidget(tabs, 1);
    auto step = [tabs](int by) {
        if (tabs->count() > 0 && tabs->isEnabled()) tabs->setCurrentIndex((tabs->currentIndex() + by + tabs->count()) % tabs->count());
    };
    for (auto [keys, by] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                            std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
                            std::pair{QKeySequence(Qt::CTRL | Qt::Key_Backtab), -1}}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, tabs, [step, by] { step(by); });
    }
    return tabs;
}

void AnalysisWindow::AddNoteAndClose(const QString& note) {
    auto* text = new QLabel(note);
    text->setWordWrap(true);
    layout_->addWidget(text);
    auto* close = new QPushButton(Text("閉じる"));
    close->setObjectName("analysisClose");
    close->setDefault(true);
    close->setToolTip(Text("ウィンドウを閉じます（Esc）。"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout_->addLayout(buttons);
}

} // namespace karven::ui
