#pragma once
#include <QAbstractItemView>

namespace petari {

class ListFilter;

// The list views of the main window.  A click or a keyboard move of the
// current line raises `clickedLine`, as the classic list control raised its
// click event for both; Ctrl+C copies through the program's own copy, never
// Qt's item copy.
//
// Every row is one line of the font high and as wide as the view, so a row
// is found by arithmetic and the view keeps nothing per row: a million lines
// cost it no memory, and adding or removing one costs what it costs for
// ten.  (A QListView lays every row out again whenever one is added or
// removed, and a QTableView's row header holds eight bytes a row.)  Only
// the rows in sight ask the model for their text.  The scroll bar counts
// rows; keys move as in a list: Home and End go to the first and last line.
//
// With a filter the view shows only the rows it keeps, in their order, and
// counts, scrolls and moves over those alone; the model, the selection and
// the current line stay in the real rows, so every command acts on the real
// lines.  A hidden current line is taken as the place between the shown
// rows around it.
class LineListView : public QAbstractItemView {
    Q_OBJECT
public:
    explicit LineListView(QWidget* parent = nullptr);
    // Where a menu for the current line opens, in the viewport: the line's
    // lower left corner, or the top left corner when there is no current line.
    QPoint currentLinePoint() const;

    void setModel(QAbstractItemModel* model) override;
    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    int rowHeight() const { return rowHeight_; }
    // Shows only the rows the filter keeps; null shows every row.
    void setFilter(ListFilter* filter);
    ListFilter* filter() const { return filter_; }
    // The rows shown, and the real row shown at a place (-1 past the end).
    int shownCount() const { return rowCount(); }
    int realRow(int shown) const;
    // Where a real row is shown; -1 when the filter hides it.
    int shownRow(int real) const;

public slots:
    void selectAll() override;

signals:
    void clickedLine();
    // A plain click on a line (after clickedLine), or Enter: the line is
    // chosen to be pasted where the user was typing.
    void activatedLine(bool byKey);
    void copyRequested();
    void deleteRequested();
    void released(Qt::MouseButton button, QPoint pos);
    // Shift+F10 or the Menu key: the right-click menu, for the current line.
    void menuKeyPressed();
    void filesDropped(const QStringList& paths);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override { return 0; }
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void rowsInserted(const QModelIndex& parent, int first, int last) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void keyboardSearch(const QString& search) override;

private:
    int rowCount() const;
    // How many shown rows come before the real row: where it is, or would be, shown.
    int shownBefore(int real) const;
    QModelIndex shownIndex(int shown) const;
    // The row at y in the viewport; -1 above the first and below the last.
    int rowAt(int y) const;
    // Rows that fit the viewport whole, at least one.
    int pageRows() const;
    void fitRowHeight();
    // Tells a screen reader the current line has the focus.
    void announceCurrentLine();
    void rowsChanged();

    int rowHeight_ = 1;
    QList<QMetaObject::Connection> modelConnections_;
    ListFilter* filter_ = nullptr;
    QMetaObject::Connection filterConnection_;
};

}  // namespace petari
