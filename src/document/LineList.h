#pragma once
// The lines of a list shown by the main window (the document, and the list of
// split pieces).  A Qt list model with its own selection model, so that a
// view can show a million lines while the logic reads and changes them
// without any window.  The lines are one version of a LineText: a view asks
// for the rows in sight, each copied out as it is shown, and the undo chain
// keeps earlier versions that share every unchanged chunk.

#include "document/LineText.h"

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QStringList>
#include <vector>

namespace petari {

class LineList : public QAbstractListModel {
    Q_OBJECT
public:
    // A row shows, and tells a screen reader, at most this many UTF-16
    // units of its line: laying out a line of a hundred million characters
    // would take gigabytes, and no window is that wide.
    static constexpr qsizetype kShownUnits = 4000;
    // The part of a line a row shows (see kShownUnits), never half of a
    // surrogate pair.
    static QString shownText(QStringView line);

    explicit LineList(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    QItemSelectionModel* selectionModel() const { return selection_; }

    int count() const { return lines_.size(); }
    bool isEmpty() const { return lines_.isEmpty(); }
    QString line(int i) const { return lines_.at(i); }
    // The version shown: copying it is cheap, and it does not change when
    // the list does.
    const LineText& lines() const { return lines_; }
    // Every line as a string of its own: for tests and small lists.
    QStringList toStringList() const { return lines_.toStringList(); }

    // Replaces every line; selection and current line are cleared.
    void setLines(LineText lines);
    void clear();
    void append(const QString& line);
    // Inserts before index pos (pos == count() appends).  Selection of the
    // lines that move down is kept.
    void insertLines(int pos, const LineText& lines);
    void removeAt(int i);
    // Removes every selected line; returns how many were removed.
    int removeSelected();

    // Selection.
    int selectedCount() const;
    std::vector<int> selectedRows() const;   // ascending
    bool isSelected(int i) const;
    int firstSelected() const;               // -1 when none
    void select(int i, bool on = true);
    void selectRange(int first, int last);
    void selectAll();
    void clearSelection();
    // The line with the focus (the list's current line); -1 when none.
    int currentRow() const;
    void setCurrentRow(int i);
    void clearCurrent();

private:
    LineText lines_;
    QItemSelectionModel* selection_;
};

// What may change of a list whose lines belong to someone else: which lines
// are chosen and which has the focus.  The owner hands this out and keeps
// the lines to itself.
class LineSelection {
public:
    explicit LineSelection(LineList& list) : list_(list) {}

    QItemSelectionModel* model() const { return list_.selectionModel(); }
    void select(int i, bool on = true) { list_.select(i, on); }
    void select(const QItemSelection& rows, QItemSelectionModel::SelectionFlags how)
    {
        list_.selectionModel()->select(rows, how);
    }
    void selectRange(int first, int last) { list_.selectRange(first, last); }
    void selectAll() { list_.selectAll(); }
    void clearSelection() { list_.clearSelection(); }
    void setCurrentRow(int i) { list_.setCurrentRow(i); }
    void clearCurrent() { list_.clearCurrent(); }

private:
    LineList& list_;
};

}  // namespace petari
