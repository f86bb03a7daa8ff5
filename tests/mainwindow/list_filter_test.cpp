#include "document/LineList.h"
#include "mainwindow/ListFilter.h"

#include <gtest/gtest.h>

using namespace petari;

namespace {

// The real rows shown, in order.
std::vector<int> shown(const ListFilter& f)
{
    std::vector<int> rows;
    for (int i = 0; i < f.shownCount(); ++i)
        rows.push_back(f.realRow(i));
    return rows;
}

struct Filtered {
    Filtered()
    {
        list.setLines(QStringList{"りんご", "バナナ", "ﾘﾝｺﾞ飴", "みかん", "青リンゴ", "梨"});
    }
    LineList list;
    ListFilter filter{list};
};

}  // namespace

TEST(ListFilter, ShowsTheMatchingLinesInTheirOrderAndMapsRowsBothWays)
{
    Filtered t;
    EXPECT_FALSE(t.filter.isFiltering());
    EXPECT_EQ(t.filter.shownCount(), 6);
    t.filter.setQuery(QStringLiteral("リンゴ"));
    EXPECT_TRUE(t.filter.isFiltering());
    EXPECT_EQ(shown(t.filter), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(t.filter.totalCount(), 6);
    EXPECT_EQ(t.filter.shownRow(2), 1);
    EXPECT_EQ(t.filter.shownRow(3), -1);   // hidden
    EXPECT_EQ(t.filter.shownBefore(3), 2);
    EXPECT_EQ(t.filter.realRow(3), -1);    // past the shown rows
    // Rows 0 and 2 are no run: one range each.
    EXPECT_EQ(t.filter.selectionOf(0, 1).size(), 2);
    // A blank alone hides nothing; Escape shows everything and keeps the query.
    t.filter.setQuery(QStringLiteral("　"));
    EXPECT_EQ(t.filter.shownCount(), 6);
    t.filter.setQuery(QStringLiteral("りんご"));
    t.filter.close();
    EXPECT_FALSE(t.filter.isFiltering());
    EXPECT_EQ(t.filter.shownCount(), 6);
    EXPECT_EQ(t.filter.query(), "りんご");
}

TEST(ListFilter, TheCheckBoxesTellTheDifferencesApartAgain)
{
    Filtered t;
    t.filter.setQuery(QStringLiteral("りんご"));
    t.filter.setFolding({true, false, true});   // kana told apart
    EXPECT_EQ(shown(t.filter), std::vector<int>{0});
    t.filter.setFolding({false, true, true});   // width told apart
    EXPECT_EQ(shown(t.filter), (std::vector<int>{0, 4}));
}

TEST(ListFilter, ASelectedLineTheQueryHidesIsNoLongerSelected)
{
    Filtered t;
    t.list.select(0);
    t.list.select(3);
    t.list.setCurrentRow(3);
    t.filter.setQuery(QStringLiteral("りんご"));
    EXPECT_EQ(t.list.selectedRows(), std::vector<int>{0});
    EXPECT_EQ(t.list.currentRow(), 3);   // the current line stays, hidden
    t.filter.setQuery(QStringLiteral("りんご 飴"));
    EXPECT_EQ(t.list.selectedCount(), 0);
}

TEST(ListFilter, EditsWhileFilteredAreFollowed)
{
    Filtered t;
    t.filter.setQuery(QStringLiteral("りんご"));
    t.list.removeAt(1);   // バナナ, hidden: the shown rows move up
    EXPECT_EQ(shown(t.filter), (std::vector<int>{0, 1, 3}));
    t.list.removeAt(1);   // ﾘﾝｺﾞ飴, shown
    EXPECT_EQ(shown(t.filter), (std::vector<int>{0, 2}));
    t.list.insertLines(1, LineText{QStringLiteral("林檎"), QStringLiteral("リンゴ酢")});
    EXPECT_EQ(shown(t.filter), (std::vector<int>{0, 2, 4}));
    t.list.setLines(QStringList{"梨", "りんごジャム"});   // undo, a new document
    EXPECT_EQ(shown(t.filter), std::vector<int>{1});
}

TEST(ListFilter, NextMatchGoesRoundBothWaysWithTheFilterClosed)
{
    Filtered t;
    EXPECT_EQ(t.filter.nextMatch(0, true), -1);   // nothing to look for yet
    t.filter.setQuery(QStringLiteral("りんご"));
    t.filter.close();
    struct Case {
        int from;
        bool forward;
        int found;
    } cases[] = {
        {-1, true, 0}, {0, true, 2}, {3, true, 4}, {4, true, 0},   // round from the last
        {-1, false, 4}, {4, false, 2}, {1, false, 0}, {0, false, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.filter.nextMatch(c.from, c.forward), c.found) << c.from << (c.forward ? " forward" : " back");
    t.list.append(QStringLiteral("りんご"));   // seen after an edit
    EXPECT_EQ(t.filter.nextMatch(4, true), 6);
}
