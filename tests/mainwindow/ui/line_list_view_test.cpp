// The list view of uniform rows: where rows are, how far it scrolls, and
// that it reads only the rows in sight of a million.

#include "document/LineList.h"
#include "mainwindow/ListFilter.h"
#include "mainwindow/ui/LineListView.h"

#include <QAbstractListModel>
#include <QAccessible>
#include <QStringListModel>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <set>

namespace petari {
namespace {

// A million rows that count which of them were read.
class CountingModel : public QAbstractListModel {
public:
    int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : 1000000; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        read.insert(index.row());
        return QString::number(index.row());
    }
    mutable std::set<int> read;
};

// A view ten rows high.
struct Shown {
    explicit Shown(QAbstractItemModel* model)
    {
        view.setModel(model);
        view.show();
        view.resize(300, 10 * view.rowHeight() + (view.height() - view.viewport()->height()));
        QTest::qWait(1);
        view.viewport()->repaint();
    }
    int top() const { return view.indexAt(QPoint(1, 1)).row(); }
    LineListView view;
};

TEST(LineListView, ReadsOnlyTheRowsInSight)
{
    CountingModel model;
    Shown s(&model);
    ASSERT_EQ(s.view.viewport()->height(), 10 * s.view.rowHeight());
    EXPECT_FALSE(model.read.empty());
    EXPECT_LE(*model.read.rbegin(), 10);   // rows 0 to 9, and the edge of row 10
    model.read.clear();
    s.view.scrollTo(model.index(500000), QAbstractItemView::PositionAtTop);
    s.view.viewport()->repaint();
    EXPECT_EQ(s.top(), 500000);
    EXPECT_GE(*model.read.begin(), 500000);
    EXPECT_LE(*model.read.rbegin(), 500010);
}

TEST(LineListView, ScrollsNoFurtherThanTheLastPage)
{
    LineList list;
    QStringList lines;
    for (int i = 0; i < 100; ++i)
        lines << QString::number(i);
    list.setLines(lines);
    Shown s(&list);
    s.view.scrollTo(list.index(95), QAbstractItemView::PositionAtTop);
    EXPECT_EQ(s.top(), 90);   // the last ten rows fill the view
    // A row below the view is brought up to its last line, one above it to
    // its first.
    s.view.scrollTo(list.index(50));
    EXPECT_EQ(s.top(), 50);
    s.view.scrollTo(list.index(70));
    EXPECT_EQ(s.top(), 61);
    // Rows taken away take their room in the scroll bar with them.
    list.selectRange(20, 99);
    list.removeSelected();
    EXPECT_EQ(s.view.verticalScrollBar()->maximum(), 10);
    EXPECT_EQ(s.top(), 10);
    EXPECT_EQ(s.view.visualRect(list.index(19)).top(), 9 * s.view.rowHeight());
}

TEST(LineListView, ShiftExtendsTheSelectionByKeyAndByClick)
{
    LineList list;
    list.setLines(QStringList{"a", "b", "c", "d", "e"});
    Shown s(&list);
    s.view.setSelectionModel(list.selectionModel());
    s.view.setFocus();
    QTest::keyClick(&s.view, Qt::Key_Down);   // chooses line 1
    QTest::keyClick(&s.view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(list.selectedRows(), (std::vector<int>{0, 1}));
    QTest::mouseClick(s.view.viewport(), Qt::LeftButton, Qt::ShiftModifier, s.view.visualRect(list.index(3)).center());
    EXPECT_EQ(list.selectedRows(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(list.currentRow(), 3);
}

TEST(LineListView, AFilteredViewShowsMovesAndSelectsTheKeptRowsAlone)
{
    LineList list;
    list.setLines(QStringList{"a0", "b1", "a2", "b3", "a4", "b5"});
    ListFilter filter(list);
    Shown s(&list);
    s.view.setSelectionModel(list.selectionModel());
    s.view.setFilter(&filter);
    filter.setQuery(QStringLiteral("a"));
    const int h = s.view.rowHeight();
    // The second row shown is real row 2; a hidden row has no place.
    EXPECT_EQ(s.view.indexAt(QPoint(1, h + 1)).row(), 2);
    EXPECT_FALSE(s.view.indexAt(QPoint(1, 3 * h + 1)).isValid());
    EXPECT_FALSE(s.view.visualRect(list.index(3)).isValid());
    // A screen reader hears the shown lines alone.
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&s.view);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->childCount(), 3);
    EXPECT_EQ(reader->child(1)->text(QAccessible::Name), "a2");
    QTest::mouseClick(s.view.viewport(), Qt::LeftButton, {}, QPoint(5, h + 2));
    EXPECT_EQ(list.selectedRows(), std::vector<int>{2});
    s.view.setFocus();
    QTest::keyClick(&s.view, Qt::Key_Down);
    EXPECT_EQ(list.selectedRows(), std::vector<int>{4});
    QTest::keyClick(&s.view, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(list.selectedRows(), (std::vector<int>{2, 4}));   // not the hidden 3
    s.view.selectAll();
    EXPECT_EQ(list.selectedRows(), (std::vector<int>{0, 2, 4}));
    // From a hidden current line Down goes to the shown line after it.
    list.clearSelection();
    list.setCurrentRow(3);
    QTest::keyClick(&s.view, Qt::Key_Down);
    EXPECT_EQ(list.selectedRows(), std::vector<int>{4});
    filter.close();
    EXPECT_EQ(s.view.indexAt(QPoint(1, h + 1)).row(), 1);
}

// A screen reader hears a list of lines, an item a line named by its text,
// and hears the new text of a row after the lines change.
TEST(LineListView, AScreenReaderHearsTheLines)
{
    QStringListModel model({"one", "two"});
    Shown s(&model);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&s.view);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    ASSERT_NE(list->tableInterface(), nullptr);
    EXPECT_EQ(list->childCount(), 2);
    EXPECT_EQ(list->child(1)->text(QAccessible::Name), "two");
    EXPECT_EQ(list->child(2), nullptr);
    EXPECT_EQ(list->indexOfChild(list->child(1)), 1);
    s.view.selectionModel()->select(model.index(1, 0), QItemSelectionModel::Select);
    EXPECT_EQ(list->tableInterface()->selectedRows(), QList<int>{1});
    EXPECT_TRUE(list->child(1)->state().selected);
    model.setStringList({"zero", "one", "two"});
    EXPECT_EQ(list->childCount(), 3);
    EXPECT_EQ(list->child(1)->text(QAccessible::Name), "one");
}

}  // namespace
}  // namespace petari
