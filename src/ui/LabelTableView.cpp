#include "ui/LabelTableView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

#include "ui/FocusStyle.h"
#include "ui/FormView.h"

namespace karven::ui {

namespace {
QAccessibleInterface* TableOf(LabelTableView* view) { return QAccessible::queryAccessibleInterface(view); }

// One cell, or with row -1 one column's heading, read live from the labels.
class AccessibleCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    AccessibleCell(LabelTableView* view, int row, int column) : view_(view), row_(row), column_(column) {}

    bool isValid() const override { return view_; }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return TableOf(view_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !view_) return {};
        return row_ < 0 ? view_->HeadingText(column_) : view_->CellText(row_, column_);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!view_) return {};
        QRect r = view_->CellRect(row_, column_);
        return {view_->mapToGlobal(r.topLeft()), r.size()};
    }
    QAccessible::Role role() const override { return row_ < 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        if (row_ < 0 || !view_) return s;
        bool current = row_ == view_->CurrentRow() && column_ == view_->CurrentColumn();
        s.focusable = s.selectable = true;
        s.focused = current && view_->hasFocus();
        s.selected = current;
        s.invisible = row_ >= view_->RowCount() || column_ >= view_->ColumnCount();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        if (row_ < 0 || !view_) return {};
        return {view_->Cell(-1, column_)};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return TableOf(view_); }

    int Row() const { return row_; }
    int Column() const { return column_; }

private:
    QPointer<LabelTableView> view_;
    int row_;
    int column_;
};

// The pane as a table: its headings as the first row of children, then the cells row by row.
class AccessibleLabelTable : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit AccessibleLabelTable(LabelTableView* view) : QAccessibleWidget(view, QAccessible::Table) {}
    LabelTableView* view() const { return static_cast<LabelTableView*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return view()->Name();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return (view()->RowCount() + 1) * view()->ColumnCount(); }
    QAccessibleInterface* child(int i) const override {
        int columns = view()->ColumnCount();
        if (i < 0 || columns == 0 || i >= childCount()) return nullptr;
        return view()->Cell(i / columns - 1, i % columns);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        auto* cell = dynamic_cast<const AccessibleCell*>(child);
        if (!cell) return -1;
        return (cell->Row() + 1) * view()->ColumnCount() + cell->Column();
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        QPoint at = view()->mapFromGlobal(QPoint(x, y));
        for (int r = 0; r < view()->RowCount(); ++r)
            for (int c = 0; c < view()->ColumnCount(); ++c)
                if (view()->CellRect(r, c).contains(at)) return view()->Cell(r, c);
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        if (!view()->hasFocus() || view()->RowCount() == 0) return nullptr;
        return view()->Cell(view()->CurrentRow(), view()->CurrentColumn());
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QString columnDescription(int column) const override { return view()->HeadingText(column); }
    QString rowDescription(int) const override { return {}; }
    int columnCount() const override { return view()->ColumnCount(); }
    int rowCount() const override { return view()->RowCount(); }
    int selectedCellCount() const override { return view()->RowCount() > 0 ? 1 : 0; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override {
        if (view()->RowCount() == 0) return {};
        return {view()->Cell(view()->CurrentRow(), view()->CurrentColumn())};
    }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int row) override {
        view()->MoveTo(row, view()->CurrentColumn());
        return true;
    }
    bool selectColumn(int column) override {
        view()->MoveTo(view()->CurrentRow(), column);
        return true;
    }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return nullptr;
        return view()->Cell(row, column);
    }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}
};

QAccessibleInterface* MakeAccessible(const QString&, QObject* object) {
    if (auto* view = dynamic_cast<LabelTableView*>(object)) return new AccessibleLabelTable(view);
    return nullptr;
}
} // namespace

LabelTableView::LabelTableView(const LabelTable& table, std::function<QWidget*(const Control*)> widgetOf,
                               QWidget* content)
    : QWidget(content), table_(table), widgetOf_(std::move(widgetOf)) {
    setObjectName(QString::fromStdString(table.name));
    // Clicks go through to the labels beneath; the pane only reads them.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    InstallLabelTableAccessibility();
    raise();
}

LabelTableView::~LabelTableView() {
    for (const auto& [at, id] : cells_) QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* LabelTableView::Cell(int row, int column) {
    auto [it, made] = cells_.try_emplace({row, column}, 0u);
    if (made) it->second = QAccessible::registerAccessibleInterface(new AccessibleCell(this, row, column));
    return QAccessible::accessibleInterface(it->second);
}

const Control* LabelTableView::ControlAt(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return nullptr;
    return table_.cells[size_t(reading_.rows[size_t(row)])][size_t(reading_.columns[size_t(column)])];
}

QString LabelTableView::Name() const { return ToQt(TableName(table_)); }

QString LabelTableView::CellText(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return {};
    return ToQt(karven::CellText(table_, reading_.rows[size_t(row)], reading_.columns[size_t(column)]));
}

QString LabelTableView::HeadingText(int column) const {
    if (column < 0 || column >= ColumnCount()) return {};
    return ToQt(karven::HeadingText(table_, reading_.columns[size_t(column)]));
}

QRect LabelTableView::CellRect(int row, int column) const {
    const Control* c = ControlAt(row, column);
    if (row < 0 && column >= 0 && column < ColumnCount()) c = table_.columns[size_t(reading_.columns[size_t(column)])].heading;
    QWidget* w = c ? widgetOf_(c) : nullptr;
    if (!w) return {};
    return w->geometry().translated(-pos());
}

void LabelTableView::Refresh() {
    reading_ = ReadTable(table_);
    row_ = std::clamp(row_, 0, std::max(RowCount() - 1, 0));
    column_ = std::clamp(column_, 0, std::max(ColumnCount() - 1, 0));
    QRect area;
    for (const auto& row : table_.cells)
        for (const Control* c : row)
            if (QWidget* w = c ? widgetOf_(c) : nullptr) area |= w->geometry();
    if (geometry() != area) setGeometry(area);
    // An empty table is no stop for Tab (nor for its key).
    setFocusPolicy(RowCount() > 0 ? Qt::StrongFocus : Qt::NoFocus);
    update();
}

void LabelTableView::MoveTo(int row, int column) {
    if (RowCount() == 0) return;
    row = std::clamp(row, 0, RowCount() - 1);
    column = std::clamp(column, 0, ColumnCount() - 1);
    if (row == row_ && column == column_) return;
    row_ = row;
    column_ = column;
    TellCurrent();
}

void LabelTableView::TellCurrent() {
    update();
    if (!hasFocus() || RowCount() == 0) return;
    QAccessibleEvent focus(Cell(row_, column_), QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

void LabelTableView::keyPressEvent(QKeyEvent* e) {
    const bool control = e->modifiers() & Qt::ControlModifier;
    const int page = 8;
    switch (e->key()) {
    case Qt::Key_Up: MoveTo(row_ - 1, column_); break;
    case Qt::Key_Down: MoveTo(row_ + 1, column_); break;
    case Qt::Key_Left: MoveTo(row_, column_ - 1); break;
    case Qt::Key_Right: MoveTo(row_, column_ + 1); break;
    case Qt::Key_PageUp: MoveTo(row_ - page, column_); break;
    case Qt::Key_PageDown: MoveTo(row_ + page, column_); break;
    case Qt::Key_Home: control ? MoveTo(0, 0) : MoveTo(row_, 0); break;
    case Qt::Key_End: control ? MoveTo(RowCount() - 1, ColumnCount() - 1) : MoveTo(row_, ColumnCount() - 1); break;
    default: QWidget::keyPressEvent(e); return; // Enter, Esc and the rest are the window's
    }
    e->accept();
}

void LabelTableView::paintEvent(QPaintEvent*) {
    if (!hasFocus() || RowCount() == 0) return;
    QPainter p(this);
    p.setPen(QPen(FocusRingColor, FocusRingWidth));
    p.drawRect(CellRect(row_, column_).adjusted(1, 1, -1, -1));
}

void LabelTableView::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    TellCurrent();
}

void LabelTableView::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    update();
}

void InstallLabelTableAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(MakeAccessible);
}

} // namespace karven::ui
