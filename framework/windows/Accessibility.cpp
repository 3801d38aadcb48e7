// How it works: Qt asks a factory for the accessible interface of each widget it meets. Ours
// answers for edit windows whose control implements TAccessibleText (AccessibleText.cpp), and
// for the framework's windows whose control implements TAccessibleTable with a
// TAccessibleGrid: a QAccessibleWidget that is also a QAccessibleTableInterface. Its cells are made
// when asked for, registered with Qt (which owns them from then on) and remembered by (row,
// column), so that a screen reader walking a million-row table costs only the cells it reads.
// Everything is read from the control at the moment it is asked: nothing goes stale.
#include "framework/windows/Accessibility_p.h"

#include "framework/windows/TAccessibleTable.h"
#include "framework/windows/TWinControl.h"
#include "framework/windows/TWindowWidget_p.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

#include <map>
#include <utility>

namespace vexo {

namespace {

class TAccessibleGrid;

class TAccessibleCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    TAccessibleCell(TAccessibleGrid* table, int row, int col) : table_(table), row_(row), col_(col) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this)
                                                       : nullptr;
    }

    int columnExtent() const override { return 1; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    int columnIndex() const override { return col_; }
    int rowExtent() const override { return 1; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int rowIndex() const override { return row_; }
    bool isSelected() const override;
    QAccessibleInterface* table() const override;

private:
    const TAccessibleTable* source() const;
    TAccessibleGrid* table_;
    int row_, col_;
};

class TAccessibleGrid : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TAccessibleGrid(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Table) {}
    ~TAccessibleGrid() override {
        for (const auto& [key, id] : cells_)
            QAccessible::deleteAccessibleInterface(id);
    }

    // Null once the control has gone.
    const TAccessibleTable* source() const {
        auto* window = qobject_cast<TWindowWidget*>(widget());
        return window ? dynamic_cast<const TAccessibleTable*>(window->Control()) : nullptr;
    }

    bool isValid() const override { return QAccessibleWidget::isValid() && source(); }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    int childCount() const override {
        const TAccessibleTable* t = source();
        return t ? t->AccessibleRowCount() * t->AccessibleColumnCount() : 0;
    }
    QAccessibleInterface* child(int index) const override {
        const TAccessibleTable* t = source();
        if (!t || t->AccessibleColumnCount() == 0) return nullptr;
        return const_cast<TAccessibleGrid*>(this)->cellAt(index / t->AccessibleColumnCount(),
                                                          index % t->AccessibleColumnCount());
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const TAccessibleTable* t = source();
        const auto* cell = child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
        return t && cell ? cell->rowIndex() * t->AccessibleColumnCount() + cell->columnIndex() : -1;
    }

    QAccessibleInterface* cellAt(int row, int column) const override {
        const TAccessibleTable* t = source();
        if (!t || row < 0 || column < 0 || row >= t->AccessibleRowCount() ||
            column >= t->AccessibleColumnCount())
            return nullptr;
        auto& id = cells_[{row, column}];
        if (!id)
            id = QAccessible::registerAccessibleInterface(
                new TAccessibleCell(const_cast<TAccessibleGrid*>(this), row, column));
        return QAccessible::accessibleInterface(id);
    }
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    int columnCount() const override {
        const TAccessibleTable* t = source();
        return t ? t->AccessibleColumnCount() : 0;
    }
    int rowCount() const override {
        const TAccessibleTable* t = source();
        return t ? t->AccessibleRowCount() : 0;
    }
    QString columnDescription(int column) const override {
        const TAccessibleTable* t = source();
        return t && column >= 0 && column < t->AccessibleColumnCount()
                   ? QString::fromStdString(t->AccessibleColumnHeader(column))
                   : QString();
    }
    QString rowDescription(int) const override { return {}; }
    int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> cells;
        const TAccessibleTable* t = source();
        if (t && t->AccessibleCurrentRow() >= 0 && t->AccessibleCurrentColumn() >= 0)
            if (QAccessibleInterface* cell = cellAt(t->AccessibleCurrentRow(), t->AccessibleCurrentColumn()))
                cells << cell;
        return cells;
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override {
        QList<int> rows;
        if (const TAccessibleTable* t = source())
            for (int row = 0; row < t->AccessibleRowCount(); ++row)
                if (t->AccessibleRowSelected(row)) rows << row;
        return rows;
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override {
        const TAccessibleTable* t = source();
        return t && row >= 0 && row < t->AccessibleRowCount() && t->AccessibleRowSelected(row);
    }
    // The table is read, not driven: the control's own keys and mouse change it.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {
        for (const auto& [key, id] : cells_)
            QAccessible::deleteAccessibleInterface(id);
        cells_.clear();
    }

private:
    mutable std::map<std::pair<int, int>, QAccessible::Id> cells_;
};

const TAccessibleTable* TAccessibleCell::source() const {
    return table_->source();
}

bool TAccessibleCell::isValid() const {
    const TAccessibleTable* t = source();
    return t && row_ < t->AccessibleRowCount() && col_ < t->AccessibleColumnCount();
}

QAccessibleInterface* TAccessibleCell::parent() const {
    return table_;
}

QAccessibleInterface* TAccessibleCell::table() const {
    return table_;
}

QString TAccessibleCell::text(QAccessible::Text t) const {
    const TAccessibleTable* s = source();
    if (!s || !isValid() || (t != QAccessible::Name && t != QAccessible::Value)) return {};
    return QString::fromStdString(s->AccessibleCellText(row_, col_));
}

QAccessible::State TAccessibleCell::state() const {
    QAccessible::State st;
    const TAccessibleTable* s = source();
    if (!s || !isValid()) {
        st.invalid = true;
        return st;
    }
    st.selectable = true;
    st.focusable = true;
    st.selected = s->AccessibleRowSelected(row_);
    st.focused = s->AccessibleCurrentRow() == row_ && s->AccessibleCurrentColumn() == col_;
    // The check box sits in the row's first cell.
    if (col_ == 0 && s->AccessibleRowCheckable(row_)) {
        st.checkable = true;
        st.checked = s->AccessibleRowChecked(row_);
    }
    return st;
}

bool TAccessibleCell::isSelected() const {
    const TAccessibleTable* s = source();
    return s && isValid() && s->AccessibleRowSelected(row_);
}

QAccessibleInterface* factory(const QString& className, QObject* object) {
    // Whatever the class name: Qt asks with the most derived one first, which for an editor is
    // QLineEdit or QPlainTextEdit.
    if (QAccessibleInterface* text = AccessibleTextFor(object)) return text;
    auto* window = qobject_cast<TWindowWidget*>(object);
    if (className != QLatin1String("vexo::TWindowWidget") || !window) return nullptr;
    if (!dynamic_cast<const TAccessibleTable*>(window->Control())) return nullptr;
    return new TAccessibleGrid(window);
}

} // namespace

void EnsureAccessibilityFactory() {
    static const bool installed = (QAccessible::installFactory(factory), true);
    (void)installed;
}

} // namespace vexo
