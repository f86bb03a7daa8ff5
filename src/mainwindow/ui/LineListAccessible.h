#pragma once
// What a screen reader hears of a LineListView: a list of the document's
// lines (while filtered, of the lines shown), each an item named by its
// text, the current line focused and the chosen ones selected.  Qt gives item views of its own kinds an interface
// like this; a view of our own kind gets none, and would be heard as an
// empty pane.
//
// An item's interface is made when a reader first asks for that line and
// kept until the lines change, so that a reader holding a line can ask it
// again; a reader walking a million lines is answered a line at a time.

#include <QAccessibleWidget>
#include <QHash>

namespace petari {

class LineListView;

class LineListAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit LineListAccessible(LineListView* view);
    ~LineListAccessible() override;

    // Lets Qt's accessibility make this interface for every LineListView;
    // called once, before the first view is shown.
    static void install();

    // QAccessibleInterface
    QAccessible::Role role() const override { return QAccessible::List; }
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableInterface: one column, a row a line.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override { return 1; }
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int row) override;
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    LineListView* view() const;

private:
    // Forgets every line's interface: the rows they stood for have moved.
    void forgetLines();

    mutable QHash<int, QAccessible::Id> lineIds_;
};

}  // namespace petari
