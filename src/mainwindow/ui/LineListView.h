#pragma once
#include <QAbstractItemView>

namespace petari {

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
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override { return 0; }
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex&) const override { return false; }
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

private:
    int rowCount() const;
    // The row at y in the viewport; -1 above the first and below the last.
    int rowAt(int y) const;
    // Rows that fit the viewport whole, at least one.
    int pageRows() const;
    void fitRowHeight();
    void rowsChanged();

    int rowHeight_ = 1;
    QList<QMetaObject::Connection> modelConnections_;
};

}  // namespace petari
