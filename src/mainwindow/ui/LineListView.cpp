#include "mainwindow/ui/LineListView.h"

#include "mainwindow/ListFilter.h"
#include "mainwindow/ui/LineListAccessible.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QUrl>

#include <algorithm>

namespace petari {

LineListView::LineListView(QWidget* parent) : QAbstractItemView(parent)
{
    LineListAccessible::install();
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabKeyNavigation(false);
    setTextElideMode(Qt::ElideRight);
    fitRowHeight();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragEnabled(false);
}

void LineListView::fitRowHeight()
{
    rowHeight_ = std::max(1, fontMetrics().height() + 2);
    updateGeometries();
    viewport()->update();
}

void LineListView::changeEvent(QEvent* e)
{
    QAbstractItemView::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        fitRowHeight();
}

void LineListView::setModel(QAbstractItemModel* model)
{
    for (const QMetaObject::Connection& c : modelConnections_)
        disconnect(c);
    modelConnections_.clear();
    QAbstractItemView::setModel(model);
    if (model) {
        // Insertions come through rowsInserted; removals and resets only
        // as signals.
        const auto changed = [this] { rowsChanged(); };
        modelConnections_ = {connect(model, &QAbstractItemModel::rowsRemoved, this, changed),
                             connect(model, &QAbstractItemModel::modelReset, this, changed),
                             connect(model, &QAbstractItemModel::layoutChanged, this, changed)};
    }
    rowsChanged();
}

void LineListView::rowsInserted(const QModelIndex& parent, int first, int last)
{
    QAbstractItemView::rowsInserted(parent, first, last);
    rowsChanged();
}

void LineListView::rowsChanged()
{
    // A screen reader's items stand for rows; after any change they may
    // stand for other lines, so the reader is told to ask again.
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&event);
    }
    updateGeometries();
    viewport()->update();
}

void LineListView::setFilter(ListFilter* filter)
{
    disconnect(filterConnection_);
    filter_ = filter;
    if (filter_)
        filterConnection_ = connect(filter_, &ListFilter::shownChanged, this, [this] { rowsChanged(); });
    rowsChanged();
}

int LineListView::rowCount() const
{
    if (!model())
        return 0;
    return filter_ ? filter_->shownCount() : model()->rowCount(rootIndex());
}

int LineListView::realRow(int shown) const
{
    if (filter_)
        return filter_->realRow(shown);
    return shown >= 0 && shown < rowCount() ? shown : -1;
}

int LineListView::shownRow(int real) const
{
    if (filter_)
        return filter_->shownRow(real);
    return real >= 0 && real < rowCount() ? real : -1;
}

int LineListView::shownBefore(int real) const
{
    return filter_ ? filter_->shownBefore(real) : std::clamp(real, 0, rowCount());
}

QModelIndex LineListView::shownIndex(int shown) const
{
    const int real = realRow(shown);
    return real < 0 || !model() ? QModelIndex() : model()->index(real, 0, rootIndex());
}

bool LineListView::isIndexHidden(const QModelIndex& index) const
{
    return filter_ && filter_->isFiltering() && filter_->shownRow(index.row()) < 0;
}

int LineListView::pageRows() const { return std::max(1, viewport()->height() / rowHeight_); }

int LineListView::verticalOffset() const { return verticalScrollBar()->value() * rowHeight_; }

int LineListView::rowAt(int y) const
{
    const qint64 pixel = qint64(verticalScrollBar()->value()) * rowHeight_ + y;
    if (pixel < 0)
        return -1;
    const qint64 row = pixel / rowHeight_;
    return row < rowCount() ? int(row) : -1;
}

void LineListView::updateGeometries()
{
    QScrollBar* bar = verticalScrollBar();
    const int page = pageRows();
    bar->setSingleStep(1);
    bar->setPageStep(page);
    bar->setRange(0, std::max(0, rowCount() - page));
    horizontalScrollBar()->setRange(0, 0);
    QAbstractItemView::updateGeometries();
}

void LineListView::scrollContentsBy(int dx, int dy)
{
    Q_UNUSED(dx);
    // The bar counts rows; the viewport moves by pixels.
    if (std::abs(qint64(dy)) >= pageRows())
        viewport()->update();
    else
        QAbstractItemView::scrollContentsBy(0, dy * rowHeight_);
}

QRect LineListView::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != model() || index.parent() != rootIndex())
        return QRect();
    const int shown = shownRow(index.row());
    if (shown < 0)
        return QRect();
    const qint64 top = (qint64(shown) - verticalScrollBar()->value()) * rowHeight_;
    return QRect(0, int(std::clamp<qint64>(top, -(qint64(1) << 30), qint64(1) << 30)), viewport()->width(),
                 rowHeight_);
}

QModelIndex LineListView::indexAt(const QPoint& point) const
{
    if (point.x() < 0 || point.x() >= viewport()->width())
        return QModelIndex();
    return shownIndex(rowAt(point.y()));
}

void LineListView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || index.model() != model())
        return;
    QScrollBar* bar = verticalScrollBar();
    // A hidden line scrolls to where it would be.
    int row = shownRow(index.row());
    if (row < 0)
        row = std::min(shownBefore(index.row()), rowCount() - 1);
    if (row < 0)
        return;
    const int top = bar->value(), page = pageRows();
    switch (hint) {
    case PositionAtTop:
        bar->setValue(row);
        break;
    case PositionAtBottom:
        bar->setValue(row - page + 1);
        break;
    case PositionAtCenter:
        bar->setValue(row - page / 2);
        break;
    case EnsureVisible:
        if (row < top)
            bar->setValue(row);
        else if (row >= top + page)
            bar->setValue(row - page + 1);
        break;
    }
}

QModelIndex LineListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    Q_UNUSED(modifiers);
    const int rows = rowCount();
    if (rows == 0)
        return QModelIndex();
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return shownIndex(0);
    int row = shownRow(current.row());
    // A hidden current line sits between the shown rows around it: Down
    // goes to the one after it, Up to the one before.
    const bool hidden = row < 0;
    if (hidden)
        row = std::min(shownBefore(current.row()), rows - 1);
    const int y = (row - verticalScrollBar()->value()) * rowHeight_;
    switch (action) {
    case MoveUp:
        row = std::max(hidden ? shownBefore(current.row()) - 1 : row - 1, 0);
        break;
    case MoveDown:
        row = hidden ? row : std::min(row + 1, rows - 1);
        break;
    case MovePageUp: {
        // A page up from where the line is shown, as a table moves.
        const int to = rowAt(y - viewport()->height());
        row = to < 0 ? 0 : to;
        break;
    }
    case MovePageDown: {
        const int to = rowAt(y + rowHeight_ - 1 + viewport()->height());
        row = to < 0 ? rows - 1 : to;
        break;
    }
    case MoveHome:
        row = 0;
        break;
    case MoveEnd:
        row = rows - 1;
        break;
    default:
        break;   // one column: left, right and tab stay on the line
    }
    return shownIndex(row);
}

void LineListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    // As a table: both corners on a line, or nothing.
    const QModelIndex from = indexAt(QPoint(std::min(rect.left(), rect.right()), std::min(rect.top(), rect.bottom())));
    const QModelIndex to = indexAt(QPoint(std::max(rect.left(), rect.right()), std::max(rect.top(), rect.bottom())));
    if (!selectionModel() || !from.isValid() || !to.isValid())
        return;
    if (!filter_) {
        selectionModel()->select(QItemSelection(from, to), command);
        return;
    }
    selectionModel()->select(filter_->selectionOf(shownRow(from.row()), shownRow(to.row())), command);
}

QRegion LineListView::visualRegionForSelection(const QItemSelection& selection) const
{
    QRegion region;
    const int top = verticalScrollBar()->value();
    const int bottom = top + pageRows() + 1;
    for (const QItemSelectionRange& r : selection) {
        if (!r.isValid() || r.parent() != rootIndex())
            continue;
        const int first = std::max(shownBefore(r.top()), top);
        const int last = std::min(shownBefore(r.bottom() + 1) - 1, bottom);
        if (first > last)
            continue;
        region += QRect(0, (first - top) * rowHeight_, viewport()->width(), (last - first + 1) * rowHeight_);
    }
    return region;
}

void LineListView::paintEvent(QPaintEvent* e)
{
    if (!model())
        return;
    QPainter painter(viewport());
    QStyleOptionViewItem base;
    initViewItemOption(&base);
    const bool focus = (hasFocus() || viewport()->hasFocus()) && currentIndex().isValid();
    const int top = verticalScrollBar()->value();
    const int first = top + std::max(0, e->rect().top() / rowHeight_);
    const int last = std::min(rowCount() - 1, top + e->rect().bottom() / rowHeight_);
    const QModelIndex current = currentIndex();
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = shownIndex(row);
        QStyleOptionViewItem option = base;
        option.rect = QRect(0, (row - top) * rowHeight_, viewport()->width(), rowHeight_);
        if (selectionModel() && selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (base.state & QStyle::State_Enabled)
            option.palette.setCurrentColorGroup(QPalette::Normal);
        if (focus && index == current)
            option.state |= QStyle::State_HasFocus;
        style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &option, &painter, this);
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}

void LineListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QAbstractItemView::currentChanged(current, previous);
    announceCurrentLine();
}

void LineListView::announceCurrentLine()
{
    // Qt names the focused item to a reader only for views of its own kinds;
    // the line that became current is what a reader should speak.
    const QModelIndex current = currentIndex();
    if (QAccessible::isActive() && current.isValid() && hasFocus()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(shownRow(current.row()));
        QAccessible::updateAccessibility(&event);
    }
}

QPoint LineListView::currentLinePoint() const
{
    const QRect line = visualRect(currentIndex());
    return line.isValid() ? line.bottomLeft() : QPoint(0, 0);
}

void LineListView::contextMenuEvent(QContextMenuEvent* e)
{
    // The mouse's right button has its menu on release (the list's
    // mouse-up); only the keyboard's request is answered here.
    if (e->reason() == QContextMenuEvent::Keyboard) {
        emit menuKeyPressed();
        e->accept();
        return;
    }
    QAbstractItemView::contextMenuEvent(e);
}

void LineListView::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Menu || (e->key() == Qt::Key_F10 && e->modifiers() == Qt::ShiftModifier)) {
        emit menuKeyPressed();
        e->accept();
        return;
    }
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
    if (!selectionModel()->hasSelection() && model() && rowCount() > 0 &&
        (e->key() == Qt::Key_Down || e->key() == Qt::Key_Up) && e->modifiers() == Qt::NoModifier) {
        QModelIndex c = currentIndex();
        if (shownRow(c.row()) < 0)   // none yet, or hidden by the filter
            c = shownIndex(c.isValid() ? std::min(shownBefore(c.row()), rowCount() - 1) : 0);
        // Made current when the view took the focus, before the reader
        // listened for its lines: it hears the line now, as after any move.
        const bool wasCurrent = c == currentIndex();
        setCurrentIndex(c);
        if (wasCurrent)
            announceCurrentLine();
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
    if (moves && !currentIndex().isValid() && model() && rowCount() > 0)
        selectionModel()->setCurrentIndex(shownIndex(0), QItemSelectionModel::NoUpdate);
    const QModelIndex before = currentIndex();
    QAbstractItemView::keyPressEvent(e);
    if (!moves || !currentIndex().isValid())
        return;
    // A move that lands where it started (Home on line 1) still chooses that
    // line, as a classic list does; Ctrl moves without choosing.
    if (!(e->modifiers() & Qt::ControlModifier) && !selectionModel()->isSelected(currentIndex()))
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
    if (currentIndex() != before || selectionModel()->hasSelection())
        emit clickedLine();
}

void LineListView::selectAll()
{
    if (!filter_ || !selectionModel()) {
        QAbstractItemView::selectAll();
        return;
    }
    selectionModel()->select(filter_->selectionOf(0, rowCount() - 1), QItemSelectionModel::ClearAndSelect);
}

void LineListView::keyboardSearch(const QString& search)
{
    // The model's search knows nothing of the hidden lines.
    if (filter_ && filter_->isFiltering())
        return;
    QAbstractItemView::keyboardSearch(search);
}

void LineListView::mouseReleaseEvent(QMouseEvent* e)
{
    const bool onItem = indexAt(e->position().toPoint()).isValid();
    QAbstractItemView::mouseReleaseEvent(e);
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
