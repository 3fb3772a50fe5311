#pragma once
// Labels read as a table: a pane over them that takes the keyboard, walks the cells with the
// arrow keys, rings the current one and tells a screen reader the rows, columns and headings
// through Qt's table interfaces. The labels themselves are drawn and clicked as ever.

#include <QWidget>
#include <functional>
#include <map>
#include <utility>

#include "shell/LabelTable.h"

class QAccessibleInterface;

namespace karven::ui {

class LabelTableView : public QWidget {
public:
    // widgetOf: the widget that draws a control.
    LabelTableView(const LabelTable& table, std::function<QWidget*(const Control*)> widgetOf, QWidget* content);
    ~LabelTableView() override;

    // After the labels changed: reads the table again and lays the pane over its cells.
    void Refresh();

    // Rows and columns as they read now (the empty ones left out); row -1 is the headings.
    int RowCount() const { return int(reading_.rows.size()); }
    int ColumnCount() const { return int(reading_.columns.size()); }
    int CurrentRow() const { return row_; }
    int CurrentColumn() const { return column_; }
    QString Name() const;
    QString CellText(int row, int column) const;
    QString HeadingText(int column) const;
    QRect CellRect(int row, int column) const; // in this pane's coordinates
    void MoveTo(int row, int column);
    // The screen reader's object for a cell, made once and kept while the pane lives.
    QAccessibleInterface* Cell(int row, int column);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    const Control* ControlAt(int row, int column) const;
    void TellCurrent();

    const LabelTable& table_;
    std::function<QWidget*(const Control*)> widgetOf_;
    TableReading reading_;
    int row_ = 0;
    int column_ = 0;
    std::map<std::pair<int, int>, unsigned> cells_; // accessible ids
};

// Once, at start: Qt asks us for the table's accessible interface.
void InstallLabelTableAccessibility();

} // namespace karven::ui
