#include "document/LineList.h"

#include <algorithm>

namespace petari {

LineList::LineList(QObject* parent)
    : QAbstractListModel(parent), selection_(new QItemSelectionModel(this, this))
{
}

int LineList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant LineList::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return shownText(lines_.view(index.row()));
    return {};
}

QString LineList::shownText(QStringView line)
{
    if (line.size() <= kShownUnits)
        return line.toString();
    const bool pairCut = line[kShownUnits - 1].isHighSurrogate() && line[kShownUnits].isLowSurrogate();
    return line.first(kShownUnits - pairCut).toString();
}

void LineList::setLines(LineText lines)
{
    beginResetModel();
    lines_ = std::move(lines);
    endResetModel();
    selection_->reset();
}

void LineList::clear() { setLines({}); }

void LineList::append(const QString& line) { insertLines(count(), LineText{line}); }

void LineList::insertLines(int pos, const LineText& lines)
{
    if (lines.isEmpty())
        return;
    pos = std::clamp(pos, 0, count());
    beginInsertRows(QModelIndex(), pos, pos + lines.size() - 1);
    lines_.insert(pos, lines);
    endInsertRows();
}

void LineList::removeAt(int i)
{
    if (i < 0 || i >= count())
        return;
    beginRemoveRows(QModelIndex(), i, i);
    lines_.remove(i);
    endRemoveRows();
}

int LineList::removeSelected()
{
    const std::vector<int> rows = selectedRows();
    if (rows.empty())
        return 0;
    if (rows.size() > 64) {
        // Rebuilding once is far cheaper than thousands of single removals:
        // the runs between the selected lines, as they are.
        LineTextBuilder kept;
        int from = 0;
        for (size_t r = 0; r <= rows.size(); ++r) {
            const int to = r < rows.size() ? rows[r] : count();
            if (to > from)
                kept.append(lines_.mid(from, to - from));
            from = to + 1;
        }
        setLines(kept.finish());
        return static_cast<int>(rows.size());
    }
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        removeAt(*it);
    return static_cast<int>(rows.size());
}

int LineList::selectedCount() const
{
    int n = 0;
    for (const QItemSelectionRange& r : selection_->selection())
        n += r.height();
    return n;
}

std::vector<int> LineList::selectedRows() const
{
    std::vector<int> rows;
    const QItemSelection sel = selection_->selection();
    for (const QItemSelectionRange& r : sel)
        for (int i = r.top(); i <= r.bottom(); ++i)
            rows.push_back(i);
    // One range (select all, a shift-click) is already in order.
    if (sel.size() > 1 && !std::is_sorted(rows.begin(), rows.end())) {
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    } else if (sel.size() > 1) {
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    }
    return rows;
}

bool LineList::isSelected(int i) const { return selection_->isRowSelected(i, QModelIndex()); }

int LineList::firstSelected() const
{
    int first = -1;
    for (const QItemSelectionRange& r : selection_->selection())
        if (first < 0 || r.top() < first)
            first = r.top();
    return first;
}

void LineList::select(int i, bool on)
{
    if (i < 0 || i >= count())
        return;
    selection_->select(index(i), on ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

void LineList::selectRange(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, count() - 1);
    if (first > last)
        return;
    selection_->select(QItemSelection(index(first), index(last)), QItemSelectionModel::Select);
}

void LineList::selectAll() { selectRange(0, count() - 1); }

void LineList::clearSelection() { selection_->clearSelection(); }

int LineList::currentRow() const
{
    const QModelIndex c = selection_->currentIndex();
    return c.isValid() ? c.row() : -1;
}

void LineList::setCurrentRow(int i)
{
    if (i < 0 || i >= count())
        return;
    selection_->setCurrentIndex(index(i), QItemSelectionModel::NoUpdate);
}

void LineList::clearCurrent() { selection_->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate); }

}  // namespace petari
