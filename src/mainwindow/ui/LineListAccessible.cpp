#include "mainwindow/ui/LineListAccessible.h"

#include "mainwindow/ui/LineListView.h"

#include <QItemSelectionModel>

namespace petari {

namespace {

// One line of the list, as an item.
class LineAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    LineAccessible(LineListView* view, int row) : view_(view), row_(row) {}

    bool isValid() const override { return view_ && view_->model() && row_ < view_->shownCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent() ? parent()->window() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Value))
            return {};
        return t == QAccessible::Name ? index().data(Qt::DisplayRole).toString() : QString();
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect r = view_->visualRect(index());
        return QRect(view_->viewport()->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        s.selectable = true;
        s.multiSelectable = true;
        s.focusable = true;
        s.selected = isSelected();
        s.focused = view_->hasFocus() && view_->currentIndex() == index();
        s.active = s.focused;
        if (!view_->viewport()->rect().intersects(view_->visualRect(index())))
            s.offscreen = s.invisible = true;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    bool isSelected() const override
    {
        return isValid() && view_->selectionModel() && view_->selectionModel()->isSelected(index());
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return 0; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    // The row is where the line is shown: with the list filtered, the
    // model's row of the line differs.
    QModelIndex index() const { return view_->model()->index(view_->realRow(row_), 0, view_->rootIndex()); }

    QPointer<LineListView> view_;
    int row_;
};

QAccessibleInterface* makeLineListAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("petari::LineListView") && object && object->isWidgetType())
        return new LineListAccessible(static_cast<LineListView*>(object));
    return nullptr;
}

}  // namespace

LineListAccessible::LineListAccessible(LineListView* view) : QAccessibleWidget(view, QAccessible::List) {}

LineListAccessible::~LineListAccessible() { forgetLines(); }

void LineListAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(makeLineListAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

LineListView* LineListAccessible::view() const { return static_cast<LineListView*>(widget()); }

int LineListAccessible::rowCount() const { return view()->model() ? view()->shownCount() : 0; }

int LineListAccessible::childCount() const { return rowCount(); }

QAccessibleInterface* LineListAccessible::cellAt(int row, int column) const
{
    if (column != 0 || row < 0 || row >= rowCount())
        return nullptr;
    if (const auto found = lineIds_.constFind(row); found != lineIds_.constEnd())
        return QAccessible::accessibleInterface(*found);
    auto* line = new LineAccessible(view(), row);
    lineIds_.insert(row, QAccessible::registerAccessibleInterface(line));
    return line;
}

QAccessibleInterface* LineListAccessible::child(int index) const { return cellAt(index, 0); }

int LineListAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child || child->role() != QAccessible::ListItem || child->parent() != this)
        return -1;
    const auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    return cell ? cell->rowIndex() : -1;
}

QAccessibleInterface* LineListAccessible::childAt(int x, int y) const
{
    const QPoint p = view()->viewport()->mapFromGlobal(QPoint(x, y));
    const QModelIndex i = view()->indexAt(p);
    return i.isValid() ? cellAt(view()->shownRow(i.row()), 0) : nullptr;
}

QAccessibleInterface* LineListAccessible::focusChild() const
{
    const QModelIndex current = view()->currentIndex();
    return view()->hasFocus() && current.isValid() ? cellAt(view()->shownRow(current.row()), 0) : nullptr;
}

void* LineListAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QList<int> LineListAccessible::selectedRows() const
{
    QList<int> rows;
    if (!view()->selectionModel())
        return rows;
    for (const QModelIndex& i : view()->selectionModel()->selectedRows())
        if (const int shown = view()->shownRow(i.row()); shown >= 0)
            rows.append(shown);
    std::sort(rows.begin(), rows.end());
    return rows;
}

int LineListAccessible::selectedRowCount() const { return int(selectedRows().size()); }

int LineListAccessible::selectedCellCount() const { return selectedRowCount(); }

QList<QAccessibleInterface*> LineListAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    for (int row : selectedRows())
        cells.append(cellAt(row, 0));
    return cells;
}

bool LineListAccessible::isRowSelected(int row) const
{
    return view()->selectionModel() && row >= 0 && row < rowCount() &&
           view()->selectionModel()->isRowSelected(view()->realRow(row), view()->rootIndex());
}

bool LineListAccessible::selectRow(int row)
{
    if (!view()->selectionModel() || row < 0 || row >= rowCount())
        return false;
    const QModelIndex i = view()->model()->index(view()->realRow(row), 0, view()->rootIndex());
    // Choosing a line from a reader is as choosing it by key: it becomes the
    // current line too.
    view()->selectionModel()->setCurrentIndex(i, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    return true;
}

bool LineListAccessible::unselectRow(int row)
{
    if (!view()->selectionModel() || row < 0 || row >= rowCount())
        return false;
    view()->selectionModel()->select(view()->model()->index(view()->realRow(row), 0, view()->rootIndex()),
                                     QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    return true;
}

void LineListAccessible::modelChange(QAccessibleTableModelChangeEvent*) { forgetLines(); }

void LineListAccessible::forgetLines()
{
    const auto ids = lineIds_;
    lineIds_.clear();
    for (QAccessible::Id id : ids)
        QAccessible::deleteAccessibleInterface(id);
}

}  // namespace petari
