#pragma once
#include <QTableView>

namespace petari {

// The list views of the main window.  A click or a keyboard move of the
// current line raises `clickedLine`, as the classic list control raised its
// click event for both; Ctrl+C copies through the program's own copy, never
// Qt's item copy.
//
// A one-column table without headers or grid rather than a QListView: a
// QListView lays every row out again whenever one is added or removed
// (tens of milliseconds for a million lines, at every key press), where a
// table of rows of one fixed height only moves its section list.  Keys move
// as in a list: Home and End go to the first and last line.
class LineListView : public QTableView {
    Q_OBJECT
public:
    explicit LineListView(QWidget* parent = nullptr);

signals:
    void clickedLine();
    // A plain click on a line (after clickedLine), or Enter: the line is
    // chosen to be pasted where the user was typing.
    void activatedLine(bool byKey);
    void copyRequested();
    void deleteRequested();
    void released(Qt::MouseButton button, QPoint pos);
    void filesDropped(const QStringList& paths);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void fitRowHeight();
};

}  // namespace petari
