#pragma once
// The lines of a list shown by the main window (the document, and the list of
// split pieces).  A Qt list model with its own selection model, so that a
// QListView can show a million lines while the logic reads and changes them
// without any window.

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QStringList>
#include <vector>

namespace petari {

class LineList : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LineList(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    QItemSelectionModel* selectionModel() const { return selection_; }

    int count() const { return static_cast<int>(lines_.size()); }
    bool isEmpty() const { return lines_.isEmpty(); }
    const QString& line(int i) const { return lines_.at(i); }
    const QStringList& lines() const { return lines_; }

    // Replaces every line; selection and current line are cleared.
    void setLines(QStringList lines);
    void clear();
    void append(const QString& line);
    // Inserts before index pos (pos == count() appends).  Selection of the
    // lines that move down is kept.
    void insertLines(int pos, const QStringList& lines);
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
    QStringList lines_;
    QItemSelectionModel* selection_;
};

}  // namespace petari
