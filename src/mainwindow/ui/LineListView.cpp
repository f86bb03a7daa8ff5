#include "mainwindow/ui/LineListView.h"

#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace petari {

LineListView::LineListView(QWidget* parent) : QTableView(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    fitRowHeight();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragEnabled(false);
}

void LineListView::fitRowHeight()
{
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
}

void LineListView::changeEvent(QEvent* e)
{
    QTableView::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        fitRowHeight();
}

QModelIndex LineListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // A table's Home and End stay in the row; a list's go to its ends.
    if ((action == MoveHome || action == MoveEnd) && model() && model()->rowCount() > 0)
        return model()->index(action == MoveHome ? 0 : model()->rowCount() - 1, 0);
    return QTableView::moveCursor(action, modifiers);
}

void LineListView::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Copy)) {
        emit copyRequested();
        e->accept();
        return;
    }
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
        (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        selectionModel()->hasSelection()) {
        emit activatedLine(true);
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
    const bool moves = e->key() == Qt::Key_Up || e->key() == Qt::Key_Down || e->key() == Qt::Key_Home ||
                       e->key() == Qt::Key_End || e->key() == Qt::Key_PageUp || e->key() == Qt::Key_PageDown;
    // A list whose lines were just replaced has no current line, and Qt then
    // takes any move to mean "go to the first line".  Start from line 1 so the
    // first key moves as it would from any line.
    if (moves && !currentIndex().isValid() && model() && model()->rowCount() > 0)
        selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
    const QModelIndex before = currentIndex();
    QTableView::keyPressEvent(e);
    if (!moves || !currentIndex().isValid())
        return;
    // A move that lands where it started (Home on line 1) still chooses that
    // line, as a classic list does; Ctrl moves without choosing.
    if (!(e->modifiers() & Qt::ControlModifier) && !selectionModel()->isSelected(currentIndex()))
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
    if (currentIndex() != before || selectionModel()->hasSelection())
        emit clickedLine();
}

void LineListView::mouseReleaseEvent(QMouseEvent* e)
{
    const bool onItem = indexAt(e->position().toPoint()).isValid();
    QTableView::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && onItem) {
        emit clickedLine();
        // Ctrl and Shift gather several lines: only the plain click pastes.
        if (e->modifiers() == Qt::NoModifier)
            emit activatedLine(false);
    }
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
