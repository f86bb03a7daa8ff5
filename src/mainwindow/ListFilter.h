#pragma once
// 絞り込み: the document list showing only the lines that hold every word
// typed into the filter box.
//
// The filter is a view, never an edit.  The list keeps every line, its
// selection and its current line in real rows; the filter only says which
// real rows are shown, in their order, so that copying, deleting and every
// other command act on the real lines and undo, saving and the table of
// contents see the whole document.  An edit while filtered is followed at
// once: the rows it removed leave the shown ones, the lines it added are
// shown when they match, and a replaced document is searched again (its
// unchanged chunks are not folded again).

#include "copy/SearchFolding.h"

#include <QItemSelection>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace petari {

class LineList;
class LineSearch;

class ListFilter : public QObject {
    Q_OBJECT
public:
    explicit ListFilter(const LineList& list, QObject* parent = nullptr);
    ~ListFilter() override;

    // The text of the filter box, as it is typed: the filter is open from
    // now on, and hides lines while the text has a word.  A selected line
    // the new text hides is no longer selected (a command could otherwise
    // act on a line out of sight); the current line stays.
    void setQuery(const QString& query);
    void setFolding(const SearchFolding& folding);
    // The box opens: the lines start being folded for searching on the
    // other cores while the user is about to type.
    void prepare();
    // Escape: every line is shown again.  The query stays for F3.
    void close();

    const QString& query() const { return query_; }
    const SearchFolding& folding() const { return folding_; }
    bool isOpen() const { return open_; }
    // Whether the query has a word to look for.
    bool hasWords() const { return !words_.isEmpty(); }
    // Whether lines are hidden: open, with a word to look for.
    bool isFiltering() const { return open_ && !words_.isEmpty(); }

    // Shown rows count from 0 to shownCount() - 1; without filtering they
    // are the real rows.
    int shownCount() const;
    int totalCount() const;
    int realRow(int shown) const;
    // Where a real row is shown; -1 when it is hidden.
    int shownRow(int real) const;
    // How many shown rows come before the real row: where it would be shown.
    int shownBefore(int real) const;
    // The real rows shown from firstShown to lastShown, as a selection of
    // the list (one range for each run of consecutive real rows).
    QItemSelection selectionOf(int firstShown, int lastShown) const;

    // F3 and Shift+F3: the next (or previous) line after the real row from
    // that holds every word of the query, going round at the end; from -1
    // starts before the first line (or after the last).  -1 when no line
    // matches or the query has no word.  Works with the filter closed.
    int nextMatch(int from, bool forward);

signals:
    // The shown rows changed: a view redraws, and the status line counts.
    void shownChanged();

private:
    void search();
    void keepSelectionInSight();
    void rowsInserted(int first, int last);
    void rowsRemoved(int first, int last);
    void linesReplaced();

    const LineList& list_;
    std::unique_ptr<LineSearch> search_;
    QString query_;
    QStringList words_;
    SearchFolding folding_;
    bool open_ = false;
    // The rows holding every word, ascending, while matchesValid_.
    std::vector<int> matches_;
    bool matchesValid_ = false;
};

}  // namespace petari
