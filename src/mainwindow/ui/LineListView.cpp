#include "mainwindow/ui/LineListView.h"

#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace petari {

LineListView::LineListView(QWidget* parent) : QListView(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);   // keeps a million lines fast
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragEnabled(false);
}

void LineListView::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Copy)) {
        emit copyRequested();
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Delete && e->modifiers() == Qt::NoModifier) {
        emit deleteRequested();
        e->accept();
        return;
    }
    // With nothing chosen yet, the first move chooses the current line itself
    // rather than stepping past it (the view makes line 1 current on focus).
    if (!selectionModel()->hasSelection() && model() && model()->rowCount() > 0 &&
        (e->key() == Qt::Key_Down || e->key() == Qt::Key_Up) && e->modifiers() == Qt::NoModifier) {
        const QModelIndex c = currentIndex().isValid() ? currentIndex() : model()->index(0, 0);
        setCurrentIndex(c);
        selectionModel()->select(c, QItemSelectionModel::ClearAndSelect);
        emit clickedLine();
        e->accept();
        return;
    }
    const QModelIndex before = currentIndex();
    QListView::keyPressEvent(e);
    switch (e->key()) {
    case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_Home: case Qt::Key_End:
    case Qt::Key_PageUp: case Qt::Key_PageDown:
        if (currentIndex().isValid() && (currentIndex() != before || selectionModel()->hasSelection()))
            emit clickedLine();
        break;
    default:
        break;
    }
}

void LineListView::mouseReleaseEvent(QMouseEvent* e)
{
    const bool onItem = indexAt(e->position().toPoint()).isValid();
    QListView::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && onItem)
        emit clickedLine();
    emit released(e->button(), e->position().toPoint());
}

namespace {
bool hasFiles(const QMimeData* m)
{
    if (!m || !m->hasUrls())
        return false;
    for (const QUrl& u : m->urls())
        if (u.isLocalFile())
            return true;
    return false;
}
}  // namespace

void LineListView::dragEnterEvent(QDragEnterEvent* e)
{
    if (hasFiles(e->mimeData())) {
        e->setDropAction(Qt::CopyAction);
        e->accept();
    } else {
        e->ignore();
    }
}

void LineListView::dragMoveEvent(QDragMoveEvent* e)
{
    if (hasFiles(e->mimeData())) {
        e->setDropAction(Qt::CopyAction);
        e->accept();
    } else {
        e->ignore();
    }
}

void LineListView::dropEvent(QDropEvent* e)
{
    QStringList paths;
    if (e->mimeData())
        for (const QUrl& u : e->mimeData()->urls())
            if (u.isLocalFile())
                paths << u.toLocalFile();
    if (paths.isEmpty()) {
        e->ignore();
        return;
    }
    e->setDropAction(Qt::CopyAction);
    e->accept();
    emit filesDropped(paths);
}

}  // namespace petari
