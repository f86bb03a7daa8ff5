#include "mainwindow/ListFilter.h"

#include "document/LineList.h"
#include "editing/LineSearch.h"

#include <algorithm>

namespace petari {

namespace {
// Past this many ranges a selection is cleared rather than cut to the shown
// lines: the selection model compares selections range by range.
constexpr int kRangesWorthKeeping = 4096;
}  // namespace

ListFilter::ListFilter(const LineList& list, QObject* parent)
    : QObject(parent), list_(list), search_(std::make_unique<LineSearch>())
{
    connect(&list_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { rowsInserted(first, last); });
    connect(&list_, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) { rowsRemoved(first, last); });
    connect(&list_, &QAbstractItemModel::modelReset, this, &ListFilter::linesReplaced);
    connect(&list_, &QAbstractItemModel::layoutChanged, this, &ListFilter::linesReplaced);
}

ListFilter::~ListFilter() = default;

void ListFilter::setQuery(const QString& query)
{
    query_ = query;
    open_ = true;
    const QStringList words = searchWords(query, folding_);
    // A blank typed after a word changes nothing the lines are asked.
    if (words != words_ || !matchesValid_) {
        words_ = words;
        matchesValid_ = false;
        if (isFiltering())
            search();
    }
    if (isFiltering())
        keepSelectionInSight();
    emit shownChanged();
}

void ListFilter::setFolding(const SearchFolding& folding)
{
    if (folding.width == folding_.width && folding.kana == folding_.kana && folding.letterCase == folding_.letterCase)
        return;
    folding_ = folding;
    words_ = searchWords(query_, folding_);
    matchesValid_ = false;
    if (isFiltering()) {
        search();
        keepSelectionInSight();
    }
    emit shownChanged();
}

void ListFilter::prepare() { search_->prepare(list_.lines(), folding_); }

void ListFilter::close()
{
    if (!open_)
        return;
    open_ = false;
    emit shownChanged();
}

void ListFilter::search()
{
    matches_ = search_->matchingRows(list_.lines(), words_, folding_);
    matchesValid_ = true;
    // The folded copies of lines no longer in the document go.
    search_->keepOnly(list_.lines());
}

int ListFilter::shownCount() const { return isFiltering() ? int(matches_.size()) : list_.count(); }

int ListFilter::totalCount() const { return list_.count(); }

int ListFilter::realRow(int shown) const
{
    if (shown < 0 || shown >= shownCount())
        return -1;
    return isFiltering() ? matches_[size_t(shown)] : shown;
}

int ListFilter::shownRow(int real) const
{
    if (!isFiltering())
        return real >= 0 && real < list_.count() ? real : -1;
    const auto it = std::lower_bound(matches_.begin(), matches_.end(), real);
    return it != matches_.end() && *it == real ? int(it - matches_.begin()) : -1;
}

int ListFilter::shownBefore(int real) const
{
    if (!isFiltering())
        return std::clamp(real, 0, list_.count());
    return int(std::lower_bound(matches_.begin(), matches_.end(), real) - matches_.begin());
}

QItemSelection ListFilter::selectionOf(int firstShown, int lastShown) const
{
    QItemSelection selection;
    firstShown = std::max(firstShown, 0);
    lastShown = std::min(lastShown, shownCount() - 1);
    if (firstShown > lastShown)
        return selection;
    if (!isFiltering()) {
        selection.select(list_.index(firstShown), list_.index(lastShown));
        return selection;
    }
    int runStart = matches_[size_t(firstShown)];
    for (int s = firstShown; s <= lastShown; ++s) {
        const int row = matches_[size_t(s)];
        const bool runEnds = s == lastShown || matches_[size_t(s) + 1] != row + 1;
        if (runEnds) {
            selection.append(QItemSelectionRange(list_.index(runStart), list_.index(row)));
            if (s < lastShown)
                runStart = matches_[size_t(s) + 1];
        }
    }
    return selection;
}

void ListFilter::keepSelectionInSight()
{
    QItemSelectionModel* model = list_.selectionModel();
    const QItemSelection selection = model->selection();
    bool allShown = true;
    for (const QItemSelectionRange& r : selection)
        if (shownBefore(r.bottom() + 1) - shownBefore(r.top()) != r.height()) {
            allShown = false;
            break;
        }
    if (allShown)
        return;
    QItemSelection kept;
    if (selection.size() <= kRangesWorthKeeping) {
        for (const QItemSelectionRange& r : selection) {
            kept += selectionOf(shownBefore(r.top()), shownBefore(r.bottom() + 1) - 1);
            if (kept.size() > kRangesWorthKeeping) {
                kept.clear();
                break;
            }
        }
    }
    if (kept.isEmpty())
        model->clearSelection();
    else
        model->select(kept, QItemSelectionModel::ClearAndSelect);
}

int ListFilter::nextMatch(int from, bool forward)
{
    if (words_.isEmpty())
        return -1;
    if (!matchesValid_)
        search();
    if (matches_.empty())
        return -1;
    if (forward) {
        const auto it = std::upper_bound(matches_.begin(), matches_.end(), from);
        return it == matches_.end() ? matches_.front() : *it;
    }
    if (from < 0)
        return matches_.back();
    const auto it = std::lower_bound(matches_.begin(), matches_.end(), from);
    return it == matches_.begin() ? matches_.back() : *(it - 1);
}

void ListFilter::rowsInserted(int first, int last)
{
    if (!matchesValid_)
        return;
    if (!isFiltering()) {
        matchesValid_ = false;
        return;
    }
    const int n = last - first + 1;
    const auto at = std::lower_bound(matches_.begin(), matches_.end(), first);
    for (auto it = at; it != matches_.end(); ++it)
        *it += n;
    std::vector<int> added = search_->matchingRows(list_.lines().mid(first, n), words_, folding_);
    for (int& row : added)
        row += first;
    matches_.insert(at, added.begin(), added.end());
    emit shownChanged();
}

void ListFilter::rowsRemoved(int first, int last)
{
    if (!matchesValid_)
        return;
    if (!isFiltering()) {
        matchesValid_ = false;
        return;
    }
    const int n = last - first + 1;
    const auto from = std::lower_bound(matches_.begin(), matches_.end(), first);
    const auto to = std::upper_bound(from, matches_.end(), last);
    const auto at = matches_.erase(from, to);
    for (auto it = at; it != matches_.end(); ++it)
        *it -= n;
    emit shownChanged();
}

void ListFilter::linesReplaced()
{
    matchesValid_ = false;
    if (!isFiltering()) {
        // The folded copy of a document that went goes with it.
        search_->keepOnly(list_.lines());
        return;
    }
    search();
    emit shownChanged();
}

}  // namespace petari
