#pragma once
#include <QListView>

namespace petari {

// The list views of the main window.  A click or a keyboard move of the
// current line raises `clickedLine`, as the classic list control raised its
// click event for both; Ctrl+C copies through the program's own copy, never
// Qt's item copy.
class LineListView : public QListView {
    Q_OBJECT
public:
    explicit LineListView(QWidget* parent = nullptr);

signals:
    void clickedLine();
    void copyRequested();
    void deleteRequested();
    void released(Qt::MouseButton button, QPoint pos);
    void filesDropped(const QStringList& paths);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
};

}  // namespace petari
