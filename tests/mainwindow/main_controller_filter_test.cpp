// 絞り込み through the main window's logic: what the status line says, what
// the commands act on while lines are hidden, and F3.

#include "support/Fixture.h"

#include "mainwindow/ListFilter.h"

#include <gtest/gtest.h>

using namespace petari;
using petari::test::Fixture;

namespace {
struct Opened : Fixture {
    Opened() { c->openDocument(writeFile("fruit.txt", "りんご\r\nバナナ\r\n青リンゴ\r\nみかん\r\n")); }
};
}  // namespace

TEST(Filter, TheStatusLineCountsTheShownLines)
{
    Opened f;
    f.c->filter().setQuery(QStringLiteral("りんご"));
    EXPECT_EQ(f.c->statusText(), "絞り込み 4行中 2行");
    f.select({2});
    EXPECT_EQ(f.c->statusText(), "絞り込み 4行中 2行　メイン 3行目　選択行数 1行　　");
    f.c->filter().close();
    EXPECT_EQ(f.c->statusText(), "メイン 3行目　選択行数 1行　　");
}

TEST(Filter, CommandsActOnTheShownLinesAndUndoSeesTheWholeDocument)
{
    Opened f;
    f.c->filter().setQuery(QStringLiteral("りんご"));
    EXPECT_TRUE(f.c->menuState().filtering);   // sorting and the like are off
    f.c->selectAll();
    EXPECT_EQ(f.c->lines().selectedRows(), (std::vector<int>{0, 2}));
    f.c->deleteLines();
    EXPECT_EQ(f.c->lines().toStringList(), (QStringList{"バナナ", "みかん"}));
    EXPECT_EQ(f.c->filter().shownCount(), 0);
    f.c->undoRedo(UndoStep::Undo);
    EXPECT_EQ(f.c->lines().count(), 4);
    EXPECT_EQ(f.c->filter().realRow(1), 2);   // the filter follows the restored lines
    f.c->filter().close();
    EXPECT_FALSE(f.c->menuState().filtering);
}

TEST(Filter, EnterAndF3ChooseAndCopyALine)
{
    Opened f;
    f.c->filter().setQuery(QStringLiteral("りんご"));
    EXPECT_TRUE(f.c->chooseFirstShownLine());
    EXPECT_EQ(f.c->lines().currentRow(), 0);
    EXPECT_EQ(f.clipboard.text(), "りんご");
    f.c->filter().close();
    EXPECT_EQ(f.c->findNext(true), 2);   // without filtering
    EXPECT_EQ(f.c->lines().selectedRows(), std::vector<int>{2});
    EXPECT_EQ(f.clipboard.text(), "青リンゴ");
    EXPECT_EQ(f.c->findNext(true), 0);   // round
    EXPECT_EQ(f.c->findNext(false), 2);
    f.c->filter().setQuery(QStringLiteral("ぶどう"));
    EXPECT_FALSE(f.c->chooseFirstShownLine());
    EXPECT_EQ(f.c->findNext(true), -1);
    EXPECT_EQ(f.clipboard.text(), "青リンゴ");
}
